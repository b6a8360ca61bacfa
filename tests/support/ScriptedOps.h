#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "FileOps.h"

namespace testing_support {

// The real file operations, logged, with a chosen failure at any kind of call and a hook that
// can change the tree just before any call. Safe to call from several threads at once; the hook
// runs outside the lock, so it must be safe to call that way too.
class ScriptedOps : public fendry::FileOps {
public:
    // Without openat2, as on kernels before 5.6.
    explicit ScriptedOps(bool useOpenat2 = true) : FileOps(useOpenat2) {}

    enum class Call {
        OpenFolder,
        OpenFolderAt,
        OpenParent,
        List,
        StatAt,
        StatOpen,
        Open,
        OpenRead,
        Read,
        OpenEntry,
        Write,
        Sync,
        Close,
        Remove,
        Rename,
        SyncFileSystem,
        Duplicate,
    };

    // One call as it was made: calls about an open descriptor are named after the entry it was
    // opened for, and an entry renamed through this seam keeps the name it had. Every call is
    // logged when it starts and again when it has returned.
    struct Logged {
        Call call;
        std::string name;
        bool returned;
        int error;  // once returned
    };

    std::vector<Logged> log;                // read it once no other thread calls in any more
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

    // How many logged entries, so far, satisfy `test`; any thread may ask.
    int countLogged(const std::function<bool(const Logged&)>& test) const {
        const std::lock_guard lock(mutex_);
        return static_cast<int>(std::count_if(log.begin(), log.end(), test));
    }
    // How many calls of a kind have begun.
    int count(Call call) const {
        return countLogged([call](const Logged& c) { return c.call == call && !c.returned; });
    }
    // The name that the entry logged as `name` has now.
    std::string realName(const std::string& name) const {
        const std::lock_guard lock(mutex_);
        for (const auto& [now, was] : aliases_) {
            if (was == name) {
                return now.second;
            }
        }
        return name;
    }

