// The rules a run keeps while it erases several files at once.

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <optional>

#include "HeldRun.h"

using fendry::EraseStats;
using Step = fendry::PassFailure::Step;
using testing_support::entryExists;
using testing_support::quick;
using testing_support::RunHarness;
using testing_support::safe;
using testing_support::ScriptedOps;
using testing_support::writeFile;
using Call = ScriptedOps::Call;
using Logged = ScriptedOps::Logged;
using namespace std::chrono_literals;

namespace {

// Where in the log a call about `name` starts, or returns; nullopt when it never does.
std::optional<std::size_t> find(const std::vector<Logged>& log, Call call, const std::string& name,
                                bool returned, std::size_t from = 0) {
    for (std::size_t i = from; i < log.size(); ++i) {
        if (log[i].call == call && log[i].name == name && log[i].returned == returned) {
            return i;
        }
    }
    return std::nullopt;
}

// Whether the removal of `name` returned and a sync of `folder` began after it and succeeded:
// only then may the file count as erased.
bool removalSynced(const std::vector<Logged>& log, const std::string& name,
                   const std::string& folder) {
    const auto removed = find(log, Call::Remove, name, true);
    if (!removed || log[*removed].error != 0) {
        return false;
    }
    for (auto sync = find(log, Call::Sync, folder, false, *removed); sync;
         sync = find(log, Call::Sync, folder, false, *sync + 1)) {
        const auto done = find(log, Call::Sync, folder, true, *sync);
        if (done && log[*done].error == 0) {
            return true;
        }
    }
    return false;
}

// "d<d>/d<d>-f<f>" for `folders` folders of `perFolder` files each, all below "sel".
std::vector<std::pair<std::string, std::string>> makeFolders(RunHarness& h, int folders,
                                                             int perFolder, std::size_t size) {
    std::vector<std::pair<std::string, std::string>> files;  // folder, name
    for (int d = 1; d <= folders; ++d) {
        const std::string folder = "d" + std::to_string(d);
        for (int f = 0; f < perFolder; ++f) {
            const std::string name = folder + "-f" + std::to_string(f);
            writeFile(h / ("sel/" + folder + "/" + name), size + static_cast<std::size_t>(f) * 700);
            files.emplace_back(folder, name);
        }
    }
    h.add("sel");
    return files;
}

// A folder is synced once for the new names of all its files, and once for their removals.
TEST(FilesInFlight, EachPassFollowsTheSyncOfTheOneBeforeAndEachFolderIsSyncedTwiceForAll) {
    for (const std::size_t inFlight : {1, 4}) {
        RunHarness h(0ms, inFlight);
        const auto files = makeFolders(h, 3, 8, 0);

        h.runToEnd(safe());

        EXPECT_EQ(h.state().stats.fileCount, 24) << inFlight;
        EXPECT_TRUE(h.state().failures.empty()) << inFlight;
        EXPECT_FALSE(entryExists(h / "sel")) << inFlight;
        const auto& log = h.ops.log;
        for (const auto& [folder, name] : files) {
            int passes = 0;
            bool syncedSincePass = true;
            for (const Logged& call : log) {
                if (call.name != name) {
                    continue;
                }
                if (call.call == Call::Open && !call.returned) {
                    EXPECT_TRUE(syncedSincePass) << name << " pass " << passes << ", " << inFlight;
                    ++passes;
                    syncedSincePass = false;
                } else if (call.call == Call::Sync && call.returned && call.error == 0) {
                    syncedSincePass = true;
                }
            }
            EXPECT_EQ(passes, 7) << name;
            EXPECT_TRUE(removalSynced(log, name, folder)) << name << ", " << inFlight;
        }
        for (const char* folder : {"d1", "d2", "d3"}) {
            EXPECT_EQ(std::count_if(log.begin(), log.end(),
                                    [&](const Logged& call) {
                                        return call.call == Call::Sync && !call.returned &&
                                               call.name == folder;
                                    }),
                      2)
                << folder << ", " << inFlight;
        }
    }
}

// When the new names cannot be synced, nothing is removed, and each file keeps its own name.
TEST(FilesInFlight, RemovalsWhoseFolderSyncFailsAreNotCounted) {
    RunHarness h(0ms, 4);
    for (int i = 0; i < 6; ++i) {
        writeFile(h / ("sel/good/g" + std::to_string(i)), 10);
        writeFile(h / ("sel/bad/b" + std::to_string(i)), 10);
    }
    h.add("sel");
    h.ops.failures[Call::Sync] = {EIO, 0, "bad"};

    h.runToEnd(quick());

    EXPECT_EQ(h.state().stats, (EraseStats{6, 60}));
    int unsynced = 0;
    for (const auto& [item, step] : h.failures()) {
        if (step == Step::Rename) {
            EXPECT_EQ(item.rfind("sel/bad/b", 0), 0u) << item;
            EXPECT_TRUE(entryExists(h / item)) << item;
            ++unsynced;
        }
    }
    EXPECT_EQ(unsynced, 6);
}

TEST(FilesInFlight, AFailingFileLeavesTheOthersToFinishAndLinesComeInWorkListOrder) {
    for (const std::size_t inFlight : {1, 4}) {
        RunHarness h(0ms, inFlight);
        for (int i = 0; i < 12; ++i) {
            writeFile(h / ("sel/f" + std::to_string(i)), 3000);
        }
        h.add("sel");
        h.ops.failures[Call::Open] = {EACCES, 0, "f3"};
        h.ops.failures[Call::Write] = {EIO, 0, "f7"};

        h.runToEnd(safe());

        EXPECT_EQ(h.state().stats, (EraseStats{10, 30000})) << inFlight;
        for (int i = 0; i < 12; ++i) {
            EXPECT_EQ(entryExists(h / ("sel/f" + std::to_string(i))), i == 3 || i == 7) << i;
        }
        const auto& list = *h.state().workList;
        std::vector<std::pair<std::string, Step>> expected{{"sel/f3", Step::Open},
                                                           {"sel/f7", Step::Write}};
        const auto position = [&](const std::string& name) {
            for (std::size_t i = 0; i < list.entries.size(); ++i) {
                if (list.nameOf(list.entries[i]) == name) {
                    return i;
                }
            }
            return list.entries.size();
        };
        if (position("f7") < position("f3")) {
            std::swap(expected[0], expected[1]);
        }
        expected.emplace_back("sel/", Step::FolderKept);
        EXPECT_EQ(h.failures(), expected) << inFlight;
    }
}

TEST(FilesInFlight, AStoppedRunCountsExactlyTheFilesWhoseRemovalWasSynced) {
    for (const std::size_t inFlight : {1, 4}) {
        RunHarness h(0ms, inFlight);
        const auto files = makeFolders(h, 3, 10, 3000);
        std::atomic<int> removals = 0;
        h.ops.before = [&](Call call, const std::string&) {
            if (call == Call::Remove && ++removals == 12) {
                h.run.stop();
            }
        };

        h.runToEnd(safe());

        EXPECT_TRUE(h.state().stopped);
        int gone = 0;
        for (const auto& [folder, name] : files) {
            if (!entryExists(h / ("sel/" + folder + "/" + name))) {
                ++gone;
                EXPECT_TRUE(removalSynced(h.ops.log, name, folder)) << name << ", " << inFlight;
            }
        }
        EXPECT_GE(gone, 12) << inFlight;
        EXPECT_EQ(h.state().stats.fileCount, gone) << inFlight;
        for (const auto& [item, step] : h.failures()) {
            EXPECT_EQ(step, Step::Stopped) << item;
        }
        EXPECT_EQ(h.state().stats.fileCount + h.state().failedCount() + h.state().notReached, 30)
            << inFlight;
    }
}

TEST(FilesInFlight, ProgressNeverGoesBackNorRunsAheadOfSyncedWork) {
    constexpr std::size_t kInFlight = 4;
    RunHarness h(0ms, kInFlight);
    h.deliverAtOnce = true;
    makeFolders(h, 4, 10, 1500);
    writeFile(h / "sel/d1/d1-large", 3 * 1048576);  // several chunks, and a chance to send each
    const auto aboutAFile = [](const Logged& call) {
        return call.name.find("-") != std::string::npos;
    };
    struct Seen {
        double progress;
        std::int64_t filesDone;
        int syncedPasses;  // passes of files whose sync had returned
        int renamed;       // files whose last pass, with the new name, had returned
    };
    std::vector<Seen> seen;
    h.run.setOnChange([&] {
        const auto& state = h.run.state();
        if (!state.isShredding) {
            return;
        }
        seen.push_back({state.shreddingProgress, state.filesDone,
                        h.ops.countLogged([&](const Logged& call) {
                            return call.call == Call::Sync && call.returned && call.error == 0 &&
                                   aboutAFile(call);
                        }),
                        h.ops.countLogged([&](const Logged& call) {
                            return call.call == Call::Rename && call.returned && aboutAFile(call);
                        })});
    });

    h.runToEnd(safe());

    ASSERT_EQ(h.state().stats.fileCount, 41);
    ASSERT_FALSE(seen.empty());
    const double totalPasses = 41 * 7;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_LE(seen[i].progress * totalPasses, seen[i].syncedPasses + 1e-9) << i;
        EXPECT_LE(seen[i].filesDone, seen[i].renamed) << i;
        if (i > 0) {
            EXPECT_GE(seen[i].progress, seen[i - 1].progress) << i;
            EXPECT_GE(seen[i].filesDone, seen[i - 1].filesDone) << i;
        }
    }
    EXPECT_EQ(seen.back().progress, 1.0);
    EXPECT_EQ(seen.back().filesDone, 41);
}

