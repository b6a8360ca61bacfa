#include "FolderWalk.h"

#include <gtest/gtest.h>

#include "TempFolder.h"

using testing_support::entryExists;
using testing_support::readFile;
using testing_support::TempFolder;
using testing_support::writeFile;
namespace fs = std::filesystem;

namespace {

TEST(RemoveTree, RemovesEverythingInsideButNeverWhatALinkPointsTo) {
    TempFolder root;
    writeFile(root / "outside/kept", "keep");
    writeFile(root / "tree/a/b/file", "x");
    fs::create_directory_symlink(root / "outside", root / "tree/a/link");
    fs::create_directory_symlink(root / "outside", root / "pending-then-link");

    EXPECT_EQ(fendry::removeTree(root.path().string() + "/tree/"), 0);
    // A pending folder that has become a link meanwhile goes as a link.
    EXPECT_EQ(fendry::removeTree(root.path().string() + "/pending-then-link/"), 0);

    EXPECT_FALSE(entryExists(root / "tree"));
    EXPECT_FALSE(entryExists(root / "pending-then-link"));
    EXPECT_EQ(readFile(root / "outside/kept"), "keep");
}

}  // namespace
