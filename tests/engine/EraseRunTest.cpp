// Runs over real files through the scripted file operations: what they show, what they erase
// and remove, and what they leave.

#include "EraseRun.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/magic.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <optional>
#include <set>

#include "HeldRun.h"

using fendry::EraseStats;
using fendry::RunState;
using Step = fendry::PassFailure::Step;
using namespace testing_support;
using Call = ScriptedOps::Call;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr std::size_t MiB = 1048576;

TEST(EraseRun, ShowsEachPassInOrderEstimatesOnceOneIsDoneAndEndsWithItsStats) {
    RunHarness h;
    h.file("file", 3 * MiB);
    h.add("file");

    h.startAndWork(safe());
    EXPECT_TRUE(h.state().isShredding);  // nothing reaches the screen until delivered
    EXPECT_EQ(h.state().workList, nullptr);
    h.run.startShredding({fendry::chooseItem(h / "other")}, quick());  // ignored meanwhile
    EXPECT_EQ(h.workWaiting(), 0u);
    ASSERT_EQ(h.deliverUpdates(1), 1);  // the work list comes first
    ASSERT_NE(h.state().workList, nullptr);
    EXPECT_EQ(h.state().workList->pathOf(0), h / "file");
    EXPECT_EQ(h.state().totalFiles, 1);
    h.now += 10s;
    while (h.state().shreddingProgress == 0.0 && h.deliverUpdates(1) == 1) {
        EXPECT_EQ(h.state().estimatedTimeRemaining.has_value(), h.state().shreddingProgress > 0);
    }
    ASSERT_TRUE(h.state().estimatedTimeRemaining.has_value());
    EXPECT_NEAR(*h.state().estimatedTimeRemaining, 60.0, 1e-9);  // 10 s × (7 − 1) ÷ 1
    h.deliverUpdates();

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
    EXPECT_EQ(h.state().stats, (EraseStats{1, 3 * MiB}));
    EXPECT_FALSE(entryExists(h / "file"));
    h.run.startAgain();
    EXPECT_EQ(h.state().stats, EraseStats{});
    EXPECT_FALSE(h.state().showCompletionAnimation);
}

