#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "FileOps.h"

namespace testing_support {

// The real file operations, recorded, with a chosen failure at any kind of call and a hook that
// can change the tree just before any call.
class ScriptedOps : public fendry::FileOps {
public:
    enum class Call {
        OpenFolder,
        OpenFolderAt,
        OpenParent,
        List,
        StatAt,
        StatOpen,
        Open,
        FindData,
        Write,
        Sync,
        Close,
        Remove,
    };

    std::vector<Call> calls;
    std::vector<std::size_t> writeLengths;  // as asked for, one per write call
    // Runs before each call with the name it is about ("" where none); may change the tree.
    std::function<void(Call, const std::string&)> before;
    // The errno that the n-th call (1-based) of a kind fails with; 0 = every call of the kind.
    // With `name`, only calls about that name count.
    struct Failure {
        int error;
        int onCall = 0;
        std::string name = {};
    };
    std::map<Call, Failure> failures;
    std::size_t maxBytesPerWrite = 0;  // > 0 makes writes short
    int openNow = 0;                   // descriptors opened through this seam and not yet closed
    int mostOpen = 0;                  // the most ever open at once

    int count(Call call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    int openFolder(const std::string& path, int& fd) override {
        return opened(step(Call::OpenFolder, path, [&] { return FileOps::openFolder(path, fd); }));
    }
    int openFolderAt(int folder, const std::string& name, int& fd, bool same) override {
        return opened(step(Call::OpenFolderAt, name,
                           [&] { return FileOps::openFolderAt(folder, name, fd, same); }));
    }
    int openParent(int folder, int& fd) override {
        return opened(
            step(Call::OpenParent, "..", [&] { return FileOps::openParent(folder, fd); }));
    }
    int listFolder(int folder, const std::function<void(const char*)>& visit) override {
        return step(Call::List, "", [&] { return FileOps::listFolder(folder, visit); });
    }
    int statAt(int folder, const std::string& name, struct stat& info) override {
        return step(Call::StatAt, name, [&] { return FileOps::statAt(folder, name, info); });
    }
    int statOpen(int fd, struct stat& info) override {
        return step(Call::StatOpen, "", [&] { return FileOps::statOpen(fd, info); });
    }
    int openForWritingAt(int folder, const std::string& name, int& fd) override {
        return opened(
            step(Call::Open, name, [&] { return FileOps::openForWritingAt(folder, name, fd); }));
    }
    int findData(int fd, std::int64_t from, std::int64_t& start, std::int64_t& end) override {
        return step(Call::FindData, "", [&] { return FileOps::findData(fd, from, start, end); });
    }
    int writeAt(int fd, const std::byte* data, std::size_t length, std::int64_t offset,
                std::size_t& written) override {
        writeLengths.push_back(length);
        const std::size_t allowed =
            maxBytesPerWrite > 0 ? std::min(length, maxBytesPerWrite) : length;
        return step(Call::Write, "",
                    [&] { return FileOps::writeAt(fd, data, allowed, offset, written); });
    }
    int sync(int fd) override {
        return step(Call::Sync, "", [&] { return FileOps::sync(fd); });
    }
    int close(int fd) override {
        // The descriptor is released either way, as the kernel does.
        --openNow;
        const int real = FileOps::close(fd);
        const int scripted = step(Call::Close, "", [] { return 0; });
        return scripted != 0 ? scripted : real;
    }
    int removeAt(int folder, const std::string& name, bool isFolder) override {
        return step(Call::Remove, name, [&] { return FileOps::removeAt(folder, name, isFolder); });
    }

private:
    int opened(int error) {
        if (error == 0) {
            mostOpen = std::max(mostOpen, ++openNow);
        }
        return error;
    }

    template <typename Real>
    int step(Call call, const std::string& name, Real&& real) {
        if (before) {
            before(call, name);
        }
        calls.push_back(call);
        if (auto found = failures.find(call); found != failures.end()) {
            Failure& failure = found->second;
            if (failure.name.empty() || failure.name == name) {
                ++seen_[call];
                if (failure.onCall == 0 || failure.onCall == seen_[call]) {
                    return failure.error;
                }
            }
        }
        return real();
    }

    std::map<Call, int> seen_;
};

}  // namespace testing_support
