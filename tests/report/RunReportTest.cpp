// The report of a finished run: built from real runs over scripted file operations, written,
// and read back as a program (JSON) and as a person (the PDF's text) would read it.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <linux/magic.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cstdio>
#include <functional>

#include "HeldRun.h"
#include "ReportFile.h"
#include "ReportJson.h"
#include "RunRecord.h"

using testing::HasSubstr;
using testing::StartsWith;
using testing_support::quick;
using testing_support::readFile;
using testing_support::RunHarness;
using testing_support::TempFolder;
using Call = testing_support::ScriptedOps::Call;
namespace fs = std::filesystem;

namespace {

constexpr qint64 MiB = 1048576;

// Every item on an SSD under btrfs, mounted from a device the test names.
class FakeProbe final : public fendry::StorageProbe {
public:
    std::optional<fendry::StorageFacts> factsOf(const fs::path&) const override {
        return fendry::StorageFacts{BTRFS_SUPER_MAGIC, "btrfs",    "rw", false, {},
                                    "/mnt/data",       "/dev/sdb1"};
    }
};

QJsonObject reportOf(RunHarness& h) {
    fendry::RunRecord record = fendry::recordOf(h.state(), FakeProbe());
    record.version = "9.9";
    return QJsonDocument::fromJson(fendry::reportJson(record)).object();
}

// The values of `keys` in `object`, a space between each.
std::string fields(const QJsonObject& object, std::initializer_list<const char*> keys) {
    std::string values;
    for (const char* key : keys) {
        const QJsonValue value = object[QLatin1String(key)];
        values += (values.empty() ? "" : " ") +
                  (value.isString() ? value.toString().toStdString()
                   : value.isBool() ? std::string(value.toBool() ? "true" : "false")
                                    : std::to_string(value.toInteger()));
    }
    return values;
}

std::string pdfText(const fs::path& pdf) {
    const std::string command = "pdftotext -layout '" + pdf.string() + "' -";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    std::string text;
    char buffer[4096];
    for (std::size_t got; pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        text.append(buffer, got);
    }
    EXPECT_TRUE(pipe && ::pclose(pipe) == 0) << "pdftotext (poppler-utils) failed";
    return text;
}

struct Item {
    const char* path;  // below the root; a folder's ends with "/"
    std::string is;    // kind, size, result; files erased, verified, links removed, not erased and
                       // not reached
    const char* reason;  // how it begins; "" for none
};

struct Case {
    const char* what;
    std::function<void(RunHarness&)> setUp;
    bool verify;
    const char* outcome;
    std::vector<Item> items;
    // files erased, bytes erased, links removed, files not erased, folders kept, not reached,
    // stopped
    const char* totals;
    std::vector<const char*> steps;  // of the summary's lines, in order
    bool readThroughCache;
};

TEST(RunReport, SaysWhatBecameOfEachItemAsTheSummaryDoes) {
    // Local time with its offset, half hours included.
    ::setenv("TZ", "XYZ-5:30", 1);
    ::tzset();
    const Case cases[] = {
        {"failures, links and a file chosen twice",
         [](RunHarness& h) {
             h.file("sel/ok", 100);
             h.file("sel/locked", 50);
             h.file("sel/sub/deep", 25);
             fs::create_symlink(h / "outside", h / "sel/link");
             ASSERT_EQ(::mkfifo((h / "sel/pipe").c_str(), 0600), 0);
             h.ops.failures[Call::Open] = {EACCES, 0, "locked"};
             h.add("sel", "gone", "sel/ok");  // "ok" is listed under the folder
         },
         false,
         "erasedWithIssues",
         {{"sel/", "folder 175 partlyErased 2 0 2 1 0", "was not removed: it still"},
          {"gone", "missing 0 left 0 0 0 0 0", "could not be found"},
          {"sel/ok", "file 100 erased 1 0 0 0 0", ""}},
         "2 125 2 2 1 0 false",
         {"notFound", "open", "folderKept"},
         false},
        {"a stop",
         [](RunHarness& h) {
             h.file("a", 10);
             h.file("dir/b", 3 * MiB);
             h.file("dir/c", 20);
             h.file("later", 30);
             h.ops.before = [&h](Call call, const std::string& name) {
                 if (call == Call::Write && name == "b") {
                     h.run.stop();
                 }
             };
             h.add("a", "dir", "later");
         },
         false,
         "stopped",
         {{"a", "file 10 erased 1 0 0 0 0", ""},
          {"dir/", "folder 3145748 left 0 0 0 1 1", "was not removed: the run"},
          {"later", "file 30 notReached 0 0 0 0 1", ""}},
         "1 10 0 1 0 2 true",
         {"stopped"},
         false},
        {"a file that did not read back as written",
         [](RunHarness& h) {
             h.file("sel/big", 3 * MiB, 'o');
             h.file("sel/small", 10);
             h.file("alone", 20);
             h.ops.failures[Call::OpenRead] = {EINVAL, 1, "alone"};  // no reading past the cache
             h.ops.before = [&h, corrupted = false](Call call, const std::string& name) mutable {
                 if (call == Call::Read && name == "big" && !corrupted) {
                     corrupted = true;
                     const int fd = ::open((h / "sel/big").c_str(), O_WRONLY);
                     ASSERT_EQ(::pwrite(fd, "!", 1, MiB + 4097), 1);
                     ::close(fd);
                 }
             };
             h.add("sel", "alone");
         },
         true,
         "erasedWithIssues",
         {{"sel/", "folder 3145738 partlyErased 1 1 0 1 0", "was not removed: it"},
          {"alone", "file 20 erasedAndVerified 1 1 0 0 0", ""}},
         "2 30 0 1 1 0 false",
         {"readBackMismatch", "folderKept"},
         true},
    };
    passwd* account = ::getpwuid(::geteuid());
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    const QRegularExpression localTime(
        QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\+05:30$)"));

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RunHarness h;
        c.setUp(h);
        h.runToEnd(quick(), c.verify);
        const QJsonObject report = reportOf(h);
        const auto text = [](const QJsonValue& value) { return value.toString().toStdString(); };

        EXPECT_EQ(fields(report, {"formatVersion", "fendryVersion", "host", "user", "outcome"}),
                  "1 9.9 " + std::string(host) + " " + account->pw_name + " " + c.outcome);
        EXPECT_TRUE(localTime.match(report["startedAt"].toString()).hasMatch())
            << text(report["startedAt"]);
        EXPECT_TRUE(localTime.match(report["endedAt"].toString()).hasMatch());
        EXPECT_EQ(fields(report["method"].toObject(), {"name", "passes", "verify"}),
                  c.verify ? "quick 1 true" : "quick 1 false");

        const QJsonArray items = report["items"].toArray();
        ASSERT_EQ(items.size(), qsizetype(c.items.size()));
        for (std::size_t i = 0; i < c.items.size(); ++i) {
            const Item& want = c.items[i];
            const QJsonObject item = items[qsizetype(i)].toObject();
            SCOPED_TRACE(want.path);
            EXPECT_EQ(text(item["path"]), (h.root.path() / want.path).string());
            EXPECT_EQ(fields(item, {"kind", "size", "result", "filesErased", "filesVerified",
                                    "linksRemoved", "notErased", "notReached"}),
                      want.is);
            EXPECT_THAT(text(item["reason"]), StartsWith(want.reason));
            EXPECT_EQ(item.contains("reason"), *want.reason != '\0');
        }

        EXPECT_EQ(fields(report["totals"].toObject(),
                         {"filesErased", "bytesErased", "linksRemoved", "filesNotErased",
                          "foldersNotRemoved", "notReached", "stopped"}),
                  c.totals);

        std::vector<std::string> steps;
        for (const auto& line : report["failures"].toArray()) {
            steps.push_back(text(line.toObject()["step"]));
            EXPECT_FALSE(line.toObject()["reason"].toString().isEmpty());
        }
        EXPECT_EQ(steps, std::vector<std::string>(c.steps.begin(), c.steps.end()));
        if (c.verify) {
            EXPECT_EQ(report["failures"].toArray()[0].toObject()["offset"].toInteger(), MiB + 4097);
        }

        const QJsonArray fileSystems = report["fileSystems"].toArray();
        ASSERT_EQ(fileSystems.size(), 1);
        const QJsonObject fileSystem = fileSystems[0].toObject();
        EXPECT_EQ(
            fields(fileSystem, {"mountPoint", "device", "type", "readThroughCache"}),
            std::string("/mnt/data /dev/sdb1 btrfs ") + (c.readThroughCache ? "true" : "false"));
        EXPECT_EQ(fileSystem["cautions"].toArray().size(), 2);
        EXPECT_THAT(text(fileSystem["caution"]),
                    StartsWith("Overwriting in place cannot reach the"));
    }
    ::unsetenv("TZ");
    ::tzset();
}

