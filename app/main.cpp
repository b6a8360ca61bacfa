// fendry: the desktop application. Items given on the command line (paths or file URLs) go to
// the pending list; while an instance runs, later launches hand their items to it.

#include <QtQml/qqmlextensionplugin.h>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QThreadPool>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "AccessibleItems.h"
#include "AppDelegate.h"
#include "LaunchArguments.h"
#include "MailingListManager.h"
#include "SingleInstance.h"
#include "Translations.h"

Q_IMPORT_QML_PLUGIN(Fendry_UiPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_AppPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_NewsletterPlugin)

using fendry::AppDelegate;
using fendry::MailingListManager;
using fendry::SingleInstance;

namespace {

// The application's own texts outside the window.
struct Fendry {
    Q_DECLARE_TR_FUNCTIONS(Fendry)
};

void complain(const QString& message) {
    std::fprintf(stderr, "fendry: %s\n", qUtf8Printable(message));
}

// Answered before there is an application to install a translation on, so it asks one itself.
void printUsage() {
    const char* const usage =
        QT_TRANSLATE_NOOP("Fendry",
                          "Usage: fendry [PATH|FILE-URL]...\n"
                          "Opens Fendry with the given files and folders waiting to be erased.");
    QTranslator translator;
    const QString translated =
        translations::load(translator) ? translator.translate("Fendry", usage) : QString();
    std::puts(translated.isEmpty() ? usage : qUtf8Printable(translated));
}

// Where the options end: the first "--", or argc.
int optionsEnd(int argc, char* argv[]) {
    int end = std::min(1, argc);  // argv may be empty
    while (end < argc && std::strcmp(argv[end], "--") != 0) {
        ++end;
    }
    return end;
}

// Answers --help and --version before anything needs a display; true when it did.
bool answeredInformationOption(int argc, char* argv[]) {
    const int end = optionsEnd(argc, argv);
    for (int i = 1; i < end; ++i) {
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
    fendry::installAccessibleItems();  // before the application makes its own
    QGuiApplication::setApplicationName(QStringLiteral("Fendry"));
    QGuiApplication::setOrganizationName(QStringLiteral("morvel"));
    QGuiApplication::setApplicationVersion(QStringLiteral(FENDRY_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("co.morvel.Fendry"));
    // Qt takes its own options (-style, -platform…) wherever they stand, even after "--", so it
    // is shown only what comes before; everything after "--" is an item, as raw bytes.
    const int end = optionsEnd(argc, argv);
    const std::vector<std::string> afterOptions(argv + std::min(end + 1, argc), argv + argc);
    int qtArgc = end;
    QGuiApplication application(qtArgc, argv);
    translations::installForSystemLanguage();

    // Qt has taken its own options out of what it was shown; what is left are ours.
    std::vector<std::string> arguments(argv + std::min(1, qtArgc), argv + qtArgc);
    arguments.insert(arguments.end(), afterOptions.begin(), afterOptions.end());
    const auto items = fendry::itemsFromArguments(arguments, std::filesystem::current_path());

    const QString serverName = SingleInstance::defaultServerName();
    SingleInstance instance;
    {
        const SingleInstance::LaunchLock turn(serverName);
        switch (SingleInstance::handOver(serverName, items)) {
            case SingleInstance::HandOver::Taken: return 0;
            case SingleInstance::HandOver::Failed:
                complain(Fendry::tr("the running Fendry did not answer; try again."));
                return 1;
            case SingleInstance::HandOver::TooMany:
                complain(Fendry::tr("more than %1 items cannot be handed to the running Fendry "
                                    "at once; nothing was handed over.")
                             .arg(SingleInstance::kMaxItems));
                return 1;
            case SingleInstance::HandOver::Refused:
                complain(
                    Fendry::tr("the running Fendry's socket belongs to another user; it was told "
                               "nothing, and this launch takes its place."));
                break;
            case SingleInstance::HandOver::NoInstance: break;
        }
        if (!instance.listen(serverName)) {
            complain(
                Fendry::tr("later launches cannot reach this one; items opened with it will "
                           "start a second window."));
        }
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
    delegate.wiper()->stop();  // what a wipe made is let go, and the space comes back
    QThreadPool::globalInstance()->waitForDone();
    return status;
}
