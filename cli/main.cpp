// fendry-cli: erases files and folders from the command line with the same engine, methods and
// saved choice as the desktop application.

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include "CliText.h"
#include "DryRun.h"
#include "EngineTexts.h"
#include "EraseRun.h"
#include "MethodPreference.h"
#include "PendingItems.h"
#include "ProgressLine.h"
#include "QtRunEnvironment.h"
#include "ReportOption.h"
#include "SettingsPreferences.h"
#include "Summary.h"
#include "Translations.h"
#include "WipeCommand.h"

using fendry::dryRunReport;
using fendry::failureLines;
using fendry::printable;
using fendry::ProgressLine;
using fendry::summaryText;

namespace {

// Qt's own texts in the help and in option errors, for lupdate to find: Qt's catalogues lack
// some of them in some of our languages, so ours carry them too.
[[maybe_unused]] constexpr const char* kQtCommandLineTexts[] = {
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help on commandline options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help including Qt specific options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays version information."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Usage: %1"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Options:"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Arguments:"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "[options]"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown option '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown options: %1."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Missing value after '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unexpected value after '%1'."),
};

constexpr int kExitErased = 0;
constexpr int kExitNotAllErased = 1;
constexpr int kExitUsage = 2;
constexpr int kExitReportNotWritten = 3;
constexpr int kExitSignalBase = 128;

// The signal that asked the run to stop, handed from the handler to the event loop through a
// pipe, the one thing a handler may safely do.
int signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t stopSignal = 0;

void onStopSignal(int signal) {
    stopSignal = signal;
    const char byte = 0;
    [[maybe_unused]] const auto ignored = ::write(signalPipe[1], &byte, 1);
}

// Ctrl+C, a terminal closing or a polite kill stop the run before its next chunk, so that it
// can still say what it erased and what it left.
void stopRunOnSignals(QCoreApplication& app, fendry::EraseRun& run) {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&run] {
        char drained[16];
        while (::read(signalPipe[0], drained, sizeof drained) > 0) {
        }
        run.stop();
    });
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    ::sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        ::sigaction(signal, &action, nullptr);
    }
}

// Says something on the terminal, after the program's name.
void complain(const QString& message) {
    std::fprintf(stderr, "fendry-cli: %s\n", qUtf8Printable(message));
}

int usageError(const QString& message) {
    complain(message);
    std::fprintf(stderr, "%s\n",
                 qUtf8Printable(FendryCli::tr("Try 'fendry-cli --help' for more information.")));
    return kExitUsage;
}

std::optional<fendry::ShredMethod> methodNamed(const QString& name) {
    for (const auto& method : fendry::allMethods()) {
        if (name.compare(QString::fromStdString(method.name), Qt::CaseInsensitive) == 0) {
            return method;
        }
    }
    return std::nullopt;
}

// Asks on the terminal; only an explicit yes, in English or the user's language, erases.
bool confirmed(const fendry::PendingList& items) {
    QString question =
        FendryCli::tr("Are you sure?") + QLatin1Char('\n') +
        FendryCli::tr("This will permanently delete %n item(s). This action cannot be undone.",
                      nullptr, int(items.size())) +
        QLatin1Char('\n');
    if (const QString caution = fendry::storageCaution(items); !caution.isEmpty()) {
        question += caution + QLatin1Char('\n');
    }
    question += FendryCli::tr("Erase now? [y/N] ");
    std::fputs(qUtf8Printable(question), stderr);
    std::fflush(stderr);
    return answeredYes();
}

}  // namespace

