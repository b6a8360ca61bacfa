#include "FolderWalk.h"

#include <gtest/gtest.h>

#include <set>

#include "ScriptedOps.h"
#include "TempFolder.h"

using fendry::walkPendingItems;
using testing_support::ScriptedOps;
using testing_support::TempFolder;
using testing_support::writeFile;
namespace fs = std::filesystem;

namespace {

std::string slash(const fs::path& path) {
    return path.string() + "/";
}

fendry::PendingList chosen(const std::vector<fs::path>& paths) {
    fendry::PendingList items;
    for (const auto& path : paths) {
        items.push_back(fendry::chooseItem(path));
    }
    return items;
}

std::vector<fs::path> pathsOf(const fendry::WorkList& list) {
    std::vector<fs::path> paths;
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        paths.push_back(list.pathOf(i));
    }
    return paths;
}

// Pending order, each folder's own entries before its sub-folders', and each directory entry
// once, however many pending items reach it (a folder and a file in it, nested folders, a path
// through a link to a folder).
TEST(Walk, ListsEachEntryOnceInPendingOrderWithEachFoldersOwnBeforeItsSubFolders) {
    TempFolder root;
    writeFile(root / "first", "1");
    writeFile(root / "folder/sub/y", "y");
    writeFile(root / "folder/x", "x");
    writeFile(root / "folder/z", "z");
    writeFile(root / "outer/inner/file", "f");
    writeFile(root / "outer/other", "o");
    fs::create_directory_symlink(root / "outer", root / "alias");
    writeFile(root / "last", "2");
    ScriptedOps ops;

    const auto walked = walkPendingItems(
        chosen({root / "first", slash(root / "folder"), slash(root / "outer/inner"),
                root / "outer/inner/file", slash(root / "outer"), root / "alias/other",
                root / "last", root / "missing"}),
        ops);

    const auto paths = pathsOf(walked.list);
    ASSERT_EQ(paths.size(), 7u);
    EXPECT_EQ(paths[0], root / "first");
    EXPECT_EQ((std::set<fs::path>{paths[1], paths[2]}),
              (std::set<fs::path>{root / "folder/x", root / "folder/z"}));
    EXPECT_EQ(paths[3], root / "folder/sub/y");
    EXPECT_EQ(paths[4], root / "outer/inner/file");
    EXPECT_EQ(paths[5].filename(), "other");
    EXPECT_EQ(paths[6], root / "last");
    ASSERT_EQ(walked.failures.size(), 1u);  // what is missing is said, not erased
    EXPECT_EQ(walked.failures[0].item, root / "missing");
}

}  // namespace
