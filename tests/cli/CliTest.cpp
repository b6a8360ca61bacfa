// fendry-cli end to end, on real files in a temporary folder.

#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ScratchExt4.h"
#include "TempFolder.h"

using testing::AllOf;
using testing::HasSubstr;
using testing::StartsWith;
using testing_support::entryExists;
using testing_support::readFile;
using testing_support::ScratchExt4;
using testing_support::TempFolder;
using testing_support::writeFile;
namespace fs = std::filesystem;

namespace {

// In a forked child: points a standard stream at a file, or gives up.
void redirect(const char* path, const char* mode, std::FILE* stream) {
    if (std::freopen(path, mode, stream) == nullptr) {
        ::_exit(126);
    }
}

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class Cli : public ::testing::Test {
protected:
    TempFolder root;
    fs::path config = root / "config";

    void saveMethodIndex(int index) {
        writeFile(config / "morvel/Fendry.ini",
                  "[General]\nselectedShredMethodIndex=" + std::to_string(index) + "\n");
    }

    [[noreturn]] void execCli(const std::vector<std::string>& args) {
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(FENDRY_CLI_PATH)};
        for (const auto& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(FENDRY_CLI_PATH, argv.data());
        ::_exit(127);
    }

    static int exitCodeOf(pid_t pid) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Starts it without a terminal: standard input, output and error are files of the folder.
    pid_t start(const std::vector<std::string>& args, const std::string& input = "") {
        writeFile(root / "stdin", input);
        std::fflush(nullptr);  // or the child writes out what this process had not yet
        const pid_t pid = ::fork();
        if (pid == 0) {
            redirect((root / "stdin").c_str(), "r", stdin);
            redirect((root / "stdout").c_str(), "w", stdout);
            redirect((root / "stderr").c_str(), "w", stderr);
            execCli(args);
        }
        return pid;
    }
    Outcome run(const std::vector<std::string>& args, const std::string& input = "") {
        const int code = exitCodeOf(start(args, input));
        return {code, readFile(root / "stdout"), readFile(root / "stderr")};
    }

    // Runs on a pseudo-terminal with `answer` typed ahead; returns all that it showed.
    Outcome runOnTerminal(const std::vector<std::string>& args, const std::string& answer) {
        int terminal = -1;
        winsize size{.ws_row = 24, .ws_col = 200, .ws_xpixel = 0, .ws_ypixel = 0};
        const pid_t pid = ::forkpty(&terminal, nullptr, nullptr, &size);
        if (pid == 0) {
            execCli(args);
        }
        const std::string typed = answer + "\n";
        EXPECT_EQ(::write(terminal, typed.data(), typed.size()), ssize_t(typed.size()));
        std::string shown;
        char buffer[4096];
        pollfd ready{terminal, POLLIN, 0};
        ssize_t got = 0;
        // Read until the terminal closes with the program, or it has been quiet for too long.
        while (::poll(&ready, 1, 30'000) > 0 &&
               (got = ::read(terminal, buffer, sizeof buffer)) > 0) {
            shown.append(buffer, static_cast<std::size_t>(got));
        }
        ::close(terminal);
        return {exitCodeOf(pid), shown, {}};
    }
};

// Help and version; and whatever is wrong with the command line or the items, it says what, exits
// with 2 and erases nothing.
TEST_F(Cli, BadUsageRefusalsAndAMissingAnswerEraseNothing) {
    writeFile(root / "dir/keep", "data");
    writeFile(root / "bad\xEF\xBF\xBD", "data");
    fs::create_directories(root / "dir.pdf");
    const std::string dir = (root / "dir").string(), keep = dir + "/keep";
    const std::string folder = root.path().string();
    const std::string hostile = "--no-such-option\u009d0;title\x07";  // controls, shown
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string said;  // on standard error; on standard output for an exit code of 0
        std::string input = "";
    } rows[] = {
        {{"--help"}, 0, "--method"},
        {{"--version"}, 0, ""},
        {{"--yes", "--method", "fast", keep}, 2, "choose quick, safe or stealth"},
        {{"--yes"}, 2, ""},
        {{hostile, keep}, 2, "'no-such-option\\x9d0;title\\x07'"},
        {{"-y", keep}, 2, ""},  // "fendry-cli *" beside a file named "-y": nothing short skips it
        // A name that is not valid UTF-8 is refused, never mapped onto another file's name.
        {{"--yes", (root / "bad\xFF").string()}, 2, ""},
        // Without --yes and without a terminal to ask on, a "y" on standard input is no answer.
        {{keep}, 2, "--yes", "y\n"},
        {{"--yes", keep, "/"}, 2, "refusing to erase"},
        {{"--yes", keep, ".."}, 2, "refusing to erase"},
        {{"--yes", keep, (root / "dir/..").string()}, 2, "refusing to erase"},
        {{"--yes", keep, (root / "dir/.").string()}, 2, "refusing to erase"},
        // A report that cannot be written is refused before anything is erased.
        {{"--yes", "--report", (root / "r.txt").string(), keep}, 2, "must end in .pdf or .json"},
        {{"--yes", "--report", (root / "missing/r.pdf").string(), keep}, 2, "does not exist"},
        {{"--yes", "--report", dir + "/r.json", dir}, 2, "inside what is to be erased"},
        {{"--yes", "--report", (root / "dir.pdf").string(), keep}, 2, "is a folder"},
        {{"--wipe-free-space", "/proc", "--yes"}, 2, "refusing to wipe the free space under"},
        {{"--wipe-free-space", (root / "gone").string(), "--yes"}, 2, "No such file"},
        {{"--wipe-free-space", keep, "--yes"}, 2, "it is not a folder"},
        {{"--wipe-free-space", folder, "--method", "safe"}, 2, "--wipe-free-space takes one PATH"},
        {{"--wipe-free-space", folder, folder}, 2, "--wipe-free-space takes one PATH"},
    };
    for (const auto& row : rows) {
        const auto outcome = run(row.args, row.input);
        SCOPED_TRACE(row.args.back() + "\n" + outcome.err);
        EXPECT_EQ(outcome.exitCode, row.exitCode);
        EXPECT_THAT(row.exitCode == 0 ? outcome.out : outcome.err, HasSubstr(row.said));
        EXPECT_EQ(readFile(root / "dir/keep"), "data");
        EXPECT_EQ(readFile(root / "bad\xEF\xBF\xBD"), "data");
    }
}

TEST_F(Cli, ReportsEachItemThatCouldNotBeErasedAndExitsWithOne) {
    writeFile(root / "folder/ok", 100);
    ASSERT_EQ(::mkfifo((root / "folder/pipe").c_str(), 0600), 0);
    writeFile(root / "outside", "keep");
    fs::create_symlink(root / "outside", root / "folder/link");
    writeFile(root / "folder/sha\nred", "shared");
    fs::create_hard_link(root / "folder/sha\nred", root / "other-name");

    const auto outcome = run({"--yes", (root / "folder").string(), (root / "gone").string()});

    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_EQ(outcome.err, "");  // no progress line without a terminal
    EXPECT_THAT(outcome.out,
                HasSubstr("Done, with issues\n1 files securely erased\n100.0 bytes of data "
                          "deleted from disk\n2 link(s) and special file(s) removed, none "
                          "followed\n2 file(s) could not be erased\n1 folder(s) not "
                          "removed\n"));
    EXPECT_THAT(outcome.out,
                HasSubstr((root / "folder/sha\\x0ared").string() + ": has 1 other name(s)"));
    EXPECT_THAT(outcome.out, HasSubstr((root / "folder").string() + "/: was not removed"));
    EXPECT_EQ(readFile(root / "other-name"), "shared");
    EXPECT_THAT(outcome.out, HasSubstr((root / "gone").string() + ": could not be found"));
    EXPECT_EQ(readFile(root / "outside"), "keep");
    // Quiet, only what could not be erased.
    EXPECT_EQ(run({"--yes", "-q", (root / "gone").string()}).out,
              "  " + (root / "gone").string() + ": could not be found\n");
}

TEST_F(Cli, ADryRunSaysWhatWouldHappenAndChangesNothing) {
    writeFile(root / "sel/a", 1024);
    writeFile(root / "sel/sub/b", 1024);
    fs::create_symlink(root / "outside", root / "sel/link");
    writeFile(root / "sel/shared", "s");
    fs::create_hard_link(root / "sel/shared", root / "other-name");

    // Names that would work the terminal: C1 controls, marks that reorder text, raw bytes.
    for (const char* name :
         {"sel/sub/t\u009d0;pwned\u009c", "sel/sub/r\u202etxt.exe", "sel/sub/c\2332J"}) {
        writeFile(root / name, 1);
    }
    // A file of the system bind-mounted inside, as in a container's folder.
    writeFile(root / "outside", "HOST");
    writeFile(root / "sel/etc/hosts", "");
    const bool mounted =
        ::geteuid() == 0 && ::mount((root / "outside").c_str(), (root / "sel/etc/hosts").c_str(),
                                    nullptr, MS_BIND, nullptr) == 0;

    const auto outcome = run({"--dry-run", (root / "sel").string(), ".."});
    if (mounted) {
        ::umount2((root / "sel/etc/hosts").c_str(), MNT_DETACH);
        EXPECT_THAT(outcome.out, HasSubstr("left:    " + (root / "sel/etc/hosts").string() +
                                           ": is where another file system is mounted"));
    }

    EXPECT_EQ(outcome.exitCode, 0);
    for (const std::string& line :
         {std::string("refused: ..: "), "erase:   " + (root / "sel/a").string() + "\n",
          "erase:   " + (root / "sel/sub/b").string() + "\n",
          "erase:   " + (root / "sel/sub/t\\x9d0;pwned\\x9c").string() + "\n",
          "erase:   " + (root / "sel/sub/r\\u202etxt.exe").string() + "\n",
          "erase:   " + (root / "sel/sub/c\\x9b2J").string() + "\n",
          "remove:  " + (root / "sel/link").string() + " (a link or special file",
          "left:    " + (root / "sel/shared").string() + ": has 1 other name(s)",
          std::string(mounted ? "5" : "6") + " file(s) would be erased (2.0 KB)\n",
          std::string("1 link(s) and special file(s) would be removed\n"),
          std::string(mounted ? "3" : "2") + " item(s) would be refused or left\n"}) {
        EXPECT_THAT(outcome.out, HasSubstr(line));
    }
    EXPECT_TRUE(entryExists(root / "sel/a"));
    EXPECT_TRUE(entryExists(root / "sel/link"));
}

TEST_F(Cli, WritesAReportAtTheEnd) {
    writeFile(root / "folder/ok", 100);
    writeFile(root / "keep", "data");
    const std::string folder = (root / "folder").string();

    // After failures the run's own status stands, with the report beside it.
    const auto json =
        run({"--yes", "--report", (root / "r.json").string(), folder, (root / "gone").string()});
    EXPECT_EQ(json.exitCode, 1) << json.err;
    const std::string report = readFile(root / "r.json");
    EXPECT_THAT(report, HasSubstr("\"outcome\": \"erasedWithIssues\""));
    EXPECT_EQ(fs::status(root / "r.json").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // A PDF needs no display, and Qt's own notes stay off the terminal; quiet, nothing else is.
    const auto pdf = run(
        {"--yes", "--quiet", "--report=" + (root / "r.pdf").string(), (root / "keep").string()});
    EXPECT_EQ(pdf.exitCode, 0);
    EXPECT_EQ(pdf.err + pdf.out, "");
    EXPECT_THAT(readFile(root / "r.pdf"), StartsWith("%PDF-"));

    // A report that cannot be written once the run is over: 3, where all was erased.
    fs::create_directories(root / "full");
    if (::geteuid() == 0 && ::mount("tmpfs", (root / "full").c_str(), "tmpfs", 0, "size=8k") == 0) {
        writeFile(root / "full/filler", 64 * 1024);  // as much as fits
        writeFile(root / "more", 10);
        const auto full =
            run({"--yes", "--report", (root / "full/r.json").string(), (root / "more").string()});
        ::umount2((root / "full").c_str(), MNT_DETACH);
        EXPECT_EQ(full.exitCode, 3);
        EXPECT_THAT(full.err, HasSubstr("the report could not be written"));
        EXPECT_THAT(full.out, StartsWith("All set!"));
        EXPECT_FALSE(entryExists(root / "more"));
    }
}

TEST_F(Cli, AnInterruptStopsTheRunAndItSaysWhatItDidAndLeft) {
    writeFile(root / "first", "small");
    writeFile(root / "big", 128 * 1048576, 'o');
    // Small files go on while a big one is written; a second name of the big file cannot begin
    // before the first name is erased, so it is never reached.
    fs::create_hard_link(root / "big", root / "big-too");
    saveMethodIndex(1);
    const pid_t pid =
        start({"--yes", "--method", "stealth", "--report", (root / "stopped.json").string(),
               (root / "first").string(), (root / "big").string(), (root / "big-too").string()});
    // Once the small file is gone the big one is being written: 35 passes over 128 MiB, each
    // synced, are far from done. Waiting for a set time instead lost the race on a fast disk.
    for (int waited = 0; entryExists(root / "first") && waited < 20'000; ++waited) {
        ::usleep(1000);
    }
    ::kill(pid, SIGINT);
    EXPECT_EQ(exitCodeOf(pid), 130);
    const std::string out = readFile(root / "stdout");
    EXPECT_THAT(out, AllOf(StartsWith("Stopped before the end.\n"),
                           HasSubstr("1 files securely erased"), HasSubstr("1 item(s) not reached"),
                           HasSubstr((root / "big").string() + ": the run was stopped")));
    EXPECT_FALSE(entryExists(root / "first"));
    EXPECT_EQ(fs::file_size(root / "big"), 128u * 1048576);
    EXPECT_TRUE(entryExists(root / "big-too"));
    EXPECT_THAT(readFile(root / "stopped.json"), HasSubstr("\"outcome\": \"stopped\""));
    // --method does not change the saved choice.
    EXPECT_THAT(readFile(config / "morvel/Fendry.ini"), HasSubstr("selectedShredMethodIndex=1"));
}

TEST_F(Cli, AsksOnATerminalAndShowsProgressWithTheSavedMethod) {
    writeFile(root / "keep", "data");
    const auto declined = runOnTerminal({(root / "keep").string()}, "n");
    EXPECT_EQ(declined.exitCode, 2);
    EXPECT_THAT(declined.out, HasSubstr("Nothing was erased."));
    EXPECT_EQ(readFile(root / "keep"), "data");

    writeFile(root / "folder/inside", 10);
    saveMethodIndex(1);
    const auto shown = runOnTerminal({(root / "keep").string(), (root / "folder").string()}, "yes");

    EXPECT_EQ(shown.exitCode, 0) << shown.out;
    EXPECT_THAT(shown.out,
                HasSubstr("Are you sure?\r\nThis will permanently delete 2 item(s). This "
                          "action cannot be undone."));
    EXPECT_THAT(shown.out, HasSubstr("Processing file 1 of 2  keep  Pass 1/7  0%  Time remaining: "
                                     "Calculating..."));
    EXPECT_THAT(shown.out, HasSubstr("All set!"));
    EXPECT_FALSE(entryExists(root / "keep"));
    EXPECT_FALSE(entryExists(root / "folder"));
}

TEST_F(Cli, AWipeOfFreeSpaceGivesTheSpaceBackWhenDoneStoppedOrKilled) {
    ScratchExt4 disk(256);
    if (!disk.ready()) {
        GTEST_SKIP() << disk.whyNot();
    }
    const std::int64_t before = disk.freeBytes();
    const std::string folder = disk.mountPoint().string();
    const auto unasked = run({"--wipe-free-space", folder}, "y\n");  // no terminal to ask on
    EXPECT_EQ(unasked.exitCode, 2);
    EXPECT_THAT(unasked.err, HasSubstr("--yes"));
    const auto done = run({"--wipe-free-space", folder, "--yes"});
    EXPECT_EQ(done.exitCode, 0) << done.out << done.err;
    EXPECT_EQ(done.out.rfind("Free space wiped\n", 0), 0u) << done.out;
    EXPECT_THAT(done.out, HasSubstr("of free space overwritten with random data\n"));
    EXPECT_EQ(disk.freeBytes(), before);

    // Stopped or killed halfway through the fill, it leaves nothing behind: the files it filled
    // have no name, and go with the process.
    for (const auto& [signal, exitCode] : {std::pair{SIGTERM, 128 + SIGTERM}, {SIGKILL, -1}}) {
        const pid_t pid = start({"--wipe-free-space", folder, "--yes"});
        for (int waited = 0; disk.freeBytes() > before / 2 && waited < 20'000; ++waited) {
            ::usleep(1000);
        }
        EXPECT_LT(disk.freeBytes(), before) << "the wipe never began";
        ::kill(pid, signal);
        EXPECT_EQ(exitCodeOf(pid), exitCode);
        EXPECT_EQ(disk.freeBytes(), before) << "after signal " << signal;
        if (signal == SIGTERM) {
            EXPECT_EQ(readFile(root / "stdout").rfind("Stopped before the end\n", 0), 0u);
        }
    }
}

}  // namespace
