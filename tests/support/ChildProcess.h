#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace testing_support {

// `body` run in a forked child, whose return value is its exit status. The child tells the
// parent numbers with tell(), and may wait with awaitRelease() until the parent calls
// release(); a child that ends unreleased is released at once.
class ChildProcess {
public:
    explicit ChildProcess(const std::function<int(ChildProcess&)>& body) {
        if (::pipe(up_) != 0 || ::pipe(down_) != 0 || (pid_ = ::fork()) < 0) {
            return;
        }
        if (pid_ == 0) {
            ::close(up_[0]);
            ::close(down_[1]);
            ::_exit(body(*this));
        }
        ::close(up_[1]);
        ::close(down_[0]);
    }
    ~ChildProcess() {
        wait();
        ::close(up_[0]);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // In the child.
    bool tell(long value) { return ::write(up_[1], &value, sizeof value) == sizeof value; }
    void awaitRelease() {
        char byte = 0;
        [[maybe_unused]] const auto ignored = ::read(down_[0], &byte, 1);
    }
    // In the parent: the next number told, or -1 when the child ended without one.
    long heard() {
        long value = -1;
        return ::read(up_[0], &value, sizeof value) == sizeof value ? value : -1;
    }
    void release() {
        if (down_[1] >= 0) {
            ::close(down_[1]);
            down_[1] = -1;
        }
    }
    // Releases the child and waits for its end: its exit status, or -1.
    int wait() {
        release();
        int status = 0;
        if (pid_ > 0 && ::waitpid(pid_, &status, 0) == pid_) {
            exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            pid_ = -1;
        }
        return exitStatus_;
    }

private:
    int up_[2] = {-1, -1};
    int down_[2] = {-1, -1};
    pid_t pid_ = -1;
    int exitStatus_ = -1;
};

}  // namespace testing_support