// At most one update an interval: the screen gets points the run reached, never a pass that is
// over, and the exact end.
TEST(EraseRun, CoalescedUpdatesShowOnlyReachedPointsAndEndExact) {
    RunHarness h(1h);  // longer than any run: only the first point and the last get through
    for (const char* name : {"a", "b", "c"}) {
        h.file(name, 10);
        h.add(name);
    }
    h.startAndWork(stealth());
    EXPECT_EQ(h.updatesWaiting(), 4u);  // work list, first point, last point, finish
    h.deliverUpdates();
    ASSERT_EQ(h.seen.size(), 5u);  // the start, then the four delivered
    EXPECT_EQ(h.seen[2].currentFileIndex, 0);
    EXPECT_EQ(h.seen[2].shreddingProgress, 0.0);
    EXPECT_EQ(h.seen[3].currentFileIndex, 2);
    EXPECT_EQ(h.seen[3].currentPass, 34);
    EXPECT_EQ(h.seen[3].shreddingProgress, 1.0);
    EXPECT_EQ(h.state().stats, (EraseStats{3, 30}));

    // A pass begins at the instant the one before it ends, too soon to be sent then; it still
    // reaches the screen while it is written.
    RunHarness slow(16ms);
    slow.deliverAtOnce = true;
    slow.file("big", 3 * MiB);
    slow.add("big");
    slow.ops.before = [&](Call call, const std::string&) {
        slow.now += call == Call::Write ? 20ms : 0ms;  // each chunk outlasts the interval
    };
    slow.startAndWork(safe());
    EXPECT_EQ(slow.changesOf(&RunState::currentPass),
              (std::vector<std::int64_t>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(slow.state().shreddingProgress, 1.0);
}

// A stop is heeded during the walk, which then lists no further folder; between the chunks of a
// file, which stays partly overwritten; between passes, which no chunk check catches in an empty
// file; and before every entry, links and empty files too. What was done is counted; the rest,
// even a file that would be refused, is not reached.
TEST(EraseRun, AStopIsHeededDuringTheWalkWithinAFileAndBeforeEveryEntry) {
    struct Row {
        Call at;           // stop just before the first such call about `name`,
        const char* name;  // or, with Call::Close, once the entry `index` is shown
        std::int64_t index;
        const char* firstLeft;  // it and every item after it stay
        EraseStats stats;
        std::int64_t notReached;
        Lines lines;
    };
    const std::vector<std::string> items{"a", "big", "link", "empty", "half", "sel"};
    const std::int64_t twoFiles = 6 + 3 * MiB;
    const Row rows[] = {
        {Call::List, "sel", 0, "a", {}, 5, {}},  // during the walk
        {Call::Write, "big", 0, "big", {1, 6}, 5, {{"big", Step::Stopped}}},
        {Call::Close, "", 2, "link", {2, twoFiles}, 5, {}},
        {Call::Close, "", 3, "empty", {2, twoFiles, 1}, 4, {}},
        {Call::Sync, "empty", 0, "empty", {2, twoFiles, 1}, 3, {{"empty", Step::Stopped}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.index));
        RunHarness h;
        h.deliverAtOnce = true;
        h.file("a", 6);
        h.file("big", 3 * MiB, 'o');
        fs::create_symlink("nowhere", h / "link");
        h.file("empty", 0);
        h.file("half");
        fs::create_hard_link(h / "half", h / "half-other");  // a name outside the run
        h.file("sel/one/x");
        h.file("sel/two/y");
        h.add("a", "big", "link", "empty", "half", "sel");
        h.ops.before = [&](Call call, const std::string& name) {
            if (call == row.at && name == row.name) {
                h.run.stop();
            }
        };
        h.run.setOnChange([&] {
            if (row.at == Call::Close && h.state().isShredding && h.state().workList &&
                h.state().currentFileIndex == row.index) {
                h.run.stop();
            }
        });
        h.runToEnd(safe());

        const auto kept = std::find(items.begin(), items.end(), row.firstLeft);
        for (auto item = items.begin(); item != items.end(); ++item) {
            EXPECT_EQ(entryExists(h / *item), item >= kept) << *item;
        }
        EXPECT_TRUE(h.state().stopped);
        EXPECT_EQ(h.state().stats, row.stats);
        EXPECT_EQ(h.state().notReached, row.notReached);
        EXPECT_EQ(h.failures(), row.lines);
        if (kept <= items.begin() + 1) {  // "big" stays, partly overwritten at most
            EXPECT_EQ(readFile(h / "big").substr(MiB), std::string(2 * MiB, 'o'));
        }
    }
}

// Pending order, each folder's own entries before its sub-folders', and each directory entry
// once, however many pending items reach it (a folder and a file in it, nested folders, a path
// through a link to a folder). Links and special files are removed as entries, never opened nor
// followed, and counted apart; every folder emptied goes, whatever its name.
TEST(EraseRun, ErasesEachEntryOnceInPendingOrderAndRemovesTheFoldersItEmptied) {
    RunHarness h;
    for (const char* name :
         {"first", "folder/x", "folder/z", "folder/sub/y", "folder/Tool.app/Contents/bin",
          "outer/inner/file", "outer/other", "last"}) {
        h.file(name);
    }
    writeFile(h / "elsewhere/secret", "keep me");
    fs::create_symlink(h / "elsewhere/secret", h / "folder/link");
    ASSERT_EQ(::mkfifo((h / "folder/pipe").c_str(), 0600), 0);  // opening it would block
    fs::create_directories(h / "folder/empty");
    fs::create_directories(h / "only-empty");
    fs::create_directory_symlink(h / "outer", h / "alias");
    fs::create_directory_symlink(h / "elsewhere", h / "dropped-link");
    h.add("first", "folder", "outer/inner", "outer/inner/file", "outer", "alias/other", "last",
          "only-empty", "dropped-link", "missing");

    h.runToEnd(quick());

    const auto& list = *h.state().workList;
    std::vector<fs::path> files;
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        if (list.entries[i].kind == fendry::WorkEntry::Kind::RegularFile) {
            files.push_back(list.pathOf(i));
        }
    }
    ASSERT_EQ(files.size(), 8u);
    const auto two = [&](std::size_t at) { return std::set<fs::path>{files[at], files[at + 1]}; };
    EXPECT_EQ(files[0], h / "first");
    EXPECT_EQ(two(1), (std::set<fs::path>{h / "folder/x", h / "folder/z"}));
    EXPECT_EQ(two(3), (std::set<fs::path>{h / "folder/sub/y", h / "folder/Tool.app/Contents/bin"}));
    EXPECT_EQ(files[5], h / "outer/inner/file");
    EXPECT_EQ(files[6], h / "outer/other");
    EXPECT_EQ(files[7], h / "last");
    EXPECT_EQ(h.state().stats, (EraseStats{8, 8, 3}));
    EXPECT_EQ(h.ops.count(Call::Open), 8);  // only the files were ever opened for writing
    EXPECT_EQ(h.failures(), (Lines{{"missing", Step::NotFound}}));
    EXPECT_EQ(readFile(h / "elsewhere/secret"), "keep me");
    std::set<fs::path> left(fs::directory_iterator(h.root.path()), {});
    EXPECT_EQ(left, (std::set<fs::path>{h / "alias", h / "elsewhere"}));
}

// Names go first: each entry is renamed, and a folder is synced once for the new names of what
// is removed from it, then once for the removals; folders have their blocks written home by the
// file system before they go, and the one holding them is synced before it goes itself.
TEST(EraseRun, RenamesEverythingBeforeItGoesAndSyncsEachFolderOnceForEachStep) {
    RunHarness h;
    for (const char* leaf : {"a", "b", "c"}) {
        h.file("sel/mid/" + std::string(leaf) + "/f");
    }
    h.add("sel");

    h.runToEnd(quick());

    EXPECT_FALSE(entryExists(h / "sel"));
    std::vector<std::string> steps;  // that went through, the three leaves named alike
    std::set<std::string> renamed;
    for (const auto& call : h.ops.log) {
        if (!call.returned || call.error != 0) {
            continue;
        }
        if (call.call == Call::Rename) {
            renamed.insert(call.name);
        } else if (call.call == Call::Remove) {
            EXPECT_EQ(renamed.count(call.name), 1u) << call.name << " went under its own name";
        }
        const std::string name = call.name.size() == 1 && call.name != "f" ? "leaf" : call.name;
        const bool folder = name == "leaf" || name == "mid" || name == "sel";
        if (call.call == Call::SyncFileSystem) {
            steps.push_back("write home");
        } else if (folder && call.call == Call::Sync) {
            steps.push_back("sync " + name);
        } else if (folder && (call.call == Call::Rename || call.call == Call::Remove)) {
            steps.push_back((call.call == Call::Rename ? "rename " : "remove ") + name);
        }
    }
    std::vector<std::string> expected(6, "sync leaf");  // each leaf's file: renamed, removed
    for (const char* step :
         {"rename leaf", "rename leaf", "rename leaf", "sync mid", "write home", "remove leaf",
          "remove leaf", "remove leaf", "sync mid", "rename mid", "sync sel", "write home",
          "remove mid", "sync sel", "rename sel", "write home", "remove sel"}) {
        expected.push_back(step);
    }
    struct statfs fs {};
    ASSERT_EQ(::statfs(h.root.path().c_str(), &fs), 0);
    if (fs.f_type == TMPFS_MAGIC) {  // a file system in memory has no blocks to write home
        std::erase(expected, "write home");
    }
    EXPECT_EQ(steps, expected);
}

// What was chosen changed while the run was busy or while the question waited: a folder on the
// way swapped for a link to someone else's folder or for another folder, the item itself
// replaced or moved away. Nothing of theirs is touched, and no folder open ever succeeds
// through the link, with openat2 or without it.
TEST(EraseRun, WhatWasChosenIsReachedOnlyAsItWasChosen) {
    struct Case {
        const char* what;
        const char* chosen;
        Call at;  // the change comes before the first such call about `about`
        const char* about;
        std::function<void(RunHarness&)> change;
        std::optional<Step> step;  // of the first line; none when a link is simply removed
        std::int64_t erased;
        const char* swapped = "";  // the folder a link took the place of
    };
    const auto link = [](const char* moved) {  // swapped for a link to someone else's folder
        return [moved](RunHarness& h) {
            fs::rename(h / moved, h / "moved-away");
            fs::create_directory_symlink(h / "theirs", h / moved);
        };
    };
    const Call before = Call::List;  // the change comes before the run
    const Step since = Step::ChangedSinceChosen;
    const std::vector<Case> cases{
        {"sub swapped during", "sel", Call::Write, "big", link("sel/sub"), Step::Changed, 2, "sub"},
        {"sel swapped during", "sel", Call::Write, "big", link("sel"), Step::Changed, 1, "sel"},
        {"sub swapped before", "sel", before, "", link("sel/sub"), std::nullopt, 2, "sub"},
        {"sel swapped before", "sel", before, "", link("sel"), since, 1, "sel"},
        {"parent swapped before", "up/chosen", before, "", link("up"), since, 1, "up"},
        {"grandparent swapped before", "up/mid/chosen", before, "", link("up"), since, 1, "up"},
        {"parent moved away", "up/chosen", before, "",
         [](RunHarness& h) { fs::rename(h / "up", h / "moved-away"); }, Step::NotFound, 1},
        {"file replaced", "up/file", before, "",
         [](RunHarness& h) {
             fs::rename(h / "up/file", h / "moved-away");
             writeFile(h / "up/file", "not yours");
         },
         since, 1},
        {"sel replaced as it is entered", "sel", Call::OpenFolderAt, "sel",
         [](RunHarness& h) {
             fs::rename(h / "sel", h / "moved-away");
             writeFile(h / "sel/g", "not yours");
         },
         since, 1},
        {"parent replaced, the file moved into the new one", "up/file", before, "",
         [](RunHarness& h) {
             fs::rename(h / "up", h / "moved-away");
             fs::create_directory(h / "up");
             fs::rename(h / "moved-away/file", h / "up/file");
         },
         since, 1},
    };
    // Files of someone else's, wherever they are now.
    const auto theirs = [](RunHarness& h) {
        int found = 0;
        for (const auto& entry : fs::recursive_directory_iterator(h.root.path())) {
            found += !entry.is_symlink() && entry.is_regular_file() &&
                     readFile(entry.path()) == "not yours";
        }
        return found;
    };
    for (const bool openat2 : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what + std::string(openat2 ? "" : ", no openat2"));
            RunHarness h(0ms, 1, openat2);
            h.file("big", 2 * MiB);
            for (const char* mine :
                 {"sel/sub/f", "sel/g", "up/chosen/h", "up/mid/chosen/h", "up/file"}) {
                writeFile(h / mine, "mine");
            }
            for (const char* name :
                 {"theirs/sub/f", "theirs/g", "theirs/chosen/h", "theirs/mid/chosen/h"}) {
                writeFile(h / name, "not yours");
            }
            h.add("big", c.chosen);
            std::size_t changedAt = SIZE_MAX;
            int theirsThen = 0;
            const auto change = [&] {
                c.change(h);
                changedAt = h.ops.log.size();
                theirsThen = theirs(h);
            };
            if (c.at == before) {
                change();
            } else {
                h.ops.before = [&](Call call, const std::string& name) {
                    if (call == c.at && name == c.about && changedAt == SIZE_MAX) {
                        change();
                    }
                };
            }
            h.runToEnd(quick());

            EXPECT_GE(theirsThen, 4);
            EXPECT_EQ(theirs(h), theirsThen);
            ASSERT_EQ(h.state().failedCount() > 0, c.step.has_value());
            if (c.step) {
                EXPECT_EQ(h.state().failures[0].failure.step, *c.step);
            }
            EXPECT_EQ(h.state().stats.fileCount, c.erased);
            for (std::size_t i = std::min(changedAt, h.ops.log.size()); i < h.ops.log.size(); ++i) {
                const auto& call = h.ops.log[i];
                const fs::path opened = call.name;
                EXPECT_FALSE(call.returned && call.error == 0 && *c.swapped != '\0' &&
                             (call.call == Call::OpenFolderAt || call.call == Call::OpenFolder) &&
                             std::find(opened.begin(), opened.end(), c.swapped) != opened.end())
                    << "opened through the link: " << call.name;
            }
        }
    }

    // What the intake would refuse as the system's is refused again on what the run opens.
    RunHarness h;
    h.files.push_back(fendry::chooseItem("/proc/self/status"));
    h.runToEnd(quick());
    ASSERT_EQ(h.state().failedCount(), 1);
    EXPECT_EQ(h.state().failures[0].failure.step, Step::SystemFileSystem);
}