TEST(FilesInFlight, ALaterNameIsRemovedOnlyOnceItsFirstNameIsErased) {
    RunHarness h(0ms, 4);
    writeFile(h / "sel/a/one", "shared");
    std::filesystem::create_directories(h / "sel/b");
    std::filesystem::create_directories(h / "sel/c");
    std::filesystem::create_hard_link(h / "sel/a/one", h / "sel/b/two");
    std::filesystem::create_hard_link(h / "sel/a/one", h / "sel/c/three");
    for (const char* other : {"sel/a/x", "sel/b/y", "sel/c/z"}) {
        writeFile(h / other, 4000);
    }
    h.add("sel");

    h.runToEnd(safe());

    EXPECT_EQ(h.state().stats, (EraseStats{4, 12006}));
    EXPECT_FALSE(entryExists(h / "sel"));
    const auto& list = *h.state().workList;
    const auto& log = h.ops.log;
    ASSERT_EQ(list.hardLinks.size(), 1u);
    const std::size_t first = list.hardLinks[0].first;
    const std::string firstName(list.nameOf(list.entries[first]));
    const std::string firstFolder(list.nameOf(list.folders[list.entries[first].folder]));
    const auto removed = find(log, Call::Remove, firstName, true);
    ASSERT_TRUE(removed);
    const auto folderSynced = find(log, Call::Sync, firstFolder, true, *removed);
    ASSERT_TRUE(folderSynced);
    for (const char* name : {"one", "two", "three"}) {
        if (name != firstName) {
            const auto later = find(log, Call::Remove, name, false);
            ASSERT_TRUE(later) << name;
            EXPECT_GT(*later, *folderSynced) << name;
        }
    }
}