    int openFolder(const std::string& path, int& fd) override {
        return opened(fd, path,
                      step(Call::OpenFolder, path, [&] { return FileOps::openFolder(path, fd); }));
    }
    int openFolderAt(int folder, const std::string& name, int& fd, bool same) override {
        return opened(fd, name, step(Call::OpenFolderAt, name, [&] {
                          return FileOps::openFolderAt(folder, name, fd, same);
                      }));
    }
    int openParent(int folder, int& fd) override {
        return opened(fd, "..", step(Call::OpenParent, "..", [&] {
                          return FileOps::openParent(folder, fd);
                      }));
    }
    int listFolder(int folder, const std::function<void(const char*)>& visit) override {
        return step(Call::List, nameOf(folder), [&] { return FileOps::listFolder(folder, visit); });
    }
    int statAt(int folder, const std::string& name, fendry::EntryInfo& info) override {
        return step(Call::StatAt, logged(folder, name),
                    [&] { return FileOps::statAt(folder, name, info); });
    }
    int statOpen(int fd, fendry::EntryInfo& info) override {
        return step(Call::StatOpen, nameOf(fd), [&] { return FileOps::statOpen(fd, info); });
    }
    int openForWritingAt(int folder, const std::string& name, int& fd) override {
        return opened(fd, name, step(Call::Open, name, [&] {
                          return FileOps::openForWritingAt(folder, name, fd);
                      }));
    }
    int openForReadingAt(int folder, const std::string& name, int& fd, bool direct) override {
        return opened(fd, name, step(Call::OpenRead, name, [&] {
                          return FileOps::openForReadingAt(folder, name, fd, direct);
                      }));
    }
    int readAt(int fd, std::byte* data, std::size_t length, std::int64_t offset,
               std::size_t& got) override {
        return step(Call::Read, nameOf(fd),
                    [&] { return FileOps::readAt(fd, data, length, offset, got); });
    }
    int openEntryAt(int folder, const std::string& name, int& fd) override {
        const std::string as = logged(folder, name);
        return opened(fd, as, step(Call::OpenEntry, as, [&] {
                          return FileOps::openEntryAt(folder, name, fd);
                      }));
    }
    int writeAt(int fd, const std::byte* data, std::size_t length, std::int64_t offset,
                std::size_t& written) override {
        {
            const std::lock_guard lock(mutex_);
            writeLengths.push_back(length);
        }
        const std::size_t allowed =
            maxBytesPerWrite > 0 ? std::min(length, maxBytesPerWrite) : length;
        return step(Call::Write, nameOf(fd),
                    [&] { return FileOps::writeAt(fd, data, allowed, offset, written); });
    }
    int sync(int fd) override {
        return step(Call::Sync, nameOf(fd), [&] { return FileOps::sync(fd); });
    }
    int close(int fd) override {
        // The descriptor is released either way, as the kernel does.
        const std::string name = nameOf(fd);
        {
            const std::lock_guard lock(mutex_);
            --openNow;
            names_.erase(fd);
        }
        const int real = FileOps::close(fd);
        const int scripted = step(Call::Close, name, [] { return 0; });
        return scripted != 0 ? scripted : real;
    }
    int duplicate(int fd, int& out) override {
        const std::string name = nameOf(fd);
        return opened(out, name,
                      step(Call::Duplicate, name, [&] { return FileOps::duplicate(fd, out); }));
    }
    int removeAt(int folder, const std::string& name, bool isFolder) override {
        return step(Call::Remove, logged(folder, name),
                    [&] { return FileOps::removeAt(folder, name, isFolder); });
    }
    int renameAt(int folder, const std::string& from, const std::string& to) override {
        const std::string as = logged(folder, from);
        const int error =
            step(Call::Rename, as, [&] { return FileOps::renameAt(folder, from, to); });
        if (error == 0) {
            const std::lock_guard lock(mutex_);
            aliases_[{inodeOf(folder), to}] = as;
        }
        return error;
    }
    int syncFileSystem(int fd) override {
        return step(Call::SyncFileSystem, nameOf(fd), [&] { return FileOps::syncFileSystem(fd); });
    }

private:
    static ino_t inodeOf(int folder) {
        struct stat info {};
        return ::fstat(folder, &info) == 0 ? info.st_ino : 0;
    }
    std::string logged(int folder, const std::string& name) const {
        const std::lock_guard lock(mutex_);
        const auto found = aliases_.find({inodeOf(folder), name});
        return found != aliases_.end() ? found->second : name;
    }
    std::string nameOf(int fd) const {
        const std::lock_guard lock(mutex_);
        const auto found = names_.find(fd);
        return found != names_.end() ? found->second : std::string();
    }

    int opened(int fd, const std::string& name, int error) {
        if (error == 0) {
            const std::lock_guard lock(mutex_);
            names_[fd] = name;
            mostOpen = std::max(mostOpen, ++openNow);
        }
        return error;
    }

    template <typename Real>
    int step(Call call, const std::string& name, Real&& real) {
        if (before) {
            before(call, name);
        }
        int scripted = -1;
        {
            const std::lock_guard lock(mutex_);
            log.push_back({call, name, false, 0});
            if (auto found = failures.find(call); found != failures.end()) {
                Failure& failure = found->second;
                if (failure.name.empty() || failure.name == name) {
                    ++seen_[call];
                    if (failure.onCall == 0 || failure.onCall == seen_[call]) {
                        scripted = failure.error;
                    }
                }
            }
        }
        const int error = scripted >= 0 ? scripted : real();
        const std::lock_guard lock(mutex_);
        log.push_back({call, name, true, error});
        return error;
    }

    mutable std::mutex mutex_;
    std::map<int, std::string> names_;  // open descriptors and what they were opened for
    // A name given by a rename, in its folder: the one it had.
    std::map<std::pair<ino_t, std::string>, std::string> aliases_;
    std::map<Call, int> seen_;
};

}  // namespace testing_support