// Mounts made for the length of a test, taken away before its folder is.
struct Mounts {
    std::vector<fs::path> points;
    bool add(const fs::path& from, const fs::path& to, const char* type = nullptr) {
        const bool mounted =
            ::mount(from.c_str(), to.c_str(), type, type ? 0 : MS_BIND, nullptr) == 0;
        if (mounted) {
            points.push_back(to);
        }
        return mounted;
    }
    ~Mounts() {
        for (auto at = points.rbegin(); at != points.rend(); ++at) {
            ::umount2(at->c_str(), MNT_DETACH);
        }
    }
};

// Nothing mounted inside a chosen folder is opened, a folder or a single file (a container's
// bind-mounted files), whether it was there when the folder was listed or came just before it
// was entered or opened; a chosen folder that is a mount point itself is erased inside and
// stays. With openat2 and without it.
TEST(EraseRun, NeverOpensAMountInsideAChosenFolder) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "mounting takes root";
    }
    for (const bool openat2 : {true, false}) {
        for (const bool late : {false, true}) {
            SCOPED_TRACE(std::string(late ? "mounted late" : "mounted before") +
                         (openat2 ? "" : ", no openat2"));
            RunHarness h(0ms, 1, openat2);
            writeFile(h / "outside/host", "HOST");
            writeFile(h / "outside/dir/x", "theirs");
            h.file("sel/etc/hosts", 0);
            h.file("sel/own");
            fs::create_directories(h / "sel/mnt");
            Mounts mounts;
            const auto mountFile = [&] {
                return mounts.add(h / "outside/host", h / "sel/etc/hosts");
            };
            const auto mountFolder = [&] { return mounts.add(h / "outside/dir", h / "sel/mnt"); };
            if (late) {
                h.ops.before = [&, file = false, folder = false](Call call,
                                                                 const std::string& name) mutable {
                    if (call == Call::OpenFolderAt && name == "mnt" && !folder) {
                        folder = mountFolder();
                    } else if (call == Call::Open && name == "hosts" && !file) {
                        file = mountFile();
                    }
                };
            } else if (!mountFile() || !mountFolder()) {
                GTEST_SKIP() << "no bind mounts here";
            }
            h.add("sel");

            h.runToEnd(quick());

            EXPECT_EQ(readFile(h / "outside/host"), "HOST");
            EXPECT_EQ(readFile(h / "outside/dir/x"), "theirs");
            EXPECT_EQ(h.state().stats.fileCount, 1);
            EXPECT_EQ(h.state().totalFiles, late ? 2 : 1);  // listed only when not yet mounted
            EXPECT_TRUE(h.failed("sel/mnt", Step::MountPoint));
            EXPECT_TRUE(h.failed("sel/etc/hosts", Step::MountPoint));
        }
        RunHarness h(0ms, 1, openat2);
        Mounts mounts;
        fs::create_directories(h / "stick");
        ASSERT_TRUE(mounts.add("fendry-test", h / "stick", "tmpfs"));
        h.file("stick/p");
        h.file("stick/d/q");
        h.add("stick");
        h.runToEnd(quick());
        EXPECT_EQ(h.state().stats.fileCount, 2) << openat2;
        EXPECT_EQ(h.state().failedCount(), 0) << openat2;
        EXPECT_TRUE(fs::is_empty(h / "stick")) << openat2;
    }
}

