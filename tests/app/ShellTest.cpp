#include <grp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QClipboard>
#include <QDesktopServices>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>
#include <QtEndian>
#include <cstring>
#include <optional>
#include <thread>

#include <QtQml/qqmlextensionplugin.h>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>

#include "AccessibleItems.h"
#include "AccessibleTree.h"
#include "AppDelegate.h"
#include "CheckForUpdatesViewModel.h"
#include "HeldRun.h"
#include "ItemSearch.h"
#include "LaunchArguments.h"
#include "OpenedUrls.h"
#include "SingleInstance.h"
#include "SupportRequest.h"
#include "TempFolder.h"

Q_IMPORT_QML_PLUGIN(Fendry_UiPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_AppPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_NewsletterPlugin)

using namespace fendry;
using testing_support::HeldRun;
using testing_support::TempFolder;

namespace {

// Counts the quits asked for instead of ending the test.
class QuitCountingDelegate final : public AppDelegate {
public:
    void quit() override { ++quits; }
    int quits = 0;
};

}  // namespace
namespace fs = std::filesystem;
using Items = SingleInstance::Items;

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config_.path().native()));
        QCoreApplication::setApplicationName(QStringLiteral("Fendry"));
        installAccessibleItems();
        QAccessible::setActive(true);  // as when a screen reader is running
        // Nothing listens on port 1: every check fails at once, without the network.
        qputenv("FENDRY_APPCAST_URL", "https://127.0.0.1:1/appcast.xml");
        // A desktop with no application to open anything, unless a test installs a handler.
        qputenv("PATH", QByteArray::fromStdString(config_.path().native()));
        qunsetenv("BROWSER");
        qunsetenv("DEFAULT_BROWSER");
    }

    void theWindowIsFixedHasItsMenuAndKeepsEverythingWhenClosed() {
        TempFolder items;
        testing_support::writeFile(items / "a", 3);
        AppDelegate delegate;
        delegate.open({items / "a", items / "a"});
        QQmlApplicationEngine engine;
        QQuickWindow* window = delegate.showMainWindow(engine);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));

        // The application window's own content item: the area below the menu bar.
        QCOMPARE(window->property("contentItem").value<QQuickItem*>()->size(), QSizeF(400, 500));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QCOMPARE(window->size(), window->minimumSize());

        QCOMPARE(menuEntries(window, "applicationMenu"),
                 (QStringList{"About Fendry", "-", "Check for Updates\u2026", "-", "Quit Fendry"}));
        QCOMPARE(menuEntries(window, "fileMenu"),
                 (QStringList{"Add Files\u2026", "Add Folder\u2026", "-", "Wipe Free Space\u2026"}));
        QCOMPARE(menuEntries(window, "helpMenu"),
                 (QStringList{"Contact Support", "Subscribe to Newsletter\u2026"}));
        delegate.mailingList()->decline();  // gone at once, without a restart
        QCOMPARE(menuEntries(window, "helpMenu"), QStringList{"Contact Support"});

        QTRY_COMPARE(delegate.files().rowCount(), 1);  // opened twice, listed once
        window->close();
        QVERIFY(window->isVisible());
        QCOMPARE(delegate.files().rowCount(), 1);
        QVERIFY(delegate.updater()->canCheckForUpdates());  // started with the application
        QVERIFY(!delegate.updater()->sessionInProgress());
    }

    // Centred on the screen's free area where it fits; where it does not (Qt's scale factor at 2
    // on a small screen), its top left corner and so its menus are on screen.
    void theWindowOpensOnScreenCentredWhereItFits() {
        AppDelegate delegate;
        QQmlApplicationEngine engine;
        QQuickWindow* window = delegate.showMainWindow(engine);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QRect free = window->screen()->availableGeometry();
        const QRect frame = window->frameGeometry();
        QVERIFY2(free.contains(frame.topLeft()),
                 qPrintable(QStringLiteral("%1,%2 on %3x%4").arg(frame.x()).arg(frame.y())
                                .arg(free.width()).arg(free.height())));
        QCOMPARE(std::abs((frame.left() - free.left()) - (free.right() - frame.right())) <= 1,
                 frame.width() <= free.width());
        QCOMPARE(std::abs((frame.top() - free.top()) - (free.bottom() - frame.bottom())) <= 1,
                 frame.height() <= free.height());
        if (frame.height() > free.height()) {
            QCOMPARE(frame.top(), free.top());
        }
    }

    // The menu item follows the updater: off during a check, on again with its result, which
    // stays on screen until the user closes it.
    void checkForUpdatesFollowsTheUpdaterAndShowsTheResult() {
        AppDelegate delegate;
        QQmlApplicationEngine engine;
        QQuickWindow* window = delegate.showMainWindow(engine);
        QVERIFY(window);
        Updater& updater = *delegate.updater();

        CheckForUpdatesViewModel viewModel;
        QVERIFY(!viewModel.canCheckForUpdates());
        viewModel.setUpdater(&updater);
        QVERIFY(viewModel.canCheckForUpdates());  // the current value, at once
        QObject* item = menuItem(window, "applicationMenu", 2);
        QVERIFY(item->property("enabled").toBool());

        QMetaObject::invokeMethod(item, "triggered");
        QVERIFY(updater.sessionInProgress());
        QVERIFY(MailingListManager::shouldSuppressPrompt());  // no newsletter over an update
        QVERIFY(!viewModel.canCheckForUpdates());
        QVERIFY(!item->property("enabled").toBool());
        QObject* dialog = window->findChild<QObject*>(QStringLiteral("updateResultDialog"));
        QTRY_VERIFY(dialog->property("visible").toBool());

        QTRY_COMPARE(updater.outcome(), int(Updater::Failed));
        QVERIFY(viewModel.canCheckForUpdates());
        QVERIFY(item->property("enabled").toBool());
        QVERIFY(dialog->property("visible").toBool());

        updater.dismissResult();
        QVERIFY(!updater.sessionInProgress());
        QTRY_VERIFY(!dialog->property("visible").toBool());
    }

    // Quit is never blocked by what is open over the window, a check for updates included;
    // the check itself can be cancelled, by its button or Escape, and that ends the request.
    void quitWorksWhateverIsOpenAndACheckCanBeCancelled() {
        QTcpServer silent;  // accepts, never answers
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        int connected = 0, hungUp = 0;
        connect(&silent, &QTcpServer::newConnection, this, [&] {
            ++connected;
            QTcpSocket* socket = silent.nextPendingConnection();
            connect(socket, &QTcpSocket::disconnected, this, [&] { ++hungUp; });
        });
        qputenv(
            "FENDRY_APPCAST_URL",
            QStringLiteral("https://127.0.0.1:%1/appcast.xml").arg(silent.serverPort()).toUtf8());
        QuitCountingDelegate delegate;
        qputenv("FENDRY_APPCAST_URL", "https://127.0.0.1:1/appcast.xml");
        QQmlApplicationEngine engine;
        QQuickWindow* window = delegate.showMainWindow(engine);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QObject* dialog = window->findChild<QObject*>(QStringLiteral("updateResultDialog"));
        Updater& updater = *delegate.updater();

        const auto checkThenCancel = [&](Qt::Key key) {
            const int before = hungUp, quits = delegate.quits;
            updater.checkForUpdates();
            QTRY_VERIFY(dialog->property("opened").toBool());
            QTRY_COMPARE(window->activeFocusItem(), find(window, "cancelCheckButton"));
            QTRY_COMPARE(connected, before + 1);
            QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
            QCOMPARE(delegate.quits, quits + 1);
            QTest::keyClick(window, key);
            QTRY_VERIFY(!dialog->property("visible").toBool());
            QVERIFY(!updater.sessionInProgress());  // as if its result had been dismissed
            QVERIFY(updater.canCheckForUpdates());
            QCOMPARE(updater.outcome(), int(Updater::None));
            QTRY_COMPARE(hungUp, before + 1);  // the request is over, not left to time out
        };
        checkThenCancel(Qt::Key_Escape);
        checkThenCancel(Qt::Key_Return);  // on the focused "Cancel"
        checkThenCancel(Qt::Key_Space);

        QObject* about = window->findChild<QObject*>(QStringLiteral("aboutDialog"));
        QMetaObject::invokeMethod(about, "open");
        QTRY_VERIFY(about->property("opened").toBool());
        QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(delegate.quits, 4);
    }

    // F10 or Alt alone open the menu bar; each title and item has its mnemonic, and the arrows,
    // Return and Escape work as in any menu.
    void theMenusWorkWithTheKeyboardAlone() {
        TempFolder items;
        testing_support::writeFile(items / "a", 3);
        QuitCountingDelegate delegate;
        delegate.open({items / "a"});  // the list's arrow keys stay out of the menus
        QQmlApplicationEngine engine;
        QQuickWindow* window = delegate.showMainWindow(engine);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTRY_VERIFY(delegate.screen()->keyMonitorInstalled());
        window->requestActivate();
        QTRY_VERIFY(window->isActive());
        QObject* applicationMenu = window->findChild<QObject*>(QStringLiteral("applicationMenu"));
        QObject* fileMenu = window->findChild<QObject*>(QStringLiteral("fileMenu"));
        QObject* helpMenu = window->findChild<QObject*>(QStringLiteral("helpMenu"));
        QObject* about = window->findChild<QObject*>(QStringLiteral("aboutDialog"));
        const auto opened = [](QObject* menu) { return menu->property("opened").toBool(); };

        QTest::keyClick(window, Qt::Key_F10);
        QTRY_VERIFY(opened(applicationMenu));
        QTest::keyClick(window, Qt::Key_Right);
        QTRY_VERIFY(opened(fileMenu));
        QTest::keyClick(window, Qt::Key_Right);
        QTRY_VERIFY(opened(helpMenu));
        QTest::keyClick(window, Qt::Key_Left);
        QTest::keyClick(window, Qt::Key_Left);
        QTRY_VERIFY(opened(applicationMenu));
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(!opened(applicationMenu));

        QTest::keyPress(window, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(window, Qt::Key_Alt, Qt::NoModifier);
        QTRY_VERIFY(opened(applicationMenu));
        QTest::keyClick(window, Qt::Key_Return);  // the first item is ready: "About Fendry"
        QTRY_VERIFY(about->property("opened").toBool());
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(!about->property("visible").toBool());

        // The arrows pass over an item that is not shown, as "Subscribe" once the user declined.
        window->findChild<QObject*>(QStringLiteral("subscribeMenuItem"))
            ->setProperty("visible", false);
        QTest::keyClick(window, Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(opened(helpMenu));
        QTest::keyClick(window, Qt::Key_Down);
        QTest::keyClick(window, Qt::Key_Down);
        QCOMPARE(helpMenu->property("currentIndex").toInt(), 0);  // "Contact Support"
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(!opened(helpMenu));
        QTest::keyClick(window, Qt::Key_F, Qt::AltModifier);  // "File", not "Fendry"
        QTRY_VERIFY(opened(fileMenu));
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(!opened(fileMenu));
        QTest::keyClick(window, Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(opened(applicationMenu));
        QTest::keyClick(window, Qt::Key_Q);  // the item's mnemonic, inside its menu
        QTRY_COMPARE(delegate.quits, 1);

        // Alt with something else in between is a shortcut, not the menu bar.
        QTRY_VERIFY(!opened(applicationMenu));
        QTest::keyPress(window, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyClick(window, Qt::Key_X, Qt::AltModifier);
        QTest::keyRelease(window, Qt::Key_Alt, Qt::NoModifier);
        QTest::qWait(100);
        QVERIFY(!opened(applicationMenu));
    }

    // To assistive technology the titles and the items of the menus are menu items, and their
    // "Press" opens the menu or does the command.
    void theMenusAreMenuItemsThatAssistiveTechnologyCanPress() {
        QuitCountingDelegate delegate;
        QQmlApplicationEngine engine;
        QQuickWindow* window = delegate.showMainWindow(engine);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QObject* applicationMenu = window->findChild<QObject*>(QStringLiteral("applicationMenu"));
        QObject* about = window->findChild<QObject*>(QStringLiteral("aboutDialog"));
        const auto press = [](QAccessibleInterface* node) {
            node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        };

        testing_support::AccessibleTree closed(*window);
        QVERIFY2(closed.problems.isEmpty(), qPrintable(closed.problems.join('\n')));
        QAccessibleInterface* title = closed.find(QAccessible::MenuItem, QStringLiteral("Fendry"));
        QVERIFY(title);
        QVERIFY(closed.find(QAccessible::MenuItem, QStringLiteral("Help")));
        QVERIFY(!closed.find(QAccessible::MenuItem, QStringLiteral("About Fendry")));  // hidden
        press(title);
        QTRY_VERIFY(applicationMenu->property("opened").toBool());

        testing_support::AccessibleTree open(*window);
        QVERIFY2(open.problems.isEmpty(), qPrintable(open.problems.join('\n')));
        QAccessibleInterface* aboutItem =
            open.find(QAccessible::MenuItem, QStringLiteral("About Fendry"));
        QVERIFY(aboutItem);
        QVERIFY(open.find(QAccessible::MenuItem, QStringLiteral("Check for Updates\u2026")));
        press(aboutItem);
        QTRY_VERIFY(about->property("opened").toBool());
        QTRY_VERIFY(!applicationMenu->property("opened").toBool());
        testing_support::AccessibleTree dialog(*window);
        QVERIFY2(dialog.problems.isEmpty(), qPrintable(dialog.problems.join('\n')));
        QVERIFY(dialog.focused && dialog.focused->text(QAccessible::Name) == QStringLiteral("OK"));
        QMetaObject::invokeMethod(about, "close");
        QTRY_VERIFY(!about->property("visible").toBool());

        press(title);
        QTRY_VERIFY(applicationMenu->property("opened").toBool());
        press(testing_support::AccessibleTree(*window).find(QAccessible::MenuItem,
                                                            QStringLiteral("Quit Fendry")));
        QTRY_COMPARE(delegate.quits, 1);
    }

    // A minimised window and what is in it are not showing; a hidden window is not in the tree.
    void aMinimisedWindowIsNotShowingAndAHiddenOneIsNotThere() {
        AppDelegate delegate;
        QQmlApplicationEngine engine;
        QQuickWindow* window = delegate.showMainWindow(engine);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QAccessibleInterface* application = QAccessible::queryAccessibleInterface(qApp);
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
        QQuickWindow hidden;
        QCOMPARE(application->childCount(), 1);
        QCOMPARE(application->child(0), root);
        QVERIFY(!root->state().invisible);
        QAccessibleInterface* menuBar = root->child(0);
        QVERIFY(menuBar && !menuBar->state().invisible);

        window->showMinimized();
        QVERIFY(root->state().invisible);
        QVERIFY(menuBar->state().invisible);
        QCOMPARE(root->childCount(), 0);
        window->showNormal();
        QVERIFY(!root->state().invisible);
        hidden.show();
        QCOMPARE(application->childCount(), 2);
        hidden.hide();
        QCOMPARE(application->childCount(), 1);
    }

    void contactSupportComposesTheMessageAndEncodesWhatWouldEndAValue() {
        testing_support::OpenedUrls opened;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &opened, "open");
        AppDelegate delegate;
        delegate.openSupportEmail();
        delegate.openSupportEmail();  // twice: two messages
        QCOMPARE(opened.urls.size(), 2);
        QCOMPARE(opened.urls[0].toEncoded(),
                 QByteArray("mailto:" FENDRY_SUPPORT_ADDRESS "?subject=Fendry%20Support%20Request"
                            "&body=Hello%20Fendry%20Team,%0A%0AI%20need%20assistance%20with%20"
                            "the%20following:%0A%0A"));
        QCOMPARE(opened.urls[1], opened.urls[0]);

        // A value that would break the query is kept whole; without a name, "App" stands in.
        const QUrl url = supportMailUrl(QStringLiteral("help@morvel.example"), QString(),
                                        QStringLiteral("a&b=c+d #e, f:g?"));
        QCOMPARE(url.toEncoded(),
                 QByteArray("mailto:help@morvel.example?subject=a%26b%3Dc%2Bd%20%23e,%20f:g?"
                            "&body=Hello%20App%20Team,%0A%0AI%20need%20assistance%20with%20the%20"
                            "following:%0A%0A"));
        QCOMPARE(QUrlQuery(url).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("a&b=c+d #e, f:g?"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    }

    // Quitting during a run asks first; keeping on is what Return and Escape answer.
    void quitDuringARunAsksFirst() {
        TempFolder items;
        testing_support::writeFile(items / "a", "the data");
        HeldRun run;
        AppDelegate delegate(run.environment());
        QQmlApplicationEngine engine;
        QQuickWindow* window = delegate.showMainWindow(engine);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        delegate.open({items / "a"});
        QTRY_COMPARE(delegate.files().rowCount(), 1);
        delegate.screen()->startShredding();
        QVERIFY(delegate.screen()->isShredding());

        QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(delegate.showQuitQuestion());
        QTRY_VERIFY(find(window, "keepErasingButton") &&
                    find(window, "keepErasingButton")->hasActiveFocus());
        QTest::keyClick(window, Qt::Key_Return);
        QTRY_VERIFY(!delegate.showQuitQuestion());
        QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
        QTRY_VERIFY(find(window, "keepErasingButton")->hasActiveFocus());
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(!delegate.showQuitQuestion());
        window->close();  // closing still only minimises, and asks nothing
        QVERIFY(window->isVisible());
        QVERIFY(!delegate.showQuitQuestion());
        QVERIFY(delegate.screen()->isShredding());

        delegate.quit();
        QQuickItem* stop = find(window, "stopAndQuitButton");
        QTRY_VERIFY(stop->isVisible());
        QTimer::singleShot(0, stop, [stop] { QMetaObject::invokeMethod(stop, "clicked"); });
        QEventLoop application;  // stands in for the application's own loop, which quitting ends
        QTimer::singleShot(5000, &application, [&] { application.exit(1); });
        QCOMPARE(application.exec(), 0);
        run.finish();  // the run, let go only now, stops before it writes anything
        QCOMPARE(testing_support::readFile(items / "a"), std::string("the data"));
    }

    void aRunThatEndsTakesTheQuitQuestionAway() {
        HeldRun run;
        AppDelegate delegate(run.environment());
        delegate.screen()->startShredding();
        delegate.quit();
        QVERIFY(delegate.showQuitQuestion());
        run.finish();
        QVERIFY(!delegate.screen()->isShredding());
        QVERIFY(!delegate.showQuitQuestion());
    }

    // With no mail application, the address is shown to copy instead.
    void contactSupportWithoutAMailApplicationShowsTheAddress() {
        AppDelegate delegate;
        QQmlApplicationEngine engine;
        QQuickWindow* window = delegate.showMainWindow(engine);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        delegate.openSupportEmail();
        QTRY_VERIFY(find(window, "unopenedAddress") &&
                    find(window, "unopenedAddress")->isVisible());
        QCOMPARE(find(window, "unopenedMessage")->property("text").toString(),
                 QStringLiteral("No mail application could be opened. Write to us at:"));
        QCOMPARE(find(window, "unopenedAddress")->property("text").toString(),
                 QStringLiteral(FENDRY_SUPPORT_ADDRESS));
        QMetaObject::invokeMethod(find(window, "copyAddressButton"), "clicked");
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral(FENDRY_SUPPORT_ADDRESS));
    }

    // The newsletter never comes over the confirmation, a run or the failure details, nor while
    // the user types or clicks; it waits for the next chance.
    void theNewsletterWaitsWhileTheUserIsBusy() {
        {
            QSettings group(QSettings::IniFormat, QSettings::UserScope,
                            QStringLiteral("group.Q3DXT7K52W.co.morvel.shared"));
            group.remove(QStringLiteral("mailingList.shared.decision"));
            group.setValue(QStringLiteral("mailingList.co.morvel.Fendry.launchCount"), 9);
        }
        TempFolder items;
        testing_support::writeFile(items / "a", 3);
        HeldRun run;
        AppDelegate delegate(run.environment());
        QQmlApplicationEngine engine;
        QVERIFY(delegate.showMainWindow(engine));
        MainScreen& screen = *delegate.screen();
        MailingListManager& newsletter = *delegate.mailingList();
        screen.takeIn({items / "a"});
        QVERIFY(MailingListManager::shouldSuppressPrompt());  // the user has only just begun

        // The window asks for the prompt 2.5 s after it opens, while "Are you sure?" is open.
        screen.setShowConfirmationDialog(true);
        QTest::qWait(3000);
        QVERIFY(!newsletter.isPresented());
        screen.setShowConfirmationDialog(false);
        QVERIFY(!newsletter.isPresented());  // not at once: a moment after
        QTRY_VERIFY_WITH_TIMEOUT(newsletter.isPresented(), 8000);
        newsletter.setPresented(false);

        screen.startShredding();
        QVERIFY(MailingListManager::shouldSuppressPrompt());
        run.finish();
        QVERIFY(!MailingListManager::shouldSuppressPrompt());
        screen.setShowFailureDetails(true);
        QVERIFY(MailingListManager::shouldSuppressPrompt());
        screen.setShowFailureDetails(false);
        QVERIFY(!MailingListManager::shouldSuppressPrompt());
        QTest::keyClick(qobject_cast<QWindow*>(engine.rootObjects().constFirst()), Qt::Key_A);
        QVERIFY(MailingListManager::shouldSuppressPrompt());  // mid-typing
        QTRY_VERIFY_WITH_TIMEOUT(!MailingListManager::shouldSuppressPrompt(), 8000);
    }

    void launchArgumentsBecomeAbsoluteItemsByteForByte() {
        const fs::path cwd = "/home/me/work";
        const Items items = itemsFromArguments(
            {"notes.txt", "/abs/Photos/", "a/link/../b", "file:///tmp/My%20File.txt",
             "file:///tmp/bad%FFname", "https://morvel.example/x", "file://otherhost/x", "",
             "caf\xC3\xA9", "raw\xFF"},
            cwd);
        const Items expected{cwd / "notes.txt",  "/abs/Photos/",     cwd / "a/link/../b",
                             "/tmp/My File.txt", "/tmp/bad\xFFname", cwd / "caf\xC3\xA9",
                             cwd / "raw\xFF"};
        QCOMPARE(items, expected);
    }

    // Two launches at once leave one window: a launch waits while another decides whether it
    // is the one that runs, then hands its items to the one that listens.
    void aLaterLaunchWaitsItsTurnThenHandsItsItemsToTheRunningOne() {
        TempFolder runtime;
        const QString name = QString::fromStdString((runtime / "fendry.socket").native());
        SingleInstance running;
        QSignalSpy launched(&running, &SingleInstance::launched);
        std::optional<SingleInstance::LaunchLock> deciding(std::in_place, name);

        // The real application, launched again from a folder with relative paths.
        QProcess later;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                           QString::fromStdString(runtime.path().native()));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        later.setProcessEnvironment(environment);
        later.setWorkingDirectory(QString::fromStdString(runtime.path().native()));
        // Past "--" everything is an item, even what Qt would take as its own option.
        later.start(QStringLiteral(FENDRY_PATH),
                    {QStringLiteral("b.txt"), QStringLiteral("sub/"), QStringLiteral("--"),
                     QStringLiteral("-style"), QStringLiteral("x"), QStringLiteral("--"),
                     QStringLiteral("-reverse")});
        QTRY_VERIFY(waitsForALock(later.processId()));
        QVERIFY(running.listen(name));
        deciding.reset();
        QTRY_COMPARE(launched.count(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(later.state(), QProcess::NotRunning, 10000);
        QCOMPARE(later.exitStatus(), QProcess::NormalExit);
        QCOMPARE(later.exitCode(), 0);
        QCOMPARE(launched.front().front().value<Items>(),
                 (Items{runtime / "b.txt", runtime / "sub/", runtime / "-style", runtime / "x",
                        runtime / "--", runtime / "-reverse"}));
    }

    // The runtime folder only when it is the user's own and private; otherwise a folder of our
    // own in the temporary folder, never one that another user made or can enter.
    void theSocketLivesInAFolderOnlyTheUserCanEnter() {
        TempFolder runtime, temp;
        const QString runtimePath = QString::fromStdString(runtime.path().native());
        const QString tempPath = QString::fromStdString(temp.path().native());
        QCOMPARE(SingleInstance::privateFolder(runtimePath, tempPath), runtimePath);

        // Decoys in the temporary folder, each named as ours would be.
        const std::string prefix = "fendry-" + std::to_string(::geteuid()) + "-";
        fs::create_directory(temp / (prefix + "0open"));
        fs::permissions(temp / (prefix + "0open"), fs::perms(0755));
        fs::create_directory_symlink(runtime.path(), temp / (prefix + "0link"));
        const bool root = ::geteuid() == 0;
        if (root) {
            fs::create_directory(temp / (prefix + "0theirs"));
            fs::permissions(temp / (prefix + "0theirs"), fs::perms(0700));
            QCOMPARE(::chown((temp / (prefix + "0theirs")).c_str(), kOtherUser, kOtherUser), 0);
        }

        fs::permissions(runtime.path(), fs::perms(0755));
        const QString made = SingleInstance::privateFolder(runtimePath, tempPath);
        QVERIFY(made.startsWith(tempPath + "/" + QString::fromStdString(prefix)));
        QVERIFY(!made.endsWith(QLatin1String("0open")) && !made.endsWith(QLatin1String("0link")) &&
                !made.endsWith(QLatin1String("0theirs")));
        struct stat info {};
        QCOMPARE(::lstat(made.toLocal8Bit().constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, 0700u);
        QCOMPARE(info.st_uid, ::geteuid());
        // Found again by later launches, whatever the runtime folder is.
        QCOMPARE(SingleInstance::privateFolder(QString(), tempPath), made);
        QCOMPARE(SingleInstance::privateFolder(tempPath + "/missing", tempPath), made);
        fs::permissions(runtime.path(), fs::perms(0700));
        fs::create_directory_symlink(runtime.path(), temp / "runtime-link");
        QCOMPARE(SingleInstance::privateFolder(tempPath + "/runtime-link", tempPath), made);
        if (root) {
            // As `su` leaves it: the runtime folder of the user before.
            QCOMPARE(::chown(runtime.path().c_str(), kOtherUser, kOtherUser), 0);
            QCOMPARE(SingleInstance::privateFolder(runtimePath, tempPath), made);
        }
    }

    // Whoever listens on the socket must be this user; anyone else is told nothing.
    void aSocketOfAnotherUserIsToldNothing() {
        if (::geteuid() != 0) {
            QSKIP("acting as another user needs root");
        }
        TempFolder folder;
        fs::permissions(folder.path(), fs::perms(0777));
        const std::string name = (folder / "fendry.socket").native();
        int ready[2], report[2];
        QCOMPARE(::pipe(ready), 0);
        QCOMPARE(::pipe(report), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            // Another user's listener, which reports how many bytes it was sent.
            if (::setgroups(0, nullptr) != 0 || ::setgid(kOtherUser) != 0 ||
                ::setuid(kOtherUser) != 0) {
                ::_exit(2);
            }
            const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, name.c_str(), sizeof address.sun_path - 1);
            if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
                ::listen(listener, 1) != 0 || ::write(ready[1], "r", 1) != 1) {
                ::_exit(3);
            }
            const int connection = ::accept(listener, nullptr, nullptr);
            char buffer[4096];
            long received = 0;
            for (ssize_t n; (n = ::read(connection, buffer, sizeof buffer)) > 0;) {
                received += n;
            }
            ::_exit(::write(report[1], &received, sizeof received) == sizeof received ? 0 : 4);
        }
        char byte = 0;
        QCOMPARE(::read(ready[0], &byte, 1), 1);

        QCOMPARE(SingleInstance::handOver(QString::fromStdString(name), {"/home/me/secret.txt"}),
                 SingleInstance::HandOver::Refused);
        long received = -1;
        QCOMPARE(::read(report[0], &received, sizeof received), ssize_t(sizeof received));
        QCOMPARE(received, 0L);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QCOMPARE(WEXITSTATUS(status), 0);
        for (int fd : {ready[0], ready[1], report[0], report[1]}) {
            ::close(fd);
        }
    }

    // Nobody listening is told; a socket left behind is taken over. Launches that never finish,
    // send more than a launch's command line could hold, or gave up waiting are dropped; the
    // rest of a message is taken, byte for byte.
    void handingOverKeepsEveryByteAndDropsIdleAndOversizedLaunches() {
        TempFolder runtime;
        const QString name = QString::fromStdString((runtime / "fendry.socket").native());
        QCOMPARE(SingleInstance::handOver(name, {"/tmp/a"}), SingleInstance::HandOver::NoInstance);
        {
            SingleInstance gone;
            QVERIFY(gone.listen(name));
        }
        QFile stale(name);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        SingleInstance running(std::chrono::hours(1));
        QVERIFY(running.listen(name));
        QSignalSpy launched(&running, &SingleInstance::launched);

        const auto refused = [&](const QByteArray& message) {
            QLocalSocket launch;
            launch.connectToServer(name);
            launch.write(message);
            QTRY_COMPARE(launch.state(), QLocalSocket::UnconnectedState);
        };
        QByteArray header(4, '\0');
        qToBigEndian(quint32(2 * 1024 * 1024), header.data());  // a command line's worth
        refused(header);
        QByteArray paths = QByteArray("/a").append('\0').repeated(SingleInstance::kMaxItems + 1);
        header = QByteArray(4, '\0');
        qToBigEndian(quint32(paths.size()), header.data());
        refused(header + paths);
        QCOMPARE(SingleInstance::handOver(name, Items(SingleInstance::kMaxItems + 1, "/a")),
                 SingleInstance::HandOver::TooMany);

        // Told to try again, a launch that gave up waiting is not taken in later.
        SingleInstance::HandOver gaveUp{};
        std::thread([&] {
            gaveUp =
                SingleInstance::handOver(name, {"/tmp/gave-up"}, std::chrono::milliseconds(100));
        }).join();  // meanwhile the running one serves nothing
        QCOMPARE(gaveUp, SingleInstance::HandOver::Failed);

        const std::string longest = "/" + std::string(SingleInstance::kMaxPathBytes - 1, 'a');
        const Items items{longest + "b", "/tmp/raw\xFFname", "/tmp/folder/", longest};
        QCOMPARE(handOverInThread(name, items), SingleInstance::HandOver::Taken);
        QTRY_COMPARE(launched.count(), 1);
        QCOMPARE(launched.front().front().value<Items>(),
                 (Items{"/tmp/raw\xFFname", "/tmp/folder/", longest}));

        SingleInstance impatient(std::chrono::milliseconds(100));
        QVERIFY(impatient.listen(name + "2"));
        QLocalSocket idle;
        idle.connectToServer(name + "2");
        QVERIFY(idle.waitForConnected(5000));
        QTRY_COMPARE(idle.state(), QLocalSocket::UnconnectedState);
    }

    // A crowd of idle connections, more than the process has descriptors for, neither takes
    // the socket down nor keeps the next launch out.
    void theSocketOutlastsACrowdOfIdleConnections() {
        TempFolder runtime;
        const std::string name = (runtime / "fendry.socket").native();
        SingleInstance running(std::chrono::milliseconds(100));
        QVERIFY(running.listen(QString::fromStdString(name)));
        QSignalSpy launched(&running, &SingleInstance::launched);

        rlimit limit{};
        QCOMPARE(::getrlimit(RLIMIT_NOFILE, &limit), 0);
        const rlimit before = limit;
        limit.rlim_cur = openDescriptors() + 30;
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &limit), 0);

        int ready[2], done[2];
        QCOMPARE(::pipe(ready), 0);
        QCOMPARE(::pipe(done), 0);
        const pid_t crowd = ::fork();
        if (crowd == 0) {
            // Fewer than the socket's queue holds, more than this process could accept; each
            // says nothing and stays until told to go.
            for (int i = 0; i < 45; ++i) {
                const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
                sockaddr_un address{};
                address.sun_family = AF_UNIX;
                std::strncpy(address.sun_path, name.c_str(), sizeof address.sun_path - 1);
                ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
            }
            char byte = 0;
            ::close(done[1]);
            const bool told = ::write(ready[1], "r", 1) == 1 && ::read(done[0], &byte, 1) >= 0;
            ::_exit(told ? 0 : 1);
        }
        ::close(done[0]);
        char byte = 0;
        QCOMPARE(::read(ready[0], &byte, 1), 1);

        const auto result = handOverInThread(QString::fromStdString(name), {"/tmp/a"});
        ::close(done[1]);
        ::waitpid(crowd, nullptr, 0);
        ::close(ready[0]);
        ::close(ready[1]);
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &before), 0);
        QCOMPARE(result, SingleInstance::HandOver::Taken);
        QTRY_COMPARE(launched.count(), 1);
    }