TEST(FilesInFlight, LaterNamesStayWhenTheFirstNameCouldNotBeErased) {
    RunHarness h(0ms, 4);
    for (const char* folder : {"a", "b", "c"}) {
        std::filesystem::create_directories(h / "sel" / folder);
    }
    writeFile(h / "sel/a/shared", "data");
    std::filesystem::create_hard_link(h / "sel/a/shared", h / "sel/b/shared");
    std::filesystem::create_hard_link(h / "sel/a/shared", h / "sel/c/shared");
    h.add("sel");
    h.ops.failures[Call::Open] = {EACCES, 0, "shared"};  // only the first name is ever opened

    h.runToEnd(safe());

    for (const char* folder : {"a", "b", "c"}) {
        EXPECT_TRUE(entryExists(h / "sel" / folder / "shared")) << folder;
    }
    std::vector<Step> steps;
    for (const auto& [item, step] : h.failures()) {
        if (item.find("shared") != std::string::npos) {
            steps.push_back(step);
        }
    }
    EXPECT_EQ(steps,
              (std::vector<Step>{Step::Open, Step::SharedWithFailed, Step::SharedWithFailed}));
}

TEST(FilesInFlight, ALaterNameStillWaitingWhenTheRunStopsIsNotReached) {
    RunHarness h(0ms, 4);
    writeFile(h / "big", 3 * 1048576, 'o');
    std::filesystem::create_hard_link(h / "big", h / "big-too");
    h.add("big");
    h.add("big-too");
    h.ops.before = [&](Call call, const std::string&) {
        if (call == Call::Write) {
            h.run.stop();
        }
    };

    h.runToEnd(safe());

    EXPECT_TRUE(h.state().stopped);
    EXPECT_EQ(h.state().notReached, 1);
    EXPECT_EQ(h.failures(), (std::vector<std::pair<std::string, Step>>{{"big", Step::Stopped}}));
    EXPECT_TRUE(entryExists(h / "big-too"));
}

}  // namespace
