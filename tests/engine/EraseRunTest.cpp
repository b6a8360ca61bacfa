#include "EraseRun.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <deque>

#include "ScriptedOps.h"
#include "TempFolder.h"

using fendry::allMethods;
using fendry::EraseStats;
using fendry::RunClock;
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
    return allMethods()[0];
}
const fendry::ShredMethod& safe() {
    return allMethods()[1];
}
const fendry::ShredMethod& stealth() {
    return allMethods()[2];
}

// A run whose background work and main-thread queue the test steps by hand.
struct RunHarness {
    fendry::PendingList files;
    ScriptedOps ops;
    std::deque<fendry::Task> background;
    std::deque<fendry::Task> mainQueue;
    RunClock::time_point now = RunClock::time_point{} + 1000s;
    std::vector<RunState> seen;  // the state after every change
    fendry::EraseRun run{files, environment()};

    RunHarness() {
        run.setOnChange([this] { seen.push_back(run.state()); });
    }

    fendry::RunEnvironment environment() {
        fendry::RunEnvironment environment;
        environment.runInBackground = [this](fendry::Task task) {
            background.push_back(std::move(task));
        };
        environment.postToMain = [this](fendry::Task task) {
            mainQueue.push_back(std::move(task));
        };
        environment.now = [this] { return now; };
        environment.pass.ops = &ops;
        return environment;
    }

    void add(const fs::path& item) { fendry::addPendingItem(files, item); }

    // Starts a run and lets the background work finish; its updates stay queued.
    void startAndWork(const fendry::ShredMethod& method) {
        run.startShredding(method);
        ASSERT_EQ(background.size(), 1u);  // one work item per run
        auto work = std::move(background.front());
        background.clear();
        work();
    }
    void deliverAll() {
        while (!mainQueue.empty()) {
            auto update = std::move(mainQueue.front());
            mainQueue.pop_front();
            update();
        }
    }
    void runToEnd(const fendry::ShredMethod& method) {
        startAndWork(method);
        deliverAll();
    }

    std::vector<double> progressSteps() const {
        std::vector<double> steps;
        for (const auto& state : seen) {
            if (steps.empty() || steps.back() != state.shreddingProgress) {
                steps.push_back(state.shreddingProgress);
            }
        }
        return steps;
    }
};

TEST(EraseRun, OneFileWithSafeReportsEveryPassInOrderAndEndsWithItsStats) {
    TempFolder root;
    writeFile(root / "file", 3 * 1048576);
    RunHarness h;
    h.add(root / "file");

    h.startAndWork(safe());
    EXPECT_TRUE(h.run.state().isShredding);  // nothing reaches the screen until delivered
    EXPECT_EQ(h.run.state().totalFiles, 1);
    h.deliverAll();

    std::vector<std::int64_t> passes;
    for (const auto& state : h.seen) {
        EXPECT_EQ(state.currentFileIndex, 0);
        if (passes.empty() || passes.back() != state.currentPass) {
            passes.push_back(state.currentPass);
        }
    }
    EXPECT_EQ(passes, (std::vector<std::int64_t>{0, 1, 2, 3, 4, 5, 6}));
    std::vector<double> expected{0.0};
    for (int p = 1; p <= 7; ++p) {
        expected.push_back(p / 7.0);
    }
    EXPECT_EQ(h.progressSteps(), expected);

    const auto& end = h.run.state();
    EXPECT_FALSE(end.isShredding);
    EXPECT_TRUE(end.showCompletionAnimation);
    EXPECT_EQ(end.stats, (EraseStats{1, 3 * 1048576}));
    EXPECT_EQ(end.failedCount, 0);
    EXPECT_FALSE(entryExists(root / "file"));
    EXPECT_EQ(h.ops.count(Call::Open), 7);
    EXPECT_EQ(h.ops.count(Call::Remove), 1);
    EXPECT_EQ(h.files.size(), 1u);  // the pending list stays until "Start Again"
}

