#pragma once

#include <chrono>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "EraseRun.h"
#include "ScriptedOps.h"
#include "TempFolder.h"

namespace testing_support {

inline const fendry::ShredMethod& quick() {
    return fendry::allMethods()[0];
}
inline const fendry::ShredMethod& safe() {
    return fendry::allMethods()[1];
}
inline const fendry::ShredMethod& stealth() {
    return fendry::allMethods()[2];
}

// A run over files in a temporary folder whose background work and main-thread queue the test
// steps by hand. One file in flight unless asked: the order of every call is then fixed.
struct RunHarness {
    TempFolder root;
    fendry::PendingList files;
    ScriptedOps ops;
    std::deque<fendry::Task> background;
    std::deque<fendry::Task> mainQueue;
    fendry::RunClock::time_point now{std::chrono::seconds(1000)};
    std::vector<fendry::RunState> seen;  // the state after every change
    std::chrono::milliseconds progressInterval;
    std::size_t filesInFlight;
    bool deliverAtOnce = false;  // as a main thread that is always idle
    fendry::EraseRun run{{[this](fendry::Task task) { background.push_back(task); },
                          [this](fendry::Task task) {
                              if (deliverAtOnce) {
                                  task();
                              } else {
                                  mainQueue.push_back(task);
                              }
                          },
                          [this] { return now; },
                          {&ops},
                          progressInterval,
                          filesInFlight}};

    explicit RunHarness(std::chrono::milliseconds interval = std::chrono::milliseconds(0),
                        std::size_t inFlight = 1, bool openat2 = true)
        : ops(openat2), progressInterval(interval), filesInFlight(inFlight) {
        run.setOnChange([this] { seen.push_back(run.state()); });
    }
    std::filesystem::path operator/(const std::string& name) const { return root / name; }
    void add(const std::string& name) { fendry::addPendingItem(files, root / name); }
    const fendry::RunState& state() const { return run.state(); }

    // Starts a run and lets its one background work item finish; its updates stay queued.
    void startAndWork(const fendry::ShredMethod& method) {
        run.startShredding(files, method);
        ASSERT_EQ(background.size(), 1u);
        background.front()();
        background.clear();
    }
    bool deliverOne() {
        if (mainQueue.empty()) {
            return false;
        }
        auto update = std::move(mainQueue.front());
        mainQueue.pop_front();
        update();
        return true;
    }
    void runToEnd(const fendry::ShredMethod& method) {
        startAndWork(method);
        while (deliverOne()) {
        }
    }
    // The failure lines of the finished run, as "path relative to the root: step".
    std::vector<std::pair<std::string, fendry::PassFailure::Step>> failures() const {
        std::vector<std::pair<std::string, fendry::PassFailure::Step>> lines;
        for (const auto& failed : state().failures) {
            lines.emplace_back(failed.item.string().substr(root.path().string().size() + 1),
                               failed.failure.step);
        }
        return lines;
    }

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
