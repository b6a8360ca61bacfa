#include "EraseRun.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <deque>

#include "ScriptedOps.h"
#include "TempFolder.h"

using fendry::EraseStats;
using fendry::RunState;
using testing_support::entryExists;
using testing_support::readFile;
using testing_support::ScriptedOps;
using testing_support::TempFolder;
using testing_support::writeFile;
using Call = ScriptedOps::Call;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const fendry::ShredMethod& quick() {
    return fendry::allMethods()[0];
}
const fendry::ShredMethod& safe() {
    return fendry::allMethods()[1];
}
const fendry::ShredMethod& stealth() {
    return fendry::allMethods()[2];
}

// A run over files in a temporary folder whose background work and main-thread queue the test
// steps by hand.
struct RunHarness {
    TempFolder root;
    fendry::PendingList files;
    ScriptedOps ops;
    std::deque<fendry::Task> background;
    std::deque<fendry::Task> mainQueue;
    fendry::RunClock::time_point now{1000s};
    std::vector<RunState> seen;  // the state after every change
    std::chrono::milliseconds progressInterval;
    fendry::EraseRun run{files,
                         {[this](fendry::Task task) { background.push_back(task); },
                          [this](fendry::Task task) { mainQueue.push_back(task); },
                          [this] { return now; },
                          {&ops},
                          progressInterval}};

    explicit RunHarness(std::chrono::milliseconds interval = 0ms) : progressInterval(interval) {
        run.setOnChange([this] { seen.push_back(run.state()); });
    }
    fs::path operator/(const std::string& name) const { return root / name; }
    void add(const std::string& name) { fendry::addPendingItem(files, root / name); }
    const RunState& state() const { return run.state(); }