TEST(RunReport, ThePdfSaysTheSameInPlainTextOnNumberedPages) {
    RunHarness h;
    h.file("sel/ok", 10);
    h.file("sel/<b>bold<br>&amp;", 50);
    h.ops.failures[Call::Open] = {EACCES, 0, "<b>bold<br>&amp;"};
    h.add("sel", "gone");
    for (int i = 0; i < 60; ++i) {  // more than a page holds
        h.file("many/file-" + std::to_string(i));
        h.add("many/file-" + std::to_string(i));
    }
    h.runToEnd(quick());
    fendry::RunRecord record = fendry::recordOf(h.state(), FakeProbe());
    const fs::path pdf = h / "report.pdf";
    ASSERT_EQ(fendry::writeReport(record, QString::fromStdString(pdf), fendry::ReportFormat::Pdf),
              QString());
    EXPECT_EQ(fs::status(pdf).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    const std::string text = pdfText(pdf);
    for (const std::string shown :
         {"Erased with issues", "Folder", "Partly erased", "<b>bold<br>&amp;", "/gone", "Missing",
          "Left: could not be found", "could not be opened for writing", "many/file-59",
          "/mnt/data", "/dev/sdb1", "Overwriting in place cannot reach", "61 files securely erased",
          "Page 1 of 3", "Page 3 of 3"}) {
        EXPECT_THAT(text, HasSubstr(shown));
    }
}

TEST(RunReport, ItsFormatComesFromTheNameAndAFailedWriteLeavesNothing) {
    using fendry::ReportFormat;
    EXPECT_EQ(fendry::reportFormatOf("run.json"), ReportFormat::Json);
    EXPECT_EQ(fendry::reportFormatOf("/a.b/RUN.PDF"), ReportFormat::Pdf);
    EXPECT_EQ(fendry::reportFormatOf("run.json.txt"), std::nullopt);
    EXPECT_EQ(fendry::reportFormatOf("json"), std::nullopt);

    TempFolder root;
    const fs::path missing = root / "no-such-folder/run.json";
    EXPECT_FALSE(
        fendry::writeReport({}, QString::fromStdString(missing), ReportFormat::Json).isEmpty());
    EXPECT_TRUE(fs::is_empty(root.path()));
}

}  // namespace

int main(int argc, char* argv[]) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);  // the PDF needs fonts
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
