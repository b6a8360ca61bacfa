// The rules a run keeps while it erases several files at once.

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <optional>
#include <thread>

#include "HeldRun.h"

using fendry::EraseStats;
using Step = fendry::PassFailure::Step;
using namespace testing_support;
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
            h.file("sel/" + folder + "/" + name, size + static_cast<std::size_t>(f) * 700);
            files.emplace_back(folder, name);
        }
    }
    h.add("sel");
    return files;
}

// A pass begins only once the one before it was synced, and the progress counts it only then,
// never going back; a folder is synced once for the new names of all its files, and once for
// their removals, which count only after that.
TEST(FilesInFlight, EachPassFollowsTheSyncOfTheOneBeforeAndEachFolderIsSyncedTwiceForAll) {
    for (const std::size_t inFlight : {1, 4}) {
        SCOPED_TRACE(inFlight);
        RunHarness h(0ms, inFlight);
        h.deliverAtOnce = true;
        const auto files = makeFolders(h, 3, 8, 1500);
        h.file("sel/d1/d1-large", 3 * 1048576);  // several chunks, and a chance to send each
        const auto ofFiles = [&](Call kind) {    // that returned without an error
            return h.ops.countLogged([kind](const Logged& call) {
                return call.call == kind && call.returned && call.error == 0 &&
                       call.name.find('-') != std::string::npos;
            });
        };
        struct Seen {
            double progress;
            std::int64_t filesDone;
            int syncs;    // of files
            int renames;  // of files, with their last pass
        };
        std::vector<Seen> seen;
        h.run.setOnChange([&] {
            const auto& state = h.run.state();
            if (state.isShredding) {
                seen.push_back({state.shreddingProgress, state.filesDone, ofFiles(Call::Sync),
                                ofFiles(Call::Rename)});
            }
        });

        h.runToEnd(safe());

        EXPECT_EQ(h.state().stats.fileCount, 25);
        EXPECT_TRUE(h.state().failures.empty());
        EXPECT_FALSE(entryExists(h / "sel"));
        const auto& log = h.ops.log;
        for (const auto& [folder, name] : files) {
            int passes = 0;
            bool syncedSincePass = true;
            for (const Logged& call : log) {
                if (call.name == name && call.call == Call::Open && !call.returned) {
                    EXPECT_TRUE(syncedSincePass) << name << " pass " << passes;
                    ++passes;
                    syncedSincePass = false;
                } else if (call.name == name && call.call == Call::Sync && call.returned &&
                           call.error == 0) {
                    syncedSincePass = true;
                }
            }
            EXPECT_EQ(passes, 7) << name;
            EXPECT_TRUE(removalSynced(log, name, folder)) << name;
        }
        for (const char* folder : {"d1", "d2", "d3"}) {
            EXPECT_EQ(h.ops.countLogged([&](const Logged& call) {
                return call.call == Call::Sync && !call.returned && call.name == folder;
            }),
                      2)
                << folder;
        }
        ASSERT_FALSE(seen.empty());
        for (std::size_t i = 0; i < seen.size(); ++i) {
            EXPECT_LE(seen[i].progress * 25 * 7, seen[i].syncs + 1e-9) << i;
            EXPECT_LE(seen[i].filesDone, seen[i].renames) << i;
            if (i > 0) {
                EXPECT_GE(seen[i].progress, seen[i - 1].progress) << i;
                EXPECT_GE(seen[i].filesDone, seen[i - 1].filesDone) << i;
            }
        }
        EXPECT_EQ(seen.back().progress, 1.0);
        EXPECT_EQ(seen.back().filesDone, 25);
    }
}

