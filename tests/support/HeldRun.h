#pragma once

#include <deque>

#include "EraseRun.h"

namespace testing_support {

// A run environment that keeps a run's background work and its updates for the main thread
// until the test lets them go, so that every state of a run can be looked at.
class HeldRun {
public:
    fendry::RunEnvironment environment() {
        fendry::RunEnvironment environment;
        environment.runInBackground = [this](fendry::Task task) {
            background_.push_back(std::move(task));
        };
        environment.postToMain = [this](fendry::Task task) { updates_.push_back(std::move(task)); };
        return environment;
    }

    // Lets a started run do all its work; its updates wait to be delivered.
    void runBackgroundWork() { runAll(background_, -1); }
    // Hands the run's waiting updates to the main thread, the first `count` of them or all.
    void deliverUpdates(int count = -1) { runAll(updates_, count); }
    void finish() {
        runBackgroundWork();
        deliverUpdates();
    }

private:
    static void runAll(std::deque<fendry::Task>& tasks, int count) {
        for (; count != 0 && !tasks.empty(); --count) {
            auto task = std::move(tasks.front());
            tasks.pop_front();
            task();
        }
    }

    std::deque<fendry::Task> background_;
    std::deque<fendry::Task> updates_;
};

}  // namespace testing_support