// Between the last check of an entry and its renaming or removal another file may take its
// name: it is never counted as erased, never taken for the entry (renamed, if at all, only to be
// given its name back), and the checks just before and after each step say so.
TEST(EraseRun, AnEntrySwappedAtItsRenamingOrRemovalIsNeitherCountedNorTakenForIt) {
    struct Case {
        Call at;         // before the n-th call of this kind about the entry, after its passes
        int occurrence;  // 1: while it is renamed; 2: while it is removed
        Step step;
        bool intruderStays;
        int renames;  // that went through, under the entry's name
    };
    for (const Case& c : {Case{Call::OpenEntry, 1, Step::Changed, true, 0},
                          Case{Call::Rename, 1, Step::Changed, true, 2},
                          Case{Call::OpenEntry, 2, Step::Changed, true, 1},
                          Case{Call::StatAt, 2, Step::Changed, true, 1},
                          Case{Call::Remove, 1, Step::NameTaken, false, 1}}) {
        for (const std::string name : {"file", "link", "folder"}) {
            // A folder is removed without being held: it meets no second OpenEntry, and rmdir
            // takes only an empty one.
            const bool folder = name == "folder";
            if (folder &&
                (c.at == Call::Remove || (c.occurrence == 2 && c.at == Call::OpenEntry))) {
                continue;
            }
            SCOPED_TRACE(name + " at " + std::to_string(int(c.at)) + " #" +
                         std::to_string(c.occurrence));
            RunHarness h;
            h.file("sel/file", 4096, 'o');
            fs::create_symlink("nowhere", h / "sel/link");
            fs::create_directories(h / "sel/folder");
            h.add("sel");
            int seen = 0;
            bool held = false;
            std::string intruder;
            h.ops.before = [&](Call call, const std::string& entry) {
                if (entry != name || !intruder.empty()) {
                    return;
                }
                held = held || call == Call::OpenEntry;  // its passes are behind it
                if (held && call == c.at && ++seen == c.occurrence) {
                    intruder = h.ops.realName(name);
                    fs::rename(h / "sel" / intruder, h / "held-away");
                    folder ? (void)fs::create_directory(h / "sel" / intruder)
                           : writeFile(h / "sel" / intruder, "intruder");
                }
            };
            h.runToEnd(quick());

            ASSERT_FALSE(intruder.empty());
            EXPECT_EQ(h.state().stats.fileCount + h.state().stats.linkCount, folder ? 2 : 1);
            EXPECT_TRUE(h.failed("sel/" + name + (folder ? "/" : ""), c.step));
            EXPECT_EQ(entryExists(h / "sel" / intruder) || entryExists(h / "sel" / name),
                      c.intruderStays);
            EXPECT_TRUE(entryExists(h / "held-away"));
            EXPECT_EQ(h.ops.countLogged([&](const ScriptedOps::Logged& call) {
                return call.call == Call::Rename && call.returned && call.error == 0 &&
                       call.name == name;
            }),
                      c.renames);
        }
    }
}

