// fendry-cli end to end, on real files in a temporary folder.

#include <fcntl.h>
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

    // Runs without a terminal: standard input, output and error are files.
    Outcome run(const std::vector<std::string>& args, const std::string& input = "") {
        writeFile(root / "stdin", input);
        const pid_t pid = ::fork();
        if (pid == 0) {
            redirect((root / "stdin").c_str(), "r", stdin);
            redirect((root / "stdout").c_str(), "w", stdout);
            redirect((root / "stderr").c_str(), "w", stderr);
            execCli(args);
        }
        const int code = exitCodeOf(pid);
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

TEST_F(Cli, HelpVersionBadUsageAndMissingConfirmationEraseNothing) {
    writeFile(root / "keep", "data");
    const std::string keep = (root / "keep").string();
    const auto help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--method"), std::string::npos);
    EXPECT_EQ(run({"--version"}).exitCode, 0);

    const auto unknown = run({"--yes", "--method", "fast", keep});
    EXPECT_EQ(unknown.exitCode, 2);
    for (const char* name : {"quick", "safe", "stealth"}) {
        EXPECT_NE(unknown.err.find(name), std::string::npos) << unknown.err;
    }
    EXPECT_EQ(run({"--yes"}).exitCode, 2);
    const auto hostile = run({"--no-such-option\xc2\x9d" "0;title\x07", keep});
    EXPECT_EQ(hostile.exitCode, 2);
    EXPECT_NE(hostile.err.find("'no-such-option\\x9d0;title\\x07'"), std::string::npos)
        << hostile.err;
    // "fendry-cli *" beside a file named "-y": nothing short skips the question.
    EXPECT_EQ(run({"-y", keep}).exitCode, 2);
    // A name that is not valid UTF-8 is refused, never mapped onto another file's name.
    writeFile(root / "bad\xEF\xBF\xBD", "data");
    EXPECT_EQ(run({"--yes", (root / "bad\xFF").string()}).exitCode, 2);
    EXPECT_EQ(readFile(root / "bad\xEF\xBF\xBD"), "data");
    // Without --yes and without a terminal to ask on, even a "y" on standard input is no answer.
    const auto refused = run({keep}, "y\n");
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("--yes"), std::string::npos);
    EXPECT_EQ(readFile(root / "keep"), "data");
}

TEST_F(Cli, ErasesARealTreeAndSummarisesIt) {
    writeFile(root / "tree/a", 1536);
    writeFile(root / "tree/.hidden", 512);
    writeFile(root / "tree/deep/er/b", 1024);
    writeFile(root / "single", 1024);
    saveMethodIndex(2);

    const auto outcome = run({"--yes", "--method", "Safe", (root / "tree").string(),
                              (root / "single").string(), (root / "tree/").string()});

    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "All set!\n4 files securely erased\n4.0 KB of data deleted from disk\n");
    EXPECT_EQ(outcome.err, "");  // no progress line without a terminal
    EXPECT_FALSE(entryExists(root / "tree"));
    EXPECT_FALSE(entryExists(root / "single"));
    // --method does not change the saved choice.
    EXPECT_NE(readFile(config / "morvel/Fendry.ini").find("selectedShredMethodIndex=2"),
              std::string::npos);
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
    EXPECT_NE(outcome.out.find("Done, with issues\n1 files securely erased\n100.0 bytes of data "
                               "deleted from disk\n2 link(s) and special file(s) removed, none "
                               "followed\n2 file(s) could not be erased\n1 folder(s) not "
                               "removed\n"),
              std::string::npos)
        << outcome.out;
    EXPECT_NE(outcome.out.find((root / "folder/sha\\x0ared").string() + ": has 1 other name(s)"),
              std::string::npos);
    EXPECT_NE(outcome.out.find((root / "folder").string() + "/: was not removed"),
              std::string::npos);
    EXPECT_EQ(readFile(root / "other-name"), "shared");
    EXPECT_NE(outcome.out.find((root / "gone").string() + ": could not be found"),
              std::string::npos);
    EXPECT_EQ(readFile(root / "outside"), "keep");
}

TEST_F(Cli, RefusesTheRootAndPathsEndingInDotsAndErasesNothing) {
    writeFile(root / "dir/keep", "data");
    for (const std::string& refused : {std::string("/"), std::string(".."),
                                       (root / "dir/..").string(), (root / "dir/.").string()}) {
        const auto outcome = run({"--yes", (root / "dir/keep").string(), refused});
        EXPECT_EQ(outcome.exitCode, 2) << refused;
        EXPECT_NE(outcome.err.find("refusing to erase"), std::string::npos) << refused;
        EXPECT_EQ(readFile(root / "dir/keep"), "data") << refused;
    }
}

