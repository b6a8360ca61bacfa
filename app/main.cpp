// fendry: the desktop application. Items given on the command line (paths or file URLs) go to
// the pending list; while an instance runs, later launches hand their items to it.

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QThreadPool>
#include <QtQml/qqmlextensionplugin.h>
#include <cstdio>
#include <cstring>

#include "AppDelegate.h"
#include "LaunchArguments.h"
#include "MailingListManager.h"
#include "SingleInstance.h"

Q_IMPORT_QML_PLUGIN(Fendry_UiPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_AppPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_NewsletterPlugin)

namespace {

void printUsage() {
    std::puts("Usage: fendry [PATH|FILE-URL]...\n"
              "Opens Fendry with the given files and folders waiting to be erased.");
}

// Answers --help and --version before anything needs a display; true when it did.
bool answeredInformationOption(int argc, char* argv[]) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            printUsage();
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("fendry " FENDRY_VERSION);
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (answeredInformationOption(argc, argv)) {
        return 0;
    }
    QGuiApplication::setApplicationName(QStringLiteral("Fendry"));
    QGuiApplication::setOrganizationName(QStringLiteral("morvel"));
    QGuiApplication::setApplicationVersion(QStringLiteral(FENDRY_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("co.morvel.Fendry"));
    QGuiApplication application(argc, argv);

    // Qt has taken its own options out of argv; what is left are ours, as raw bytes.
    std::vector<std::string> arguments;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (!optionsEnded && std::strcmp(argument, "--") == 0) {
            optionsEnded = true;
        } else {
            arguments.emplace_back(argument);
        }
    }
    const auto items = itemsFromArguments(arguments, std::filesystem::current_path());

    const QString serverName = SingleInstance::defaultServerName();
    switch (SingleInstance::handOver(serverName, items)) {
        case SingleInstance::HandOver::Taken: return 0;
        case SingleInstance::HandOver::Failed:
            std::fputs("fendry: the running Fendry did not answer; try again.\n", stderr);
            return 1;
        case SingleInstance::HandOver::NoInstance: break;
    }

    SingleInstance instance;
    if (!instance.listen(serverName)) {
        std::fputs("fendry: later launches cannot reach this one; items opened with it will "
                   "start a second window.\n",
                   stderr);
    }

    MailingListManager::shared();  // reads the newsletter answer before any menu is built
    AppDelegate delegate;
    delegate.open(items);
    QObject::connect(&instance, &SingleInstance::launched, &delegate,
                     [&delegate](const SingleInstance::Items& launchedItems) {
                         delegate.open(launchedItems);
                         delegate.bringToFront();
                     });

    QQmlApplicationEngine engine;
    if (delegate.showMainWindow(engine) == nullptr) {
        return 1;
    }
    const int status = QGuiApplication::exec();

    // Quitting during a run ends it after the pass being written; the run must be over before
    // the objects it reports to go away.
    delegate.screen()->stopRun();
    QThreadPool::globalInstance()->waitForDone();
    return status;
}
