#include "PendingItems.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "TempFolder.h"

using fendry::addPendingItem;
using fendry::countFiles;
using fendry::Intake;
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
    EXPECT_EQ(addPendingItem(files, root / "a.txt"), Intake::Added);
    EXPECT_EQ(addPendingItem(files, root / "dir"), Intake::Added);
    EXPECT_EQ(addPendingItem(files, slash(root / "link-to-dir")), Intake::Added);
    EXPECT_EQ(addPendingItem(files, root / "missing"), Intake::Added);
    // The same items again, in other spellings that the intake treats as equal.
    for (const std::string& again :
         {(root / "a.txt").string(), root.path().string() + "/./a.txt",
          root.path().string() + "//a.txt", slash(root / "dir"), (root / "link-to-dir").string()}) {
        EXPECT_EQ(addPendingItem(files, again), Intake::AlreadyPending) << again;
    }

    std::vector<fs::path> paths;
    for (const auto& item : files) {
        paths.push_back(item.path);
    }
    EXPECT_EQ(paths, (std::vector<fs::path>{root / "a.txt", slash(root / "dir"),
                                            root / "link-to-dir", root / "missing"}));
    EXPECT_TRUE(fendry::isFolder(files[1].path));
    EXPECT_FALSE(fendry::isFolder(files[2].path));  // a link to a folder is never a folder
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

    EXPECT_EQ(countFiles(slash(root / "tree")), 3);  // the link holds no data to overwrite
    EXPECT_EQ(countFiles(slash(root / "empty")), 0);
    EXPECT_EQ(countFiles(slash(root / "missing")), 0);
    EXPECT_EQ(countFiles(root / "tree/a/file"), 1);
    EXPECT_EQ(countFiles(slash(root / "Tool.app")), 1);
}

TEST(Intake, WritesPathsWithoutDotsOrRepeatedSlashesButNeverResolvesLinks) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"./a.txt", "a.txt"},    {"d//f", "d/f"},      {"d/./f", "d/f"},
        {"/x//y/./z", "/x/y/z"}, {"d/../f", "d/../f"}, {"a.txt/", "a.txt"},
    };
    for (const auto& [received, entry] : cases) {
        EXPECT_EQ(fendry::pendingEntryFor(received).string(), entry) << received;
    }
}

TEST(Intake, RefusesTheRootDotsAndThePseudoFileSystemsAndTakesTheRest) {
    TempFolder root;
    writeFile(root / "dir/sub/f", "f");
    for (const std::string& refused :
         {std::string("/"), std::string("//"), std::string("."), std::string(".."),
          std::string("./"), slash(root / "dir/sub/.."), (root / "dir/.").string(),
          std::string("/proc/self/status"), std::string("/sys/kernel"), std::string("/dev/null"),
          std::string("")}) {
        PendingList files;
        EXPECT_TRUE(fendry::refusalOf(refused).has_value()) << refused;
        EXPECT_EQ(addPendingItem(files, refused), Intake::Refused) << refused;
        EXPECT_TRUE(files.empty()) << refused;
    }
    for (const auto& taken : {root / "dir/sub/f", root / "dir/sub/../sub", root / "missing"}) {
        EXPECT_FALSE(fendry::refusalOf(taken).has_value()) << taken;
    }
    // /dev/shm, a tmpfs of its own under /dev, holds the user's files, not the kernel's.
    struct stat shm {};
    struct stat dev {};
    if (::stat("/dev/shm", &shm) == 0 && ::stat("/dev", &dev) == 0 && shm.st_dev != dev.st_dev) {
        EXPECT_FALSE(fendry::refusalOf("/dev/shm/fendry-test-item").has_value());
    }
}

}  // namespace
