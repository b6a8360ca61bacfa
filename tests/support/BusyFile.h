#pragma once

#include <QProcess>
#include <filesystem>

namespace testing_support {

// A running program's file cannot be opened for writing: a file that a pass cannot erase.
class BusyFile {
public:
    explicit BusyFile(const std::filesystem::path& path) : path_(path) {
        std::filesystem::copy_file("/bin/sleep", path);
        process_.start(QString::fromStdString(path.native()), {QStringLiteral("60")});
        process_.waitForStarted();
    }
    ~BusyFile() {
        process_.kill();
        process_.waitForFinished();
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    QProcess process_;
};

}  // namespace testing_support
