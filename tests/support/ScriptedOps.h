#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "FileOps.h"

namespace testing_support {

// The real file operations, recorded, with a chosen failure at any kind of call.
class ScriptedOps : public fendry::FileOps {
public:
    enum class Call { StatEntry, Open, StatOpen, Write, Sync, Close, Remove, SyncFolder };

    std::vector<Call> calls;
    std::vector<std::size_t> writeLengths;                 // as asked for, one per write call
    std::function<void(const std::string&)> beforeRemove;  // looks at the tree just before
    // The errno that the n-th call (1-based) of a kind fails with; 0 = every call of the kind.
    struct Failure {
        int error;
        int onCall = 0;
    };
    std::map<Call, Failure> failures;
    std::size_t maxBytesPerWrite = 0;  // > 0 makes writes short

    int count(Call call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    int statEntry(const std::string& path, struct stat& info) override {
        return step(Call::StatEntry, [&] { return FileOps::statEntry(path, info); });
    }
    int openForWriting(const std::string& path, int& fd) override {
        return step(Call::Open, [&] { return FileOps::openForWriting(path, fd); });
    }
    int statOpen(int fd, struct stat& info) override {
        return step(Call::StatOpen, [&] { return FileOps::statOpen(fd, info); });
    }
    int writeAt(int fd, const std::byte* data, std::size_t length, std::int64_t offset,
                std::size_t& written) override {
        writeLengths.push_back(length);
        const std::size_t allowed =
            maxBytesPerWrite > 0 ? std::min(length, maxBytesPerWrite) : length;
        return step(Call::Write,
                    [&] { return FileOps::writeAt(fd, data, allowed, offset, written); });
    }
    int sync(int fd) override {
        return step(Call::Sync, [&] { return FileOps::sync(fd); });
    }
    int close(int fd) override {
        // The descriptor is released either way, as the kernel does.
        const int real = FileOps::close(fd);
        const int scripted = step(Call::Close, [] { return 0; });
        return scripted != 0 ? scripted : real;
    }
    int removeEntry(const std::string& path) override {
        if (beforeRemove) {
            beforeRemove(path);
        }
        return step(Call::Remove, [&] { return FileOps::removeEntry(path); });
    }
    int syncFolder(const std::string& folder) override {
        return step(Call::SyncFolder, [&] { return FileOps::syncFolder(folder); });
    }

private:
    template <typename Real>
    int step(Call call, Real&& real) {
        calls.push_back(call);
        if (auto found = failures.find(call); found != failures.end()) {
            if (found->second.onCall == 0 || found->second.onCall == count(call)) {
                return found->second.error;
            }
        }
        return real();
    }
};

}  // namespace testing_support
