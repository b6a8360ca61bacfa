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

#include "DryRun.h"
#include "EraseRun.h"
#include "MethodPreference.h"
#include "PendingItems.h"
#include "ProgressLine.h"
#include "QtRunEnvironment.h"
#include "SettingsPreferences.h"
#include "Summary.h"

namespace {

constexpr int kExitErased = 0;
constexpr int kExitNotAllErased = 1;
constexpr int kExitUsage = 2;
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

int usageError(const QString& message) {
    std::fprintf(stderr, "fendry-cli: %s\nTry 'fendry-cli --help' for more information.\n",
                 qUtf8Printable(message));
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

// Asks on the terminal; only an explicit yes erases.
bool confirmed(std::size_t itemCount) {
    std::fprintf(stderr,
                 "Are you sure?\nThis will permanently delete %zu item(s). This action cannot be "
                 "undone.\nErase now? [y/N] ",
                 itemCount);
    std::fflush(stderr);
    std::string answer;
    if (!std::getline(std::cin, answer)) {
        std::fputc('\n', stderr);
        return false;
    }
    const QString reply = QString::fromStdString(answer).trimmed().toLower();
    return reply == QLatin1String("y") || reply == QLatin1String("yes");
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("fendry-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FENDRY_VERSION));

    // Paths reach the parser as text; a name that does not survive the round trip through the
    // locale's encoding would name some other file, so it is refused rather than guessed at.
    for (int i = 1; i < argc; ++i) {
        if (QFile::encodeName(QFile::decodeName(argv[i])) != QByteArray(argv[i])) {
            std::fprintf(stderr,
                         "fendry-cli: argument %d is not valid text in this locale's "
                         "encoding; nothing was erased.\n",
                         i);
            return kExitUsage;
        }
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Erases files and folders beyond recovery: every file is overwritten in place with fresh\n"
        "random data, pass after pass, synced to the device, and removed after its last pass;\n"
        "each folder that the run emptied is removed at the end."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption methodOption(
        {QStringLiteral("m"), QStringLiteral("method")},
        QStringLiteral("Erase method: quick (1 pass), safe (7) or stealth (35). Default: the "
                       "method last chosen in Fendry, or quick."),
        QStringLiteral("method"));
    const QCommandLineOption yesOption({QStringLiteral("y"), QStringLiteral("yes")},
                                       QStringLiteral("Erase without asking for confirmation."));
    const QCommandLineOption dryRunOption(
        {QStringLiteral("n"), QStringLiteral("dry-run")},
        QStringLiteral("Change nothing: list what would be erased, removed, refused or left, and "
                       "why."));
    const QCommandLineOption quietOption(
        {QStringLiteral("q"), QStringLiteral("quiet")},
        QStringLiteral("Print only the lines of items that could not be erased; the exit status "
                       "tells the rest."));
    parser.addOption(methodOption);
    parser.addOption(yesOption);
    parser.addOption(dryRunOption);
    parser.addOption(quietOption);
    parser.addPositionalArgument(QStringLiteral("PATH"),
                                 QStringLiteral("Files and folders to erase."),
                                 QStringLiteral("PATH..."));
    if (!parser.parse(QCoreApplication::arguments())) {
        return usageError(parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help"))) {
        parser.showHelp(kExitErased);
    }
    if (parser.isSet(QStringLiteral("version"))) {
        parser.showVersion();
    }

    fendry::ShredMethod method;
    if (parser.isSet(methodOption)) {
        const auto named = methodNamed(parser.value(methodOption));
        if (!named) {
            return usageError(QStringLiteral("unknown method '%1'; choose quick, safe or stealth")
                                  .arg(parser.value(methodOption)));
        }
        method = *named;
    } else {
        method = fendry::loadSavedMethod(SettingsPreferences());
    }

    const QStringList paths = parser.positionalArguments();
    if (paths.isEmpty()) {
        return usageError(QStringLiteral("no PATH to erase"));
    }
    if (parser.isSet(dryRunOption)) {
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
            std::fprintf(stderr, "fendry-cli: refusing to erase '%s': %s; nothing was erased.\n",
                         printable(bytes).c_str(), refusal->c_str());
            return kExitUsage;
        }
        fendry::addPendingItem(files, bytes);
    }

    if (!parser.isSet(yesOption)) {
        if (::isatty(STDIN_FILENO) == 0) {
            std::fprintf(stderr,
                         "fendry-cli: nothing was erased: there is no terminal to ask for "
                         "confirmation on; pass --yes to erase without asking.\n");
            return kExitUsage;
        }
        if (!confirmed(files.size())) {
            std::fprintf(stderr, "Nothing was erased.\n");
            return kExitUsage;
        }
    }

    fendry::EraseRun run(qtRunEnvironment(&app));
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
    run.startShredding(files, method);
    app.exec();

    std::fputs((quiet ? failureLines(run.state()) : summaryText(run.state())).c_str(), stdout);
    if (run.state().stopped) {
        return kExitSignalBase + (stopSignal != 0 ? stopSignal : SIGINT);
    }
    return run.state().failedCount() > 0 ? kExitNotAllErased : kExitErased;
}