// A file that fails leaves the others to finish, and its lines come in work list order; one at
// a time, the progress counts by position, jumping past the passes it will never write, and
// stays short of the end when the last file fails.
TEST(FilesInFlight, AFailingFileLeavesTheOthersToFinishAndLinesComeInWorkListOrder) {
    for (const std::size_t inFlight : {1, 4}) {
        SCOPED_TRACE(inFlight);
        RunHarness h(0ms, inFlight);
        for (int i = 0; i < 8; ++i) {
            h.file("f" + std::to_string(i), 3000);
            h.add("f" + std::to_string(i));
        }
        h.ops.failures[Call::Open] = {EACCES, 0, "f3"};
        h.ops.failures[Call::Write] = {EIO, 0, "f7"};

        h.runToEnd(safe());

        EXPECT_EQ(h.state().stats, (EraseStats{6, 18000}));
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(entryExists(h / ("f" + std::to_string(i))), i == 3 || i == 7) << i;
        }
        EXPECT_EQ(h.failures(), (Lines{{"f3", Step::Open}, {"f7", Step::Write}}));
        if (inFlight == 1) {  // 56 passes; after the 21 of f0 to f2 comes the first of f4
            const auto steps = h.changesOf(&fendry::RunState::shreddingProgress);
            const auto afterF2 = std::find(steps.begin(), steps.end(), 21 / 56.0);
            ASSERT_NE(afterF2, steps.end());
            EXPECT_EQ(*(afterF2 + 1), 29 / 56.0);
            EXPECT_EQ(steps.back(), 49 / 56.0);
        }
    }
}

// A stop counts exactly the files whose removal was synced; a later name of a file still being
// written waits for its first name, and is not reached.
TEST(FilesInFlight, AStoppedRunCountsExactlyTheFilesWhoseRemovalWasSynced) {
    for (const std::size_t inFlight : {1, 4}) {
        SCOPED_TRACE(inFlight);
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
                EXPECT_TRUE(removalSynced(h.ops.log, name, folder)) << name;
            }
        }
        EXPECT_GE(gone, 12);
        EXPECT_EQ(h.state().stats.fileCount, gone);
        for (const auto& [item, step] : h.failures()) {
            EXPECT_EQ(step, Step::Stopped) << item;
        }
        EXPECT_EQ(h.state().stats.fileCount + h.state().failedCount() + h.state().notReached, 30);
    }

    RunHarness h(0ms, 4);
    h.file("big", 3 * 1048576, 'o');
    std::filesystem::create_hard_link(h / "big", h / "big-too");
    h.add("big", "big-too");
    std::atomic<int> updates = 0;  // the start, the work list, then one as each entry begins
    h.deliverAtOnce = true;
    h.run.setOnChange([&] { ++updates; });
    h.ops.before = [&](Call call, const std::string&) {
        for (int waited = 0; call == Call::Write && updates < 4 && waited < 10'000; ++waited) {
            std::this_thread::sleep_for(1ms);  // until "big-too" waits for its first name
        }
        if (call == Call::Write) {
            h.run.stop();
        }
    };
    h.runToEnd(safe());
    EXPECT_EQ(h.state().notReached, 1);
    EXPECT_EQ(h.failures(), (Lines{{"big", Step::Stopped}}));
    EXPECT_TRUE(entryExists(h / "big-too"));
}

// The later names of a file in other folders go only once its first name was erased and that
// removal synced; when it could not be erased, they stay.
TEST(FilesInFlight, ALaterNameIsRemovedOnlyOnceItsFirstNameIsErased) {
    for (const bool firstFails : {false, true}) {
        SCOPED_TRACE(firstFails);
        RunHarness h(0ms, 4);
        h.file("sel/a/one", 6);
        std::filesystem::create_directories(h / "sel/b");
        std::filesystem::create_directories(h / "sel/c");
        std::filesystem::create_hard_link(h / "sel/a/one", h / "sel/b/two");
        std::filesystem::create_hard_link(h / "sel/a/one", h / "sel/c/three");
        for (const char* other : {"sel/a/x", "sel/b/y", "sel/c/z"}) {
            h.file(other, 4000);
        }
        h.add("sel");
        if (firstFails) {
            h.ops.failures[Call::Open] = {EACCES};  // no file can be opened
        }
        h.runToEnd(safe());

        if (firstFails) {
            int shared = 0;
            for (const auto& [item, step] : h.failures()) {
                shared += step == Step::SharedWithFailed;
            }
            EXPECT_EQ(shared, 2);
            for (const char* name : {"sel/a/one", "sel/b/two", "sel/c/three"}) {
                EXPECT_TRUE(entryExists(h / name)) << name;
            }
            continue;
        }
        EXPECT_EQ(h.state().stats, (EraseStats{4, 12006}));  // one file, however many names
        EXPECT_EQ(h.ops.count(Call::Open), 4 * 7);             // and written once
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
}

}  // namespace