private:
    static constexpr uid_t kOtherUser = 65534;  // nobody

    // Whether process `pid` waits for a lock another holds, as /proc/locks lists it:
    // "1: -> FLOCK  ADVISORY  WRITE 4321 …".
    static bool waitsForALock(qint64 pid) {
        QFile locks(QStringLiteral("/proc/locks"));
        if (!locks.open(QIODevice::ReadOnly)) {
            return false;
        }
        for (const QByteArray& line : locks.readAll().split('\n')) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() > 5 && fields[1] == "->" && fields[5] == QByteArray::number(pid)) {
                return true;
            }
        }
        return false;
    }

    static long openDescriptors() {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator{});
    }

    // Hands over from another thread, as a later launch would, while this one serves.
    static SingleInstance::HandOver handOverInThread(const QString& name, const Items& items) {
        SingleInstance::HandOver result{};
        QThread* client = QThread::create([&] { result = SingleInstance::handOver(name, items); });
        client->start();
        while (!client->wait(10)) {
            QCoreApplication::processEvents();
        }
        delete client;
        return result;
    }

    static QQuickItem* find(QQuickWindow* window, const char* name) {
        return testing_support::findItem(window->contentItem(), QLatin1String(name));
    }

    static QQuickItem* menuItem(QQuickWindow* window, const char* menuName, int index) {
        QObject* menu = window->findChild<QObject*>(QLatin1String(menuName));
        QQuickItem* item = nullptr;
        QMetaObject::invokeMethod(menu, "itemAt", Q_RETURN_ARG(QQuickItem*, item),
                                  Q_ARG(int, index));
        return item;
    }

    // The titles of the items an open menu shows, "-" for a separator.
    static QStringList menuEntries(QQuickWindow* window, const char* menuName) {
        QObject* menu = window->findChild<QObject*>(QLatin1String(menuName));
        QStringList entries;
        QMetaObject::invokeMethod(menu, "open");
        const int count = menu ? menu->property("count").toInt() : 0;
        for (int i = 0; i < count; ++i) {
            QQuickItem* item = menuItem(window, menuName, i);
            // As it is shown: a mnemonic's "&" is drawn as an underline.
            const QString text = item->property("text").toString().remove(QLatin1Char('&'));
            if (item->isVisible()) {
                entries << (text.isEmpty() ? QStringLiteral("-") : text);
            }
        }
        QMetaObject::invokeMethod(menu, "close");
        return entries;
    }

    TempFolder config_;
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