    // Starts a run and lets its one background work item finish; its updates stay queued.
    void startAndWork(const fendry::ShredMethod& method) {
        run.startShredding(method);
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

    template <typename Field>
    std::vector<Field> changesOf(Field RunState::*field) const {
        std::vector<Field> values;
        for (const auto& state : seen) {
            if (values.empty() || values.back() != state.*field) {
                values.push_back(state.*field);
            }
        }
        return values;
    }
};

TEST(EraseRun, OneFileWithSafeReportsEveryPassInOrderAndEndsWithItsStats) {
    RunHarness h;
    writeFile(h / "file", 3 * 1048576);
    h.add("file");

    h.startAndWork(safe());
    EXPECT_TRUE(h.state().isShredding);  // nothing reaches the screen until delivered
    EXPECT_EQ(h.state().filesToProcess, nullptr);
    ASSERT_TRUE(h.deliverOne());  // the work list comes first
    ASSERT_NE(h.state().filesToProcess, nullptr);
    EXPECT_EQ(*h.state().filesToProcess, std::vector<fs::path>{h / "file"});
    EXPECT_EQ(h.state().totalFiles, 1);
    while (h.deliverOne()) {
    }

    EXPECT_EQ(h.changesOf(&RunState::currentFileIndex), std::vector<std::int64_t>{0});
    EXPECT_EQ(h.changesOf(&RunState::currentPass),
              (std::vector<std::int64_t>{0, 1, 2, 3, 4, 5, 6}));
    std::vector<double> progress{0.0};
    for (int p = 1; p <= 7; ++p) {
        progress.push_back(p / 7.0);
    }
    EXPECT_EQ(h.changesOf(&RunState::shreddingProgress), progress);
    EXPECT_FALSE(h.state().isShredding);
    EXPECT_TRUE(h.state().showCompletionAnimation);
    EXPECT_EQ(h.state().stats, (EraseStats{1, 3 * 1048576}));
    EXPECT_EQ(h.state().failedCount, 0);
    EXPECT_FALSE(entryExists(h / "file"));
    EXPECT_EQ(h.ops.count(Call::Open), 7);
    EXPECT_EQ(h.files.size(), 1u);  // the pending list stays until "Start Again"
}

TEST(EraseRun, ProgressCountsByPositionJumpingPastFailedItems) {
    RunHarness h;
    for (const char* name : {"a", "b", "c"}) {
        writeFile(h / name, 100);
        h.add(name);
    }
    h.add("missing");
    h.ops.failures[Call::Open] = {EACCES, 36};  // the first pass of "b"

    h.runToEnd(stealth());

    // 140 passes in all; after the 35 of "a" the next step is the first pass of "c".
    const auto steps = h.changesOf(&RunState::shreddingProgress);
    const auto afterA = std::find(steps.begin(), steps.end(), 35 / 140.0);
    ASSERT_NE(afterA, steps.end());
    EXPECT_EQ(*(afterA + 1), 71 / 140.0);
    EXPECT_EQ(steps.back(), 105 / 140.0);  // the last item failed: progress stays below 1
    EXPECT_EQ(h.state().stats, (EraseStats{2, 200}));
    EXPECT_EQ(h.state().failedCount, 2);
    ASSERT_EQ(h.state().failures.size(), 2u);
    EXPECT_EQ(h.state().failures[0].item, h / "b");
    EXPECT_EQ(h.state().failures[0].failure.error, EACCES);
    EXPECT_EQ(h.state().failures[1].failure.error, ENOENT);
    EXPECT_TRUE(entryExists(h / "b"));
}

TEST(EraseRun, CoalescedUpdatesShowOnlyReachedPointsAndEndExact) {
    RunHarness h(1h);  // longer than any run: only the first point and the last get through
    for (const char* name : {"a", "b", "c"}) {
        writeFile(h / name, 10);
        h.add(name);
    }
    h.startAndWork(stealth());
    EXPECT_EQ(h.mainQueue.size(), 4u);  // work list, first point, last point, finish
    while (h.deliverOne()) {
    }

    ASSERT_EQ(h.seen.size(), 5u);  // the start, then the four delivered
    EXPECT_EQ(h.seen[2].currentFileIndex, 0);
    EXPECT_EQ(h.seen[2].shreddingProgress, 0.0);
    EXPECT_EQ(h.seen[3].currentFileIndex, 2);
    EXPECT_EQ(h.seen[3].currentPass, 34);
    EXPECT_EQ(h.seen[3].shreddingProgress, 1.0);
    EXPECT_EQ(h.state().stats, (EraseStats{3, 30}));
}

TEST(EraseRun, AStoppedRunEndsAfterThePassItIsWritingAndReportsNothingMore) {
    RunHarness h;
    writeFile(h / "a", "keep");
    writeFile(h / "b", "keep");
    h.add("a");
    h.add("b");
    h.ops.beforeRemove = [&](const std::string&) { h.run.stop(); };  // during the 7th pass of "a"
    h.startAndWork(safe());

    EXPECT_FALSE(entryExists(h / "a"));  // that pass was finished, file removed
    EXPECT_EQ(readFile(h / "b"), "keep");
    while (h.deliverOne()) {
    }
    EXPECT_TRUE(h.state().isShredding);  // no result was reported
    EXPECT_FALSE(h.state().showCompletionAnimation);
}

TEST(EraseRun, EstimatesTheRemainingTimeOnlyOnceAPassHasCompleted) {
    RunHarness h;
    writeFile(h / "a", 10);
    h.add("a");
    h.startAndWork(safe());
    h.now += 10s;
    while (h.state().shreddingProgress == 0.0 && h.deliverOne()) {
        if (h.state().shreddingProgress == 0.0) {
            EXPECT_FALSE(h.state().estimatedTimeRemaining.has_value());
        }
    }
    ASSERT_TRUE(h.state().estimatedTimeRemaining.has_value());
    EXPECT_NEAR(*h.state().estimatedTimeRemaining, 60.0, 1e-9);  // 10 s × (7 − 1) ÷ 1
}

TEST(EraseRun, ErasesEachFileOnceAndRemovesPendingFoldersWholeOnlyAfterTheLastItem) {
    RunHarness h;
    writeFile(h / "folder/sub/one", 5);
    writeFile(h / "folder/two", 7);
    fs::create_directories(h / "folder/empty");
    writeFile(h / "after", 3);
    fs::create_directories(h / "only-empty");
    h.add("folder/two");  // also reached through "folder" and "folder/sub"
    h.add("folder");
    h.add("folder/sub");
    h.add("after");
    h.add("only-empty");
    bool folderPresentAtLastRemoval = false;
    h.ops.beforeRemove = [&](const std::string&) {
        folderPresentAtLastRemoval = entryExists(h / "folder");
    };

    h.runToEnd(quick());

    EXPECT_TRUE(folderPresentAtLastRemoval);
    EXPECT_EQ(h.state().totalFiles, 3);
    EXPECT_EQ(h.state().stats, (EraseStats{3, 15}));
    EXPECT_EQ(h.state().failedCount, 0);
    EXPECT_FALSE(entryExists(h / "folder"));
    EXPECT_FALSE(entryExists(h / "only-empty"));
}

TEST(EraseRun, NeverTouchesWhatALinkPointsToAndSkipsSpecialFiles) {
    RunHarness h;
    writeFile(h / "outside/secret", "keep me");
    writeFile(h / "outside/dir/inner", "keep me too");
    writeFile(h / "folder/own", 4);
    fs::create_symlink(h / "outside/secret", h / "folder/link");
    ASSERT_EQ(::mkfifo((h / "folder/pipe").c_str(), 0600), 0);  // opening it would block
    fs::create_directory_symlink(h / "outside/dir", h / "dropped-link");
    h.add("folder");
    h.add("dropped-link");

    h.runToEnd(safe());

    EXPECT_EQ(readFile(h / "outside/secret"), "keep me");
    EXPECT_EQ(readFile(h / "outside/dir/inner"), "keep me too");
    EXPECT_FALSE(entryExists(h / "folder"));
    EXPECT_FALSE(entryExists(h / "dropped-link"));
    EXPECT_EQ(h.state().stats, (EraseStats{3, 4}));  // two links of 0 bytes and one file
    EXPECT_EQ(h.state().failedCount, 1);
    EXPECT_EQ(h.state().failures.at(0).item, h / "folder/pipe");
    EXPECT_EQ(h.state().shreddingProgress, 1.0);  // the link came last
}

TEST(EraseRun, StartAgainClearsTheListAndTheNextRunStartsAfresh) {
    RunHarness h;
    fs::create_directories(h / "empty");
    h.add("empty");
    h.add("missing");
    h.runToEnd(quick());
    EXPECT_EQ(h.state().totalFiles, 1);
    ASSERT_EQ(h.state().failedCount, 1);

    h.run.startAgain();
    EXPECT_TRUE(h.files.empty());
    EXPECT_EQ(h.state().stats, (EraseStats{0, 0}));
    EXPECT_EQ(h.state().failedCount, 0);
    EXPECT_FALSE(h.state().showCompletionAnimation);

    h.add("empty-again");
    h.run.startShredding(quick());
    EXPECT_EQ(h.state().shreddingProgress, 0.0);
    EXPECT_FALSE(h.state().estimatedTimeRemaining.has_value());
    EXPECT_TRUE(h.state().failures.empty());
}

}  // namespace
