#include "PendingItems.h"

#include <gtest/gtest.h>

#include <set>

#include "TempFolder.h"

using fendry::addPendingItem;
using fendry::countFiles;
using fendry::expandPendingItems;
using fendry::PendingList;
using testing_support::TempFolder;
using testing_support::writeFile;
namespace fs = std::filesystem;

namespace {

std::string slash(const fs::path& path) {
    return path.string() + "/";
}

TEST(Intake, KeepsOrderIgnoresDuplicatesAndMarksRealFoldersOnly) {
    TempFolder root;
    writeFile(root / "a.txt", "a");
    writeFile(root / "dir/inner", "i");
    fs::create_symlink(root / "dir", root / "link-to-dir");

    PendingList files;
    EXPECT_TRUE(addPendingItem(files, root / "a.txt"));
    EXPECT_TRUE(addPendingItem(files, root / "dir"));
    EXPECT_TRUE(addPendingItem(files, slash(root / "link-to-dir")));
    EXPECT_TRUE(addPendingItem(files, root / "missing"));
    // The same items again, in other spellings that the intake treats as equal.
    EXPECT_FALSE(addPendingItem(files, root / "a.txt"));
    EXPECT_FALSE(addPendingItem(files, slash(root / "dir")));
    EXPECT_FALSE(addPendingItem(files, root / "link-to-dir"));

    const PendingList expected{root / "a.txt", slash(root / "dir"), root / "link-to-dir",
                               root / "missing"};
    EXPECT_EQ(files, expected);
    EXPECT_TRUE(fendry::isFolder(files[1]));
    EXPECT_FALSE(fendry::isFolder(files[2]));  // a link to a folder is never a folder
}

TEST(Intake, CountsEveryFileBelowAFolderWithoutFollowingLinks) {
    TempFolder root;
    writeFile(root / "tree/.hidden", "h");
    writeFile(root / "tree/a/b/c/deep", "d");
    writeFile(root / "tree/a/file", "f");
    fs::create_directories(root / "tree/empty");
    writeFile(root / "elsewhere/one", "1");
    writeFile(root / "elsewhere/two", "2");
    fs::create_directory_symlink(root / "elsewhere", root / "tree/link");
    fs::create_directories(root / "empty");
    writeFile(root / "Tool.app/Contents/bin", "b");

    EXPECT_EQ(countFiles(slash(root / "tree")), 4);  // three files and the link itself
    EXPECT_EQ(countFiles(slash(root / "empty")), 0);
    EXPECT_EQ(countFiles(slash(root / "missing")), 0);
    EXPECT_EQ(countFiles(root / "tree/a/file"), 1);
    EXPECT_EQ(countFiles(slash(root / "Tool.app")), 1);  // a bundle's files are counted
}

TEST(Expansion, ListsFilesInPendingOrderWithEachFoldersFilesAtItsPlace) {
    TempFolder root;
    writeFile(root / "first", "1");
    writeFile(root / "folder/x", "x");
    writeFile(root / "folder/sub/y", "y");
    writeFile(root / "last", "2");
    fs::create_directories(root / "Tool.app/Contents");
    writeFile(root / "Tool.app/Contents/bin", "b");

    const auto work = expandPendingItems(
        {root / "first", slash(root / "folder"), slash(root / "Tool.app"), root / "last"});

    ASSERT_EQ(work.size(), 5u);
    EXPECT_EQ(work[0], root / "first");
    // Walk order within the folder is the file system's; both files stand at its place.
    EXPECT_EQ((std::set<fs::path>{work[1], work[2]}),
              (std::set<fs::path>{root / "folder/x", root / "folder/sub/y"}));
    EXPECT_EQ(work[3], slash(root / "Tool.app"));  // a bundle is one item, not walked
    EXPECT_EQ(work[4], root / "last");
}

TEST(Expansion, ReachesEachDirectoryEntryOnceHoweverItIsPending) {
    TempFolder root;
    writeFile(root / "outer/inner/file", "f");
    writeFile(root / "outer/other", "o");
    fs::create_directory_symlink(root / "outer", root / "alias");

    const auto work = expandPendingItems({root / "outer/inner/file", slash(root / "outer"),
                                          slash(root / "outer/inner"), root / "alias/other"});

    EXPECT_EQ(work, (std::vector<fs::path>{root / "outer/inner/file", root / "outer/other"}));
}

TEST(Expansion, KeepsEveryNameOfAHardLinkedFile) {
    TempFolder root;
    writeFile(root / "one", "data");
    fs::create_hard_link(root / "one", root / "two");
    EXPECT_EQ(expandPendingItems({root / "one", root / "two"}).size(), 2u);
}

}  // namespace