TEST_F(Cli, ADryRunSaysWhatWouldHappenAndChangesNothing) {
    writeFile(root / "sel/a", 1024);
    writeFile(root / "sel/sub/b", 1024);
    fs::create_symlink(root / "outside", root / "sel/link");
    writeFile(root / "sel/shared", "s");
    fs::create_hard_link(root / "sel/shared", root / "other-name");

    // Names that would work the terminal: C1 controls, marks that reorder text, raw bytes.
    writeFile(root / "sel/sub/t\xc2\x9d" "0;pwned\xc2\x9c", 1);
    writeFile(root / "sel/sub/r\xe2\x80\xaetxt.exe", 1);
    writeFile(root / "sel/sub/c\x9b" "2J", 1);
    // A file of the system bind-mounted inside, as in a container's folder.
    writeFile(root / "outside", "HOST");
    writeFile(root / "sel/etc/hosts", "");
    const bool mounted = ::geteuid() == 0 &&
                         ::mount((root / "outside").c_str(), (root / "sel/etc/hosts").c_str(),
                                 nullptr, MS_BIND, nullptr) == 0;

    const auto outcome = run({"--dry-run", (root / "sel").string(), ".."});
    if (mounted) {
        ::umount2((root / "sel/etc/hosts").c_str(), MNT_DETACH);
        EXPECT_NE(outcome.out.find("left:    " + (root / "sel/etc/hosts").string() +
                                   ": is where another file system is mounted"),
                  std::string::npos)
            << outcome.out;
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
        EXPECT_NE(outcome.out.find(line), std::string::npos) << line << "\n" << outcome.out;
    }
    EXPECT_TRUE(entryExists(root / "sel/a"));
    EXPECT_TRUE(entryExists(root / "sel/link"));
}

TEST_F(Cli, QuietPrintsOnlyWhatCouldNotBeErased) {
    writeFile(root / "ok", 10);
    const auto erased = run({"--yes", "--quiet", (root / "ok").string()});
    EXPECT_EQ(erased.exitCode, 0);
    EXPECT_EQ(erased.out, "");

    const auto failed = run({"--yes", "-q", (root / "gone").string()});
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.out,
              "  " + (root / "gone").string() + ": could not be found\n");
}

