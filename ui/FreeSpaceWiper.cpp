#include "FreeSpaceWiper.h"

#include <QDir>
#include <mutex>

#include "EngineTexts.h"
#include "Format.h"
#include "LocalPaths.h"
#include "WipeTexts.h"

namespace fendry {

namespace {

// Until this much has been written, the pace is too young to tell the time left.
constexpr std::int64_t kPaceAfter = 64 * 1'048'576;
// The share of the ring the fill takes; the inodes and the journal take the rest.
constexpr double kFillShare = 0.9;

// The latest progress of a wipe, handed to the main thread: at most one update waits in its
// queue, and it takes the latest when it runs, so that the last step always arrives.
struct LatestProgress {
    std::mutex mutex;
    WipeProgress progress;
    std::atomic<bool> inQueue = false;
};

}  // namespace

FreeSpaceWiper::FreeSpaceWiper(RunEnvironment environment, std::function<bool()> otherWorkBusy,
                               std::shared_ptr<const StorageProbe> probe, WipeEngine engine,
                               QObject* parent)
    : QObject(parent),
      environment_(std::move(environment)),
      otherWorkBusy_(std::move(otherWorkBusy)),
      probe_(probe ? std::move(probe) : std::make_shared<const StorageProbe>()),
      engine_(std::move(engine)) {}

QUrl FreeSpaceWiper::startFolder() const {
    return QUrl::fromLocalFile(QDir::homePath());
}

QString FreeSpaceWiper::fileSystem() const {
    return target_ ? wipe_texts::fileSystemText(*target_) : QString();
}

QString FreeSpaceWiper::amount() const {
    return target_ ? wipe_texts::amountText(*target_) : QString();
}

QString FreeSpaceWiper::duration() const {
    return target_ ? wipe_texts::durationText(fillTimeRange(target_->freeBytes, rotational_))
                   : QString();
}

QString FreeSpaceWiper::fullDisk() const {
    return wipe_texts::fullDiskText();
}

QString FreeSpaceWiper::reserve() const {
    return target_ ? wipe_texts::reserveText(*target_) : QString();
}

double FreeSpaceWiper::progress() const {
    switch (progress_.step) {
        case WipeProgress::Step::Fill:
            return progress_.planned > 0
                       ? kFillShare * std::min(1.0, static_cast<double>(progress_.written) /
                                                        static_cast<double>(progress_.planned))
                       : 0.0;
        case WipeProgress::Step::Inodes:
            return kFillShare + (1.0 - kFillShare) / 2 * progress_.stepDone;
        case WipeProgress::Step::Journal:
            return (1.0 + kFillShare) / 2 + (1.0 - kFillShare) / 2 * progress_.stepDone;
    }
    return 0.0;
}

QString FreeSpaceWiper::stepText() const {
    return wipe_texts::stepText(progress_.step);
}

QString FreeSpaceWiper::writtenText() const {
    return wipe_texts::writtenOfText(progress_);
}

QString FreeSpaceWiper::estimateText() const {
    return estimate_ ? QString::fromStdString(formatTime(*estimate_)) : QString();
}

QString FreeSpaceWiper::title() const {
    return result_ ? wipe_texts::titleText(*result_) : QString();
}

QStringList FreeSpaceWiper::doneLines() const {
    return result_ ? wipe_texts::doneLines(*result_) : QStringList();
}

QStringList FreeSpaceWiper::notReachedLines() const {
    return result_ ? wipe_texts::notReachedLines(*result_) : QStringList();
}

void FreeSpaceWiper::inspect(const QUrl& folder) {
    if (state_ != State::Idle && state_ != State::Refused) {
        return;
    }
    const auto path = localPathOf(folder);
    if (!path) {
        return;  // a folder picker gives local folders only
    }
    folder_ = displayPathOf(*path);
    setState(State::Inspecting);
    // Looking can wait on a slow or stuck file system: not on the main thread.
    environment_.runInBackground([this, path = *path, probe = probe_, inspect = engine_.inspect,
                                  post = environment_.postToMain] {
        auto inspected = inspect(path);
        std::optional<StorageFacts> facts;
        if (std::holds_alternative<FreeSpaceTarget>(inspected)) {
            facts = probe->factsOf(path);
        }
        post([this, inspected = std::move(inspected), facts] {
            if (state_ != State::Inspecting) {
                return;
            }
            if (const auto* refusal = std::get_if<WipeRefusal>(&inspected)) {
                target_.reset();
                refusal_ = wipe_texts::refusalText(*refusal);
                setState(State::Refused);
                return;
            }
            target_ = std::get<FreeSpaceTarget>(inspected);
            rotational_ = facts ? facts->rotational : std::nullopt;
            caution_ = facts ? engine_texts::cautionSentence(cautionsFor(*facts), CautionFor::WipingFreeSpace)
                             : QString();
            refusal_.clear();
            setState(State::Confirming);
        });
    });
}

void FreeSpaceWiper::start() {
    if (state_ != State::Confirming || !target_ || (otherWorkBusy_ && otherWorkBusy_())) {
        return;
    }
    progress_ = WipeProgress{};
    progress_.planned = target_->freeBytes;
    estimate_.reset();
    result_.reset();
    fillStart_ = environment_.now();
    stopRequested_ = std::make_shared<std::atomic<bool>>(false);
    setState(State::Wiping);
    emit progressChanged();

    auto latest = std::make_shared<LatestProgress>();
    environment_.runInBackground([this, target = *target_, stop = stopRequested_, latest,
                                  wipe = engine_.wipe, post = environment_.postToMain] {
        WipeContext context;
        context.keepGoing = [stop] { return !*stop; };
        context.progress = [this, latest, post](const WipeProgress& progress) {
            {
                const std::lock_guard lock(latest->mutex);
                latest->progress = progress;
            }
            if (!latest->inQueue.exchange(true)) {
                post([this, latest] {
                    latest->inQueue = false;
                    WipeProgress now;
                    {
                        const std::lock_guard lock(latest->mutex);
                        now = latest->progress;
                    }
                    showProgress(now);
                });
            }
        };
        const WipeResult result = wipe(target, context);
        post([this, result] {
            result_ = result;
            setState(State::Finished);
        });
    });
}

void FreeSpaceWiper::showProgress(const WipeProgress& progress) {
    if (state_ != State::Wiping) {
        return;
    }
    progress_ = progress;
    estimate_.reset();
    const double seconds =
        fillStart_ ? std::chrono::duration<double>(environment_.now() - *fillStart_).count() : 0;
    if (progress.step == WipeProgress::Step::Fill && progress.written >= kPaceAfter &&
        seconds > 0) {
        estimate_ =
            static_cast<double>(std::max<std::int64_t>(progress.planned - progress.written, 0)) *
            seconds / static_cast<double>(progress.written);
    }
    emit progressChanged();
}

void FreeSpaceWiper::cancel() {
    if (state_ == State::Confirming || state_ == State::Refused || state_ == State::Inspecting) {
        setState(State::Idle);
    }
}

void FreeSpaceWiper::finish() {
    if (state_ == State::Finished) {
        setState(State::Idle);
    }
}

void FreeSpaceWiper::stop() {
    if (stopRequested_) {
        *stopRequested_ = true;
    }
}

void FreeSpaceWiper::setState(State state) {
    if (state != state_) {
        state_ = state;
        emit stateChanged();
    }
}

}  // namespace fendry
