#pragma once

#include <chrono>
#include <deque>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "EraseRun.h"
#include "ScriptedOps.h"
#include "TempFolder.h"

namespace testing_support {

// A run environment that keeps a run's background work and its updates for the main thread
// until the test lets them go, so that every state of a run can be looked at.
class HeldRun {
public:
    bool deliverAtOnce = false;  // as a main thread that is always idle

    fendry::RunEnvironment environment() {
        fendry::RunEnvironment environment;
        environment.runInBackground = [this](fendry::Task task) {
            background_.push_back(std::move(task));
        };
        environment.postToMain = [this](fendry::Task task) {
            deliverAtOnce ? task() : updates_.push_back(std::move(task));
        };
        return environment;
    }

    std::size_t workWaiting() const { return background_.size(); }
    std::size_t updatesWaiting() const { return updates_.size(); }
    // Lets a started run do all its work; its updates wait to be delivered.
    void runBackgroundWork() { runAll(background_, -1); }
    // Hands the run's waiting updates to the main thread, the first `count` of them or all;
    // says how many there were.
    int deliverUpdates(int count = -1) { return runAll(updates_, count); }
    void finish() {
        runBackgroundWork();
        deliverUpdates();
    }

private:
    static int runAll(std::deque<fendry::Task>& tasks, int count) {
        int ran = 0;
        for (; count != ran && !tasks.empty(); ++ran) {
            auto task = std::move(tasks.front());
            tasks.pop_front();
            task();
        }
        return ran;
    }

    std::deque<fendry::Task> background_;
    std::deque<fendry::Task> updates_;
};

inline const fendry::ShredMethod& quick() {
    return fendry::allMethods()[0];
}
inline const fendry::ShredMethod& safe() {
    return fendry::allMethods()[1];
}
inline const fendry::ShredMethod& stealth() {
    return fendry::allMethods()[2];
}

using Lines = std::vector<std::pair<std::string, fendry::PassFailure::Step>>;

// A held run over files in a temporary folder, through scripted file operations. One file in
// flight unless asked: the order of every call is then fixed.
struct RunHarness : HeldRun {
    TempFolder root;
    fendry::PendingList files;
    ScriptedOps ops;
    fendry::RunClock::time_point now{std::chrono::seconds(1000)};
    std::vector<fendry::RunState> seen;  // the state after every change
    fendry::EraseRun run;

    explicit RunHarness(std::chrono::milliseconds interval = {}, std::size_t inFlight = 1,
                        bool openat2 = true)
        : ops(openat2), run([&] {
              fendry::RunEnvironment environment = this->environment();
              environment.now = [this] { return now; };
              environment.pass.ops = &ops;
              environment.progressInterval = interval;
              environment.filesInFlight = inFlight;
              return environment;
          }()) {
        run.setOnChange([this] { seen.push_back(run.state()); });
    }

    std::filesystem::path operator/(const std::string& name) const { return root / name; }
    const fendry::RunState& state() const { return run.state(); }
    // Writes the file `name`, `size` bytes of `fill`.
    void file(const std::string& name, std::size_t size = 1, char fill = 'x') {
        writeFile(root / name, size, fill);
    }
    template <typename... Names>
    void add(const Names&... names) {
        (fendry::addPendingItem(files, root / std::string(names)), ...);
    }
    // Starts a run and lets its background work finish; its updates wait.
    void startAndWork(const fendry::ShredMethod& method, bool readBack = false) {
        run.startShredding(files, method, readBack);
        runBackgroundWork();
    }
    void runToEnd(const fendry::ShredMethod& method, bool readBack = false) {
        startAndWork(method, readBack);
        deliverUpdates();
    }

    // The failure lines of the finished run, as paths below the root with their steps.
    Lines failures() const {
        Lines lines;
        for (const auto& failed : state().failures) {
            lines.emplace_back(failed.item.string().substr(root.path().string().size() + 1),
                               failed.failure.step);
        }
        return lines;
    }
    bool failed(const std::string& item, fendry::PassFailure::Step step) const {
        const Lines lines = failures();
        return std::find(lines.begin(), lines.end(), std::pair{item, step}) != lines.end();
    }

    // The values a field of the state took, each change once.
    template <typename Field>
    std::vector<Field> changesOf(Field fendry::RunState::*field) const {
        std::vector<Field> values;
        for (const auto& state : seen) {
            if (values.empty() || values.back() != state.*field) {
                values.push_back(state.*field);
            }
        }
        return values;
    }
};

}  // namespace testing_support