// Whatever fails, what was not overwritten stays, under its own name, and so does every folder
// above it, each with a line; the summary never counts it as erased.
TEST(EraseRun, RemovesNothingItDidNotOverwriteAndSaysWhyEachItemStayed) {
    struct Row {
        Call call;
        const char* name;
        int error;   // the call fails with it (on call `onCall`); or 0: `change` comes before it
        int onCall;  // about the name, 1-based; 0 for every one
        Lines lines;
        bool fileStays;  // under its own name
        std::function<void(RunHarness&)> change = {};
    };
    const auto with = [](const std::string& item, Step step) {
        Lines lines{{item, step}, {"sel/sub/", Step::FolderKept}, {"sel/", Step::FolderKept}};
        if (item == "sel/sub/" || item == "sel/sub") {  // a folder not entered has no "/"
            lines.erase(lines.begin() + 1);
        }
        return lines;
    };
    const Row rows[] = {
        {Call::List, "sub", EACCES, 0, with("sel/sub/", Step::Unreadable), true},
        {Call::OpenFolderAt, "sub", EMFILE, 0, with("sel/sub", Step::Unreadable), true},
        {Call::OpenFolderAt, "sub", EXDEV, 0, with("sel/sub", Step::MountPoint), true},
        {Call::Open, "f", EACCES, 0, with("sel/sub/f", Step::Open), true},
        {Call::Rename, "f", EPERM, 0, with("sel/sub/f", Step::Rename), true},
        {Call::Sync, "sub", EIO, 1, with("sel/sub/f", Step::Rename), true},  // the new name
        {Call::Remove, "f", EPERM, 0, with("sel/sub/f", Step::Remove), true},
        {Call::Sync, "sub", EIO, 2, with("sel/sub/f", Step::SyncFolder), false},  // the removal
        {Call::Remove, "sub", EBUSY, 0, with("sel/sub/", Step::FolderRemove), false},
        {Call::Sync, "sub", EIO, 3, with("sel/sub/inner/", Step::Rename), false},  // inner's name
        {Call::Open, "f", 0, 0, with("sel/sub/f", Step::NotFound), false,
         [](RunHarness& h) { fs::rename(h / "sel/sub/f", h / "sel/sub/moved"); }},
        {Call::Remove, "f", 0, 0, with("sel/sub/", Step::FolderAppeared), false,
         [](RunHarness& h) { h.file("sel/sub/appeared"); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.lines.front().first + " " + std::to_string(int(row.lines.front().second)));
        RunHarness h;
        h.file("sel/sub/f");
        h.file("sel/ok/g");
        fs::create_directories(h / "sel/sub/inner");
        fs::create_directories(h / "sel/empty");
        h.add("sel");
        if (row.error != 0) {
            h.ops.failures[row.call] = {row.error, row.onCall, row.name};
        } else {
            h.ops.before = [&, done = false](Call call, const std::string& name) mutable {
                if (!done && call == row.call && name == row.name) {
                    done = true;
                    row.change(h);
                }
            };
        }

        h.runToEnd(quick());

        EXPECT_EQ(h.failures(), row.lines);
        EXPECT_TRUE(entryExists(h / "sel/sub"));
        EXPECT_EQ(entryExists(h / "sel/sub/f"), row.fileStays);
        const std::set<fs::path> ownNames{"f", "inner", "moved", "appeared"};
        for (const auto& entry : fs::directory_iterator(h / "sel/sub")) {
            EXPECT_EQ(ownNames.count(entry.path().filename()), 1u) << entry.path();
        }
        EXPECT_FALSE(entryExists(h / "sel/ok"));
        EXPECT_FALSE(entryExists(h / "sel/empty"));
        const bool erased = !row.fileStays && row.lines.front().first != "sel/sub/f";
        EXPECT_EQ(h.state().stats.fileCount, erased ? 2 : 1);
    }
}

// Read back after its last pass, a file is removed only when the device returns what was
// written; where the file system will not read past the page cache, the cache lets go of the
// file first, and the run says so.
TEST(EraseRun, AFileReadBackIsRemovedOnlyWhenItReadsAsWritten) {
    struct Case {
        const char* what;
        std::optional<std::int64_t> corruptAt;
        bool directRefused;
    };
    for (const Case& c : {Case{"as written", std::nullopt, false},
                          Case{"a byte changed on the device", MiB + 4097, false},
                          Case{"no reading past the cache", std::nullopt, true}}) {
        SCOPED_TRACE(c.what);
        RunHarness h;
        h.file("sel/big", 3 * MiB, 'o');
        h.file("sel/small", 10);
        h.add("sel");
        if (c.directRefused) {
            h.ops.failures[Call::OpenRead] = {EINVAL, 1, "big"};
        }
        h.ops.before = [&, corrupted = false](Call call, const std::string& name) mutable {
            if (call == Call::Read && name == "big" && c.corruptAt && !corrupted) {
                corrupted = true;
                const int fd = ::open((h / "sel/big").c_str(), O_WRONLY);
                ASSERT_EQ(::pwrite(fd, "!", 1, *c.corruptAt), 1);
                ::fsync(fd);
                ::close(fd);
            }
        };
        h.runToEnd(safe(), true);

        const auto& state = h.state();
        EXPECT_EQ(state.stats.fileCount, c.corruptAt ? 1 : 2);
        EXPECT_EQ(entryExists(h / "sel/big"), c.corruptAt.has_value());
        if (c.corruptAt) {
            ASSERT_FALSE(state.failures.empty());
            EXPECT_EQ(state.failures[0].failure.step, Step::ReadBackMismatch);
            EXPECT_EQ(state.failures[0].failure.offset, *c.corruptAt);
        }
        const auto big = state.workList->pathOf(0).filename() == "big" ? 0 : 1;
        EXPECT_EQ(state.results[big], c.corruptAt ? fendry::EntryResult::NotErased
                                                  : fendry::EntryResult::ErasedAndVerified);
        EXPECT_EQ(state.readThroughCache.size(), c.directRefused ? 1u : 0u);
        const auto passes = h.changesOf(&RunState::currentPass);
        EXPECT_NE(std::find(passes.begin(), passes.end(), 7), passes.end())
            << "reading back shows as a step of its own";
    }
}

TEST(EraseRun, ErasesTreesDeeperThanAnyPathWithABoundedNumberOfDescriptors) {
    RunHarness h;
    // Built a level at a time: the whole path, over 4,800 bytes, is longer than any call takes.
    int fd = ::open(h.root.path().c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level < 600; ++level) {
        const std::string name = level == 0 ? "tree" : "level-" + std::to_string(level % 10);
        ASSERT_EQ(::mkdirat(fd, name.c_str(), 0700), 0);
        const int next = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
    }
    const int file = ::openat(fd, "f", O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(::write(file, "x", 1), 1);
    ::close(file);
    ::close(fd);
    h.add("tree");

    h.runToEnd(quick());

    EXPECT_EQ(h.state().stats.fileCount, 1);
    EXPECT_EQ(h.state().failedCount(), 0);
    EXPECT_FALSE(entryExists(h / "tree"));
    EXPECT_LE(h.ops.mostOpen, 40);

    // A folder opened again during the walk, once too many others were opened since, is used only
    // while it is still the folder first walked: nothing moved into its place is listed.
    RunHarness swapped;
    for (const std::string side : {"a", "b"}) {
        std::string path = "tree/" + side;
        for (int level = 0; level < 40; ++level) {
            path += "/d";
        }
        swapped.file(path + "/f");
    }
    swapped.add("tree");
    int opened = 0;
    swapped.ops.before = [&](Call call, const std::string& name) {
        if (call == Call::OpenFolderAt && name == "tree" && ++opened == 2) {
            fs::rename(swapped / "tree", swapped / "walked");
            writeFile(swapped / "tree/a/theirs", "not yours");
            writeFile(swapped / "tree/b/theirs", "not yours");
        }
    };
    swapped.runToEnd(quick());
    ASSERT_GE(opened, 2);
    EXPECT_EQ(readFile(swapped / "tree/a/theirs"), "not yours");
    EXPECT_EQ(readFile(swapped / "tree/b/theirs"), "not yours");
}

}  // namespace
