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

TEST(Walk, ListsEntriesInPendingOrderWithEachFoldersOwnBeforeItsSubFolders) {
    TempFolder root;
    writeFile(root / "first", "1");
    writeFile(root / "folder/sub/y", "y");
    writeFile(root / "folder/x", "x");
    writeFile(root / "folder/z", "z");
    writeFile(root / "last", "2");
    ScriptedOps ops;

    const auto walked = walkPendingItems(
        chosen({root / "first", slash(root / "folder"), root / "last", root / "missing"}), ops);

    const auto paths = pathsOf(walked.list);
    ASSERT_EQ(paths.size(), 5u);
    EXPECT_EQ(paths[0], root / "first");
    EXPECT_EQ((std::set<fs::path>{paths[1], paths[2]}),
              (std::set<fs::path>{root / "folder/x", root / "folder/z"}));
    EXPECT_EQ(paths[3], root / "folder/sub/y");
    EXPECT_EQ(paths[4], root / "last");
    ASSERT_EQ(walked.failures.size(), 1u);  // what is missing is said, not erased
    EXPECT_EQ(walked.failures[0].item, root / "missing");
}

TEST(Walk, ReachesEachDirectoryEntryOnceHoweverItIsPending) {
    TempFolder root;
    writeFile(root / "outer/inner/file", "f");
    writeFile(root / "outer/other", "o");
    fs::create_directory_symlink(root / "outer", root / "alias");
    ScriptedOps ops;

    const auto walked = walkPendingItems(chosen({slash(root / "outer/inner"),
                                                 root / "outer/inner/file", slash(root / "outer"),
                                                 root / "alias/other"}),
                                         ops);

    const auto paths = pathsOf(walked.list);
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0], root / "outer/inner/file");
    EXPECT_EQ(paths[1].filename(), "other");
    EXPECT_TRUE(walked.failures.empty());
}

TEST(Walk, CountsTheNamesOfAHardLinkedFileThatTheRunReaches) {
    TempFolder root;
    writeFile(root / "sel/one", "data");
    fs::create_hard_link(root / "sel/one", root / "sel/two");
    fs::create_hard_link(root / "sel/one", root / "outside");
    ScriptedOps ops;

    const auto walked = walkPendingItems(chosen({slash(root / "sel")}), ops);

    ASSERT_EQ(walked.list.entries.size(), 2u);
    const auto* link = walked.list.hardLinkAt(0);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->links, 3u);
    EXPECT_EQ(link->namesInRun, 2u);
    EXPECT_EQ(walked.list.firstNameOf(1), std::optional<std::size_t>(0));
}

}  // namespace
