#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "EraseRun.h"
#include "StorageProbe.h"

namespace fendry {

// What became of one item as it was chosen.
struct ItemRecord {
    enum class Kind : std::uint8_t { File, Folder, Link, Special, Missing };
    enum class Result : std::uint8_t {
        Erased,             // everything of it erased (a link or special file: removed)
        ErasedAndVerified,  // and every file of it read back as written
        PartlyErased,       // a folder of which some was erased and some left
        Left,               // nothing of it erased
        NotReached,         // a stopped run never came to it
    };

    std::filesystem::path path;  // as chosen, made absolute; a folder's ends with "/"
    Kind kind = Kind::Missing;   // what stood there when it was chosen
    std::int64_t size = 0;       // the bytes of its regular files as the run found them
    Result result = Result::Left;
    // Its entries (for a file, the file itself): regular files erased, and of them read back as
    // written; links and special files removed; files and links not erased; entries not reached.
    std::int64_t filesErased = 0;
    std::int64_t filesVerified = 0;
    std::int64_t linksRemoved = 0;
    std::int64_t notErased = 0;
    std::int64_t notReached = 0;
    // The summary's line about the item itself, which says why it was left: an index into
    // RunRecord::failures.
    std::optional<std::size_t> failure;
    // A folder that stayed because the run was stopped before folders were removed.
    bool stoppedBeforeRemoval = false;
};

// A file system that held chosen items.
struct FileSystemRecord {
    dev_t device = 0;
    std::optional<StorageFacts> facts;  // absent when nothing on it could be looked at any more
    std::vector<StorageCaution> cautions;
    bool readThroughCache = false;  // reading back went through the page cache here
};

// A finished run as a report files it: who ran it where and when, how, what became of each item
// chosen, the file systems they lay on, and the summary's totals and lines.
struct RunRecord {
    enum class Outcome : std::uint8_t { Erased, ErasedWithIssues, Stopped };

    std::string version;  // of Fendry; the front end knows it
    std::string host;
    std::string user;
    std::chrono::system_clock::time_point startedAt;
    std::chrono::system_clock::time_point endedAt;
    ShredMethod method;
    bool verify = false;
    Outcome outcome = Outcome::Erased;
    std::vector<ItemRecord> items;
    std::vector<FileSystemRecord> fileSystems;
    EraseStats stats;
    std::int64_t filesNotErased = 0;
    std::int64_t foldersKept = 0;
    std::int64_t notReached = 0;
    bool stopped = false;
    std::vector<ItemFailure> failures;
};

// The record of the finished run `state`, its file systems looked at through `probe` (what it
// finds now: the items themselves are gone, so it looks at the folders that held them). Paths
// given relative to the working folder are made absolute against the working folder now.
RunRecord recordOf(const RunState& state, const StorageProbe& probe);

}  // namespace fendry
