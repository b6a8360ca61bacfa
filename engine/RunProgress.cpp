#include "RunProgress.h"

namespace fendry {

RunProgress::RunProgress(Post post, std::chrono::milliseconds interval, Clock now,
                         std::int64_t passes, bool readBack)
    : post_(std::move(post)),
      interval_(interval),
      now_(std::move(now)),
      passes_(passes),
      steps_(passes + (readBack ? 1 : 0)) {}

// The screen follows the oldest entry in progress: the one a person would say is being erased
// while the later ones, begun meanwhile, wait their turn.
void RunProgress::showOldest() {
    if (!inProgress_.empty()) {
        latest_.index = static_cast<std::int64_t>(inProgress_.begin()->first);
        latest_.pass = inProgress_.begin()->second;
    }
}

void RunProgress::began(std::size_t index) {
    const std::lock_guard lock(mutex_);
    inProgress_.emplace(index, 0);
    showOldest();
    changed();
}

void RunProgress::ended(std::size_t index, bool file) {
    const std::lock_guard lock(mutex_);
    inProgress_.erase(index);
    latest_.filesDone += file ? 1 : 0;
    showOldest();
    changed();
}

void RunProgress::passBegan(std::size_t index, std::int64_t pass) {
    const std::lock_guard lock(mutex_);
    if (const auto found = inProgress_.find(index); found != inProgress_.end()) {
        found->second = pass;
        showOldest();
        changed();
    }
}

void RunProgress::passDone() {
    const std::lock_guard lock(mutex_);
    complete(1);
}

void RunProgress::doneWithoutPasses(std::size_t index) {
    const std::lock_guard lock(mutex_);
    if (const auto found = inProgress_.find(index); found != inProgress_.end()) {
        found->second = passes_ - 1;
        showOldest();
    }
    complete(steps_);
}

void RunProgress::failed(std::int64_t passesLeft) {
    const std::lock_guard lock(mutex_);
    unwrittenOfFailed_ += passesLeft;
}

void RunProgress::complete(std::int64_t passes) {
    latest_.completedPasses = latest_.completedPasses.value_or(0) + passes + unwrittenOfFailed_;
    unwrittenOfFailed_ = 0;
    changed();
}

void RunProgress::changed() {
    unsent_ = true;
    if (interval_.count() == 0) {
        send();
        return;
    }
    if (*inQueue_) {
        return;
    }
    const auto now = now_();
    if (lastSent_ && now - *lastSent_ < interval_) {
        return;
    }
    lastSent_ = now;
    send();
}

void RunProgress::sendIfDue() {
    const std::lock_guard lock(mutex_);
    if (unsent_) {
        changed();
    }
}

void RunProgress::flush() {
    const std::lock_guard lock(mutex_);
    if (unsent_) {
        send();
    }
}

void RunProgress::send() {
    *inQueue_ = true;
    unsent_ = false;
    post_(latest_, inQueue_);
}

}  // namespace fendry