TEST(EraseRun, ProgressCountsByPositionAndJumpsPastAFailedItem) {
    TempFolder root;
    for (const char* name : {"a", "b", "c"}) {
        writeFile(root / name, 100);
    }
    RunHarness h;
    for (const char* name : {"a", "b", "c"}) {
        h.add(root / name);
    }
    h.ops.failures[Call::Open] = {EACCES, 36};  // the first pass of the second file

    h.runToEnd(stealth());

    const auto steps = h.progressSteps();
    const double total = 105;
    // After 35 passes of "a" the next step is the first pass of "c": (2P + 1) / 3P.
    const auto afterFirst = std::find(steps.begin(), steps.end(), 35 / total);
    ASSERT_NE(afterFirst, steps.end());
    EXPECT_EQ(*(afterFirst + 1), 71 / total);
    EXPECT_EQ(steps.back(), 1.0);
    const auto& end = h.run.state();
    EXPECT_EQ(end.stats, (EraseStats{2, 200}));
    EXPECT_EQ(end.failedCount, 1);
    ASSERT_EQ(end.failures.size(), 1u);
    EXPECT_EQ(end.failures[0].item, root / "b");
    EXPECT_EQ(end.failures[0].failure.error, EACCES);
    EXPECT_TRUE(entryExists(root / "b"));
}

TEST(EraseRun, ALastItemThatFailsLeavesProgressAtTheLastSuccessfulPass) {
    TempFolder root;
    writeFile(root / "a", 10);
    writeFile(root / "b", 10);
    RunHarness h;
    h.add(root / "a");
    h.add(root / "b");
    h.add(root / "missing");

    h.runToEnd(quick());

    EXPECT_DOUBLE_EQ(h.run.state().shreddingProgress, 2.0 / 3.0);
    EXPECT_EQ(h.run.state().failedCount, 1);
    EXPECT_EQ(h.run.state().stats, (EraseStats{2, 20}));
}

TEST(EraseRun, EstimatesTheRemainingTimeOnlyOnceAPassHasCompleted) {
    TempFolder root;
    writeFile(root / "a", 10);
    RunHarness h;
    h.add(root / "a");
    h.startAndWork(safe());
    EXPECT_FALSE(h.run.state().estimatedTimeRemaining.has_value());

    h.now += 10s;
    while (h.run.state().shreddingProgress == 0.0) {
        ASSERT_FALSE(h.mainQueue.empty());
        h.mainQueue.front()();
        h.mainQueue.pop_front();
        if (h.run.state().shreddingProgress == 0.0) {
            EXPECT_FALSE(h.run.state().estimatedTimeRemaining.has_value());
        }
    }
    // elapsed × (t − c) ÷ c = 10 × 6 ÷ 1
    ASSERT_TRUE(h.run.state().estimatedTimeRemaining.has_value());
    EXPECT_NEAR(*h.run.state().estimatedTimeRemaining, 60.0, 1e-9);
}

TEST(EraseRun, RemovesPendingFoldersWholeOnlyAfterTheLastItem) {
    TempFolder root;
    writeFile(root / "folder/sub/one", 5);
    writeFile(root / "folder/two", 7);
    fs::create_directories(root / "folder/empty");
    writeFile(root / "after", 3);
    fs::create_directories(root / "only-empty");
    RunHarness h;
    h.add(root / "folder");
    h.add(root / "after");
    h.add(root / "only-empty");
    // The pending folder must still exist when the item after it is removed.
    struct Watch : ScriptedOps {
        fs::path folder;
        bool folderPresentAtLastRemoval = false;
        int removeEntry(const std::string& path) override {
            folderPresentAtLastRemoval = entryExists(folder);
            return ScriptedOps::removeEntry(path);
        }
    };
    Watch watch;
    watch.folder = root / "folder";
    fendry::RunEnvironment environment = h.environment();
    environment.pass.ops = &watch;
    fendry::EraseRun run(h.files, environment);
    run.startShredding(quick());
    h.background.front()();
    h.deliverAll();

    EXPECT_TRUE(watch.folderPresentAtLastRemoval);
    EXPECT_EQ(run.state().stats, (EraseStats{3, 15}));
    EXPECT_EQ(run.state().failedCount, 0);
    EXPECT_FALSE(entryExists(root / "folder"));
    EXPECT_FALSE(entryExists(root / "only-empty"));
}