TEST_F(Cli, WritesAReportAtTheEndAndRefusesOneItCannotWriteBeforeErasing) {
    writeFile(root / "folder/ok", 100);
    writeFile(root / "keep", "data");
    const std::string folder = (root / "folder").string();
    fs::create_directories(root / "dir.pdf");
    for (const auto& [report, why] : {std::pair{"r.txt", "must end in .pdf or .json"},
                                      {"missing/r.pdf", "does not exist"},
                                      {"folder/r.json", "inside what is to be erased"},
                                      {"dir.pdf", "is a folder"}}) {
        const auto outcome =
            run({"--yes", "--report", (root / report).string(), folder, (root / "keep").string()});
        EXPECT_EQ(outcome.exitCode, 2) << report;
        EXPECT_NE(outcome.err.find(why), std::string::npos) << outcome.err;
        EXPECT_EQ(readFile(root / "keep"), "data") << report;
    }

    // After failures the run's own status stands, with the report beside it.
    const auto json =
        run({"--yes", "--report", (root / "r.json").string(), folder, (root / "gone").string()});
    EXPECT_EQ(json.exitCode, 1) << json.err;
    const std::string report = readFile(root / "r.json");
    for (const char* field : {"\"outcome\": \"erasedWithIssues\"", "\"step\": \"notFound\"",
                              "\"result\": \"erased\""}) {
        EXPECT_NE(report.find(field), std::string::npos) << field << "\n" << report;
    }
    EXPECT_EQ(fs::status(root / "r.json").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // A PDF needs no display, and Qt's own notes stay off the terminal.
    const auto pdf =
        run({"--yes", "--report=" + (root / "r.pdf").string(), (root / "keep").string()});
    EXPECT_EQ(pdf.exitCode, 0);
    EXPECT_EQ(pdf.err, "");
    EXPECT_EQ(readFile(root / "r.pdf").rfind("%PDF-", 0), 0u);

    // A report that cannot be written once the run is over: 3, where all was erased.
    fs::create_directories(root / "full");
    if (::geteuid() == 0 && ::mount("tmpfs", (root / "full").c_str(), "tmpfs", 0, "size=8k") == 0) {
        writeFile(root / "full/filler", 64 * 1024);  // as much as fits
        writeFile(root / "more", 10);
        const auto full =
            run({"--yes", "--report", (root / "full/r.json").string(), (root / "more").string()});
        ::umount2((root / "full").c_str(), MNT_DETACH);
        EXPECT_EQ(full.exitCode, 3);
        EXPECT_NE(full.err.find("the report could not be written"), std::string::npos) << full.err;
        EXPECT_EQ(full.out.rfind("All set!", 0), 0u);
        EXPECT_FALSE(entryExists(root / "more"));
    }
}

TEST_F(Cli, AnInterruptStopsTheRunAndItSaysWhatItDidAndLeft) {
    writeFile(root / "first", "small");
    writeFile(root / "big", 128 * 1048576, 'o');
    // Small files go on while a big one is written; a second name of the big file cannot begin
    // before the first name is erased, so it is never reached.
    fs::create_hard_link(root / "big", root / "big-too");
    const pid_t pid = ::fork();
    if (pid == 0) {
        redirect((root / "stdout").c_str(), "w", stdout);
        execCli({"--yes", "--method", "stealth", "--report", (root / "stopped.json").string(),
                 (root / "first").string(), (root / "big").string(), (root / "big-too").string()});
    }
    // Once the small file is gone the big one is being written: 35 passes over 128 MiB, each
    // synced, are far from done. Waiting for a set time instead lost the race on a fast disk.
    for (int waited = 0; entryExists(root / "first") && waited < 20'000; ++waited) {
        ::usleep(1000);
    }
    ::kill(pid, SIGINT);
    EXPECT_EQ(exitCodeOf(pid), 130);
    const std::string out = readFile(root / "stdout");
    EXPECT_EQ(out.rfind("Stopped before the end.\n", 0), 0u) << out;
    EXPECT_NE(out.find("1 files securely erased"), std::string::npos) << out;
    EXPECT_NE(out.find("1 item(s) not reached"), std::string::npos) << out;
    EXPECT_NE(out.find((root / "big").string() + ": the run was stopped"), std::string::npos)
        << out;
    EXPECT_FALSE(entryExists(root / "first"));
    EXPECT_EQ(fs::file_size(root / "big"), 128u * 1048576);
    EXPECT_TRUE(entryExists(root / "big-too"));
    EXPECT_NE(readFile(root / "stopped.json").find("\"outcome\": \"stopped\""), std::string::npos);
}

TEST_F(Cli, AsksOnATerminalAndShowsProgressWithTheSavedMethod) {
    writeFile(root / "keep", "data");
    const auto declined = runOnTerminal({(root / "keep").string()}, "n");
    EXPECT_EQ(declined.exitCode, 2);
    EXPECT_NE(declined.out.find("Nothing was erased."), std::string::npos);
    EXPECT_EQ(readFile(root / "keep"), "data");

    writeFile(root / "folder/inside", 10);
    saveMethodIndex(1);
    const auto shown = runOnTerminal({(root / "keep").string(), (root / "folder").string()}, "yes");

    EXPECT_EQ(shown.exitCode, 0) << shown.out;
    EXPECT_NE(shown.out.find("Are you sure?\r\nThis will permanently delete 2 item(s). This "
                             "action cannot be undone."),
              std::string::npos)
        << shown.out;
    EXPECT_NE(shown.out.find("Processing file 1 of 2  keep  Pass 1/7  0%  Time remaining: "
                             "Calculating..."),
              std::string::npos)
        << shown.out;
    EXPECT_NE(shown.out.find("All set!"), std::string::npos);
    EXPECT_FALSE(entryExists(root / "keep"));
    EXPECT_FALSE(entryExists(root / "folder"));
}

TEST_F(Cli, AWipeOfFreeSpaceIsRefusedWhereItCannotWorkAndWithoutAnAnswer) {
    const std::string folder = root.path().string();
    const std::pair<std::vector<std::string>, std::string> rows[] = {
        {{"--wipe-free-space", "/proc", "--yes"}, "refusing to wipe the free space under '/proc'"},
        {{"--wipe-free-space", (root / "gone").string(), "--yes"}, "No such file"},
        {{"--wipe-free-space", folder, "--method", "safe"}, "--wipe-free-space takes one PATH"},
        {{"--wipe-free-space", folder, folder}, "--wipe-free-space takes one PATH"},
    };
    for (const auto& [args, said] : rows) {
        const auto outcome = run(args);
        EXPECT_EQ(outcome.exitCode, 2) << args.back();
        EXPECT_NE(outcome.err.find(said), std::string::npos) << outcome.err;
        EXPECT_EQ(outcome.out, "");
    }
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
    EXPECT_NE(unasked.err.find("--yes"), std::string::npos) << unasked.err;
    const auto done = run({"--wipe-free-space", folder, "--yes"});
    EXPECT_EQ(done.exitCode, 0) << done.out << done.err;
    EXPECT_EQ(done.out.rfind("Free space wiped\n", 0), 0u) << done.out;
    EXPECT_NE(done.out.find("of free space overwritten with random data\n"), std::string::npos);
    EXPECT_EQ(disk.freeBytes(), before);

    // Stopped or killed halfway through the fill, it leaves nothing behind: the files it filled
    // have no name, and go with the process.
    for (const auto& [signal, exitCode] : {std::pair{SIGTERM, 128 + SIGTERM}, {SIGKILL, -1}}) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            redirect((root / "stdout").c_str(), "w", stdout);
            execCli({"--wipe-free-space", folder, "--yes"});
        }
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