int main(int argc, char* argv[]) {
    const auto application = fendry::cliApplication(argc, argv);
    QCoreApplication& app = *application;
    QCoreApplication::setApplicationName(QStringLiteral("fendry-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FENDRY_VERSION));
    translations::installForSystemLanguage();

    // Paths reach the parser as text; a name that does not survive the round trip through the
    // locale's encoding would name some other file, so it is refused rather than guessed at.
    for (int i = 1; i < argc; ++i) {
        if (QFile::encodeName(QFile::decodeName(argv[i])) != QByteArray(argv[i])) {
            complain(FendryCli::tr("argument %1 is not valid text in this locale's encoding; "
                                   "nothing was erased.")
                         .arg(i));
            return kExitUsage;
        }
    }

    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QFile::decodeName(argv[i]);
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(FendryCli::tr(
        "Erases files and folders beyond recovery: every file is overwritten in place with fresh\n"
        "random data, pass after pass, synced to the device, and removed after its last pass;\n"
        "each folder that the run emptied is removed at the end."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption methodOption(
        {QStringLiteral("m"), QStringLiteral("method")},
        FendryCli::tr("Erase method: quick (1 pass), safe (7) or stealth (35). Default: the "
                      "method last chosen in Fendry, or quick."),
        FendryCli::tr("method"));
    // Long only: a file named "-y" among the paths of "fendry-cli *" must not skip the question.
    const QCommandLineOption yesOption(QStringLiteral("yes"),
                                       FendryCli::tr("Erase without asking for confirmation."));
    const QCommandLineOption dryRunOption(
        {QStringLiteral("n"), QStringLiteral("dry-run")},
        FendryCli::tr("Change nothing: list what would be erased, removed, refused or left, and "
                      "why."));
    const QCommandLineOption quietOption(
        {QStringLiteral("q"), QStringLiteral("quiet")},
        FendryCli::tr("Print only the lines of items that could not be erased; the exit status "
                      "tells the rest."));
    const QCommandLineOption verifyOption(
        QStringLiteral("verify"),
        FendryCli::tr("Read each file back from the device after its last pass, and leave it "
                      "where it does not read as written."));
    const QCommandLineOption wipeOption(
        QStringLiteral("wipe-free-space"),
        FendryCli::tr("Wipe the free space of the file system that holds PATH instead: fill it "
                      "with random data in files without a name, then let them go."),
        FendryCli::tr("PATH"));
    parser.addOption(methodOption);
    parser.addOption(wipeOption);
    parser.addOption(yesOption);
    parser.addOption(verifyOption);
    const QCommandLineOption reportOption(
        QStringLiteral("report"),
        FendryCli::tr("At the end, write a report of the run to FILE: PDF for a name ending in "
                      ".pdf, JSON for .json. It lists the names of what was erased."),
        FendryCli::tr("FILE"));
    parser.addOption(reportOption);
    parser.addOption(dryRunOption);
    parser.addOption(quietOption);
    parser.addPositionalArgument(FendryCli::tr("PATH"),
                                 FendryCli::tr("Files and folders to erase."),
                                 FendryCli::tr("PATH..."));
    if (!parser.parse(arguments)) {
        // Qt's message quotes the argument as it came.
        return usageError(QString::fromStdString(printable(parser.errorText().toStdString())));
    }
    if (parser.isSet(QStringLiteral("help"))) {
        parser.showHelp(kExitErased);
    }
    if (parser.isSet(QStringLiteral("version"))) {
        parser.showVersion();
    }

    if (parser.isSet(wipeOption)) {
        if (!parser.positionalArguments().isEmpty() || parser.isSet(methodOption) ||
            parser.isSet(dryRunOption) || parser.isSet(verifyOption) ||
            parser.isSet(reportOption)) {
            return usageError(FendryCli::tr("--wipe-free-space takes one PATH and no --method, "
                                            "--verify, --report, --dry-run or items to erase"));
        }
        return wipeFreeSpaceCommand(parser.value(wipeOption), parser.isSet(yesOption),
                                    parser.isSet(quietOption));
    }

    fendry::ShredMethod method;
    if (parser.isSet(methodOption)) {
        const auto named = methodNamed(parser.value(methodOption));
        if (!named) {
            return usageError(FendryCli::tr("unknown method '%1'; choose quick, safe or stealth")
                                  .arg(parser.value(methodOption)));
        }
        method = *named;
    } else {
        method = fendry::loadSavedMethod(fendry::SettingsPreferences());
    }

    const QStringList paths = parser.positionalArguments();
    if (paths.isEmpty()) {
        return usageError(FendryCli::tr("no PATH to erase"));
    }
    if (parser.isSet(dryRunOption)) {
        if (parser.isSet(reportOption)) {
            return usageError(FendryCli::tr("--report has nothing to report on a dry run"));
        }
        std::vector<std::string> names;
        for (const QString& path : paths) {
            names.push_back(QFile::encodeName(path).toStdString());
        }
        std::fputs(dryRunReport(names).c_str(), stdout);
        return kExitErased;
    }

    fendry::PendingList files;
    for (const QString& path : paths) {
        const std::string bytes = QFile::encodeName(path).toStdString();
        if (const auto refusal = fendry::refusalOf(bytes)) {
            complain(FendryCli::tr("refusing to erase '%1': %2; nothing was erased.")
                         .arg(QString::fromStdString(printable(bytes)),
                              engine_texts::refusalText(*refusal)));
            return kExitUsage;
        }
        fendry::addPendingItem(files, bytes);
    }

    const QString report = parser.value(reportOption);
    if (parser.isSet(reportOption)) {
        if (const auto refusal = fendry::reportRefusal(report, files)) {
            complain(FendryCli::tr("%1; nothing was erased.").arg(*refusal));
            return kExitUsage;
        }
    }

    if (!parser.isSet(yesOption)) {
        if (::isatty(STDIN_FILENO) == 0) {
            complain(
                FendryCli::tr("nothing was erased: there is no terminal to ask for "
                              "confirmation on; pass --yes to erase without asking."));
            return kExitUsage;
        }
        if (!confirmed(files)) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(FendryCli::tr("Nothing was erased.")));
            return kExitUsage;
        }
    }

    fendry::EraseRun run(fendry::qtRunEnvironment(&app));
    stopRunOnSignals(app, run);
    const bool quiet = parser.isSet(quietOption);
    const bool showProgress = !quiet && ::isatty(STDERR_FILENO) != 0;
    ProgressLine progress(stderr);
    run.setOnChange([&] {
        const auto& state = run.state();
        if (state.isShredding) {
            if (showProgress) {
                progress.show(state);
            }
        } else if (state.showCompletionAnimation) {
            progress.clear();
            QCoreApplication::quit();
        }
    });
    run.startShredding(files, method, parser.isSet(verifyOption));
    app.exec();

    std::fputs((quiet ? failureLines(run.state()) : summaryText(run.state())).c_str(), stdout);
    std::fflush(stdout);
    int status = kExitErased;
    if (run.state().stopped) {
        status = kExitSignalBase + (stopSignal != 0 ? stopSignal : SIGINT);
    } else if (run.state().failedCount() > 0) {
        status = kExitNotAllErased;
    }
    // A report that could not be written does not hide what the run itself came to.
    if (parser.isSet(reportOption) && !fendry::writeRunReport(run.state(), report) &&
        status == kExitErased) {
        status = kExitReportNotWritten;
    }
    return status;
}