TEST(EraseRun, APendingListOfAnEmptyFolderFinishesWithNothingErased) {
    TempFolder root;
    fs::create_directories(root / "empty");
    RunHarness h;
    h.add(root / "empty");
    h.runToEnd(safe());
    EXPECT_EQ(h.run.state().totalFiles, 0);
    EXPECT_EQ(h.progressSteps(), std::vector<double>{0.0});
    EXPECT_EQ(h.run.state().stats, (EraseStats{0, 0}));
    EXPECT_EQ(h.run.state().failedCount, 0);
    EXPECT_TRUE(h.run.state().showCompletionAnimation);
    EXPECT_FALSE(entryExists(root / "empty"));
}

TEST(EraseRun, RemovesLinksAsThemselvesAndNeverTouchesWhatTheyPointTo) {
    TempFolder root;
    writeFile(root / "outside/secret", "keep me");
    writeFile(root / "outside/dir/inner", "keep me too");
    writeFile(root / "folder/own", 4);
    fs::create_symlink(root / "outside/secret", root / "folder/link");
    fs::create_directory_symlink(root / "outside/dir", root / "dropped-link");
    RunHarness h;
    h.add(root / "folder");
    h.add(root / "dropped-link");

    h.runToEnd(safe());

    EXPECT_EQ(readFile(root / "outside/secret"), "keep me");
    EXPECT_EQ(readFile(root / "outside/dir/inner"), "keep me too");
    EXPECT_FALSE(entryExists(root / "folder"));
    EXPECT_FALSE(entryExists(root / "dropped-link"));
    // Two links and one file, erased; links add no bytes.
    EXPECT_EQ(h.run.state().stats, (EraseStats{3, 4}));
    EXPECT_EQ(h.run.state().failedCount, 0);
    EXPECT_EQ(h.run.state().shreddingProgress, 1.0);
}

TEST(EraseRun, AFifoInsideAFolderCountsAsNotErasedAndTheRunGoesOn) {
    TempFolder root;
    writeFile(root / "folder/a", 8);
    ASSERT_EQ(::mkfifo((root / "folder/pipe").c_str(), 0600), 0);
    writeFile(root / "folder/b", 8);
    RunHarness h;
    h.add(root / "folder");

    h.runToEnd(quick());  // would block for ever if the FIFO were opened

    EXPECT_EQ(h.run.state().stats, (EraseStats{2, 16}));
    EXPECT_EQ(h.run.state().failedCount, 1);
    EXPECT_EQ(h.run.state().failures.at(0).item, root / "folder/pipe");
    EXPECT_FALSE(entryExists(root / "folder"));
}

TEST(EraseRun, AFilePendingOnItsOwnAndInsideAPendingFolderIsErasedOnce) {
    TempFolder root;
    writeFile(root / "folder/file", 10);
    writeFile(root / "folder/nested/other", 20);
    RunHarness h;
    h.add(root / "folder/file");
    h.add(root / "folder");
    h.add(root / "folder/nested");

    h.runToEnd(quick());

    EXPECT_EQ(h.run.state().totalFiles, 2);
    EXPECT_EQ(h.run.state().stats, (EraseStats{2, 30}));
    EXPECT_EQ(h.run.state().failedCount, 0);
    EXPECT_FALSE(entryExists(root / "folder"));
}

TEST(EraseRun, StartAgainClearsTheListAndTheNextRunStartsAfresh) {
    TempFolder root;
    writeFile(root / "a", 10);
    RunHarness h;
    h.add(root / "a");
    h.add(root / "missing");
    h.runToEnd(quick());
    ASSERT_EQ(h.run.state().failedCount, 1);

    h.run.startAgain();
    EXPECT_TRUE(h.files.empty());
    EXPECT_EQ(h.run.state().stats, (EraseStats{0, 0}));
    EXPECT_EQ(h.run.state().failedCount, 0);
    EXPECT_FALSE(h.run.state().showCompletionAnimation);

    writeFile(root / "b", 10);
    h.add(root / "b");
    h.run.startShredding(quick());
    EXPECT_EQ(h.run.state().shreddingProgress, 0.0);
    EXPECT_FALSE(h.run.state().estimatedTimeRemaining.has_value());
    EXPECT_TRUE(h.run.state().failures.empty());
}

}  // namespace
