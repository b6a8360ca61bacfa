#include <grp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QClipboard>
#include <QDesktopServices>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
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

#include "AccessibleTree.h"
#include "AppDelegate.h"
#include "ChildProcess.h"
#include "HeldRun.h"
#include "ItemSearch.h"
#include "OpenedUrls.h"
#include "ScreenReaderDesktop.h"
#include "SingleInstance.h"
#include "SupportRequest.h"
#include "TempFolder.h"

Q_IMPORT_QML_PLUGIN(Fendry_UiPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_AppPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_NewsletterPlugin)

using namespace fendry;
using testing_support::ChildProcess;
using testing_support::HeldRun;
using testing_support::TempFolder;
namespace fs = std::filesystem;
using Items = SingleInstance::Items;

namespace {

// The application with its window, counting the quits that would end the test instead; during
// a run, a quit asks first, as the application's own does.
class Shell final : public AppDelegate {
public:
    using AppDelegate::AppDelegate;
    void quit() override {
        screen()->isShredding() ? AppDelegate::quit() : void(++quits);
    }
    // Shows the main window and waits for it on screen.
    QQuickWindow* show() {
        window = showMainWindow(engine);
        return window && QTest::qWaitForWindowExposed(window) ? window : nullptr;
    }
    QQuickItem* find(const char* name) {
        return testing_support::findItem(window->contentItem(), QLatin1String(name));
    }
    QObject* object(const char* name) { return window->findChild<QObject*>(QLatin1String(name)); }
    bool opened(const char* name) { return object(name)->property("opened").toBool(); }
    QQuickItem* menuItem(const char* menu, int index) {
        QQuickItem* item = nullptr;
        QMetaObject::invokeMethod(object(menu), "itemAt", Q_RETURN_ARG(QQuickItem*, item),
                                  Q_ARG(int, index));
        return item;
    }
    int quits = 0;
    QQmlApplicationEngine engine;
    QQuickWindow* window = nullptr;
};

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        testing_support::becomeScreenReaderDesktop(config_);
        QCoreApplication::setApplicationName(QStringLiteral("Fendry"));
        // Nothing listens on port 1: every check fails at once, without the network.
        qputenv("FENDRY_APPCAST_URL", "https://127.0.0.1:1/appcast.xml");
        qunsetenv("BROWSER");
        qunsetenv("DEFAULT_BROWSER");
    }

    // Centred on the screen's free area where it fits; where it does not (Qt's scale factor at 2
    // on a small screen), its top left corner and so its menus are on screen.
    void theWindowIsFixedOnScreenAndShowsWhatItHolds() {
        Shell shell;
        QQuickWindow* window = shell.show();
        QVERIFY(window);
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
        // The application window's own content item: the area below the menu bar.
        QCOMPARE(window->property("contentItem").value<QQuickItem*>()->size(), QSizeF(400, 500));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QCOMPARE(window->size(), window->minimumSize());
        const auto subscribeShown = [&shell] {
            QMetaObject::invokeMethod(shell.object("helpMenu"), "open");
            const bool shown = shell.object("subscribeMenuItem")->property("visible").toBool();
            QMetaObject::invokeMethod(shell.object("helpMenu"), "close");
            return shown;
        };
        QVERIFY(subscribeShown());
        shell.mailingList()->decline();  // gone from the menu at once, without a restart
        QVERIFY(!subscribeShown());

        // Minimised, the window and what is in it are not showing; a hidden one is not there.
        QAccessibleInterface* application = QAccessible::queryAccessibleInterface(qApp);
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
        QAccessibleInterface* menuBar = root->child(0);
        QCOMPARE(application->childCount(), 1);
        QCOMPARE(application->child(0), root);
        QVERIFY(!root->state().invisible && menuBar && !menuBar->state().invisible);
        window->showMinimized();
        QVERIFY(root->state().invisible && menuBar->state().invisible);
        QCOMPARE(root->childCount(), 0);
        window->showNormal();
        QVERIFY(!root->state().invisible);
        QQuickWindow hidden;
        hidden.show();
        QCOMPARE(application->childCount(), 2);
        hidden.hide();
        QCOMPARE(application->childCount(), 1);
    }

    // "Check for Updates…" follows the updater. Its dialog keeps the newsletter away and the
    // keyboard on "Cancel"; Quit works over it, as over any dialog; cancelling by the button or
    // Escape ends the check and its request.
    void aCheckFromTheMenuCanBeCancelledAndNeverBlocksQuit() {
        QTcpServer silent;  // accepts, never answers
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        int connected = 0, hungUp = 0;
        connect(&silent, &QTcpServer::newConnection, this, [&] {
            ++connected;
            connect(silent.nextPendingConnection(), &QTcpSocket::disconnected, this,
                    [&] { ++hungUp; });
        });
        qputenv(
            "FENDRY_APPCAST_URL",
            QStringLiteral("https://127.0.0.1:%1/appcast.xml").arg(silent.serverPort()).toUtf8());
        Shell shell;
        qputenv("FENDRY_APPCAST_URL", "https://127.0.0.1:1/appcast.xml");
        QQuickWindow* window = shell.show();
        QVERIFY(window);
        QObject* dialog = shell.object("updateResultDialog");
        QQuickItem* item = shell.menuItem("applicationMenu", 2);
        Updater& updater = *shell.updater();

        for (const auto key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Space}) {
            QVERIFY(item->isEnabled());
            QMetaObject::invokeMethod(item, "triggered");
            QVERIFY(updater.sessionInProgress());
            QVERIFY(!item->isEnabled());
            QVERIFY(MailingListManager::shouldSuppressPrompt());
            QTRY_VERIFY(shell.opened("updateResultDialog"));
            QTRY_COMPARE(window->activeFocusItem(), shell.find("cancelCheckButton"));
            QTRY_COMPARE(connected, hungUp + 1);
            QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
            QCOMPARE(shell.quits, connected);
            QTest::keyClick(window, key);
            QTRY_VERIFY(!dialog->property("visible").toBool());
            QVERIFY(!updater.sessionInProgress());  // as if its result had been dismissed
            QCOMPARE(updater.outcome(), Updater::None);
            QTRY_COMPARE(hungUp, connected);  // the request is over, not left to time out
        }
        QVERIFY(item->isEnabled());
        QMetaObject::invokeMethod(shell.object("aboutDialog"), "open");
        QTRY_VERIFY(shell.opened("aboutDialog"));
        QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(shell.quits, 4);
    }

    // F10 or Alt alone open the menu bar; each title and item has its mnemonic, and the arrows,
    // Return and Escape work as in any menu; a dialog opens with the keyboard on its button.
    // (Assistive technology's "Press" on the titles and items: quit_with_screen_reader_test.py.)
    void theMenusWorkWithTheKeyboardAlone() {
        TempFolder items;
        testing_support::writeFile(items / "a", 3);
        Shell shell;
        shell.open({items / "a"});  // the list's arrow keys stay out of the menus
        QQuickWindow* window = shell.show();
        QVERIFY(window);
        QTRY_VERIFY(shell.screen()->keyMonitorInstalled());
        window->requestActivate();
        QTRY_VERIFY(window->isActive());
        // The arrows pass over an item that is not shown, as "Subscribe" once the user declined.
        shell.object("subscribeMenuItem")->setProperty("visible", false);
        // Each key, and the menu or dialog open (or closed) after it.
        using Step = std::tuple<Qt::Key, Qt::KeyboardModifiers, const char*, bool>;
        for (const auto& [key, modifiers, popup, open] : std::initializer_list<Step>{
                 {Qt::Key_F10, {}, "applicationMenu", true},
                 {Qt::Key_Right, {}, "fileMenu", true},
                 {Qt::Key_Left, {}, "applicationMenu", true},
                 {Qt::Key_Escape, {}, "applicationMenu", false},
                 {Qt::Key_Alt, {}, "applicationMenu", true},  // tapped alone
                 {Qt::Key_Return, {}, "aboutDialog", true},   // the first item is ready
                 {Qt::Key_Escape, {}, "aboutDialog", false},
                 {Qt::Key_F, Qt::AltModifier, "fileMenu", true},  // "File", not "Fendry"
                 {Qt::Key_Escape, {}, "fileMenu", false},
                 {Qt::Key_E, Qt::AltModifier, "applicationMenu", true},
                 {Qt::Key_Q, {}, "applicationMenu", false},  // the item's mnemonic: Quit
                 {Qt::Key_H, Qt::AltModifier, "helpMenu", true},
                 {Qt::Key_Down, {}, "helpMenu", true},
                 {Qt::Key_Down, {}, "helpMenu", true}}) {
            QTest::keyPress(window, key, key == Qt::Key_Alt ? Qt::AltModifier : modifiers);
            QTest::keyRelease(window, key, key == Qt::Key_Alt ? Qt::NoModifier : modifiers);
            QTRY_COMPARE(shell.opened(popup), open);
        }
        QCOMPARE(shell.quits, 1);
        QCOMPARE(shell.object("helpMenu")->property("currentIndex").toInt(), 0);
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(!shell.opened("helpMenu"));

        // Alt with something else in between is a shortcut, not the menu bar.
        QTest::keyPress(window, Qt::Key_Alt, Qt::AltModifier);
        QTest::keyClick(window, Qt::Key_X, Qt::AltModifier);
        QTest::keyRelease(window, Qt::Key_Alt, Qt::NoModifier);
        QTest::qWait(100);
        QVERIFY(!shell.opened("applicationMenu"));

        QMetaObject::invokeMethod(shell.object("aboutDialog"), "open");
        QTRY_VERIFY(shell.opened("aboutDialog"));
        const testing_support::AccessibleTree about(*window);
        QVERIFY(about.focused && about.focused->text(QAccessible::Name) == QStringLiteral("OK"));
    }

    // Each time a message of its own; a value that would break the query is kept whole, and
    // without a name "App" stands in. With no mail application, the address is shown to copy.
    void contactSupportComposesTheMessageOrShowsTheAddress() {
        Shell shell;
        testing_support::OpenedUrls opened;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &opened, "open");
        shell.openSupportEmail();
        shell.openSupportEmail();
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
        const QByteArray body =
            "&body=Hello%20Fendry%20Team,%0A%0AI%20need%20assistance%20with%20the%20following:"
            "%0A%0A";
        QCOMPARE(opened.urls.size(), 2);
        QCOMPARE(opened.urls[0].toEncoded(),
                 "mailto:" FENDRY_SUPPORT_ADDRESS "?subject=Fendry%20Support%20Request" + body);
        QCOMPARE(opened.urls[1], opened.urls[0]);
        const QUrl url = supportMailUrl(QStringLiteral("help@morvel.example"), QString(),
                                        QStringLiteral("a&b=c+d #e, f:g?"));
        QCOMPARE(url.toEncoded(), "mailto:help@morvel.example?subject=a%26b%3Dc%2Bd%20%23e,%20f:g?" +
                                      QByteArray(body).replace("Fendry", "App"));
        QCOMPARE(QUrlQuery(url).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
                 QStringLiteral("a&b=c+d #e, f:g?"));

        QVERIFY(shell.show());
        shell.openSupportEmail();
        QTRY_VERIFY(shell.find("unopenedAddress") && shell.find("unopenedAddress")->isVisible());
        QCOMPARE(shell.find("unopenedAddress")->property("text").toString(),
                 QStringLiteral(FENDRY_SUPPORT_ADDRESS));
        QMetaObject::invokeMethod(shell.find("copyAddressButton"), "clicked");
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral(FENDRY_SUPPORT_ADDRESS));
    }

    // Quitting during a run asks first; keeping on is what Return and Escape answer, and the
    // question goes with the run. The newsletter never comes over the confirmation, a run or
    // the failure details; held back, it waits for the next chance, a moment after the run.
    void quitDuringARunAsksFirstAndTheNewsletterWaits() {
        {
            QSettings group(QSettings::IniFormat, QSettings::UserScope,
                            QStringLiteral("group.Q3DXT7K52W.co.morvel.shared"));
            group.remove(QStringLiteral("mailingList.shared.decision"));
            group.setValue(QStringLiteral("mailingList.co.morvel.Fendry.launchCount"), 9);
        }
        TempFolder items;
        testing_support::writeFile(items / "a", "the data");
        HeldRun run;
        Shell shell(run.environment());
        QQuickWindow* window = shell.show();
        QVERIFY(window);
        MainScreen& screen = *shell.screen();
        MailingListManager& newsletter = *shell.mailingList();
        shell.open({items / "a"});
        QTRY_COMPARE(shell.files().rowCount(), 1);
        QVERIFY(MailingListManager::shouldSuppressPrompt());  // the user has only just begun
        screen.setShowConfirmationDialog(true);
        QVERIFY(MailingListManager::shouldSuppressPrompt());
        screen.setShowConfirmationDialog(false);
        screen.startShredding();
        QVERIFY(screen.isShredding());
        QVERIFY(MailingListManager::shouldSuppressPrompt());
        QTest::qWait(3000);  // the window asks for the prompt 2.5 s after it opens
        QVERIFY(!newsletter.isPresented());

        for (const auto key : {Qt::Key_Return, Qt::Key_Escape}) {
            QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
            QVERIFY(shell.showQuitQuestion());
            QTRY_VERIFY(shell.find("keepErasingButton") &&
                        shell.find("keepErasingButton")->hasActiveFocus());
            QTest::keyClick(window, key);
            QTRY_VERIFY(!shell.showQuitQuestion());
        }
        window->close();  // closing only minimises, and asks nothing
        QVERIFY(window->isVisible());
        QVERIFY(!shell.showQuitQuestion());
        QVERIFY(screen.isShredding());

        shell.quit();
        QQuickItem* stop = shell.find("stopAndQuitButton");
        QTRY_VERIFY(stop->isVisible());
        QTimer::singleShot(0, stop, [stop] { QMetaObject::invokeMethod(stop, "clicked"); });
        QEventLoop application;  // stands in for the application's own loop, which quitting ends
        QTimer::singleShot(5000, &application, [&] { application.exit(1); });
        QCOMPARE(application.exec(), 0);
        shell.quit();
        QVERIFY(shell.showQuitQuestion());
        run.finish();  // the run, let go only now, stops before it writes anything
        QCOMPARE(testing_support::readFile(items / "a"), std::string("the data"));
        QVERIFY(!shell.showQuitQuestion());  // a run that ends takes the question away
        // Not while the user is at the keys: once they have been left alone for a while.
        QVERIFY(MailingListManager::shouldSuppressPrompt());
        QTRY_VERIFY_WITH_TIMEOUT(!MailingListManager::shouldSuppressPrompt(), 8000);
        QVERIFY(!newsletter.isPresented());  // not at once: a moment after
        QTRY_VERIFY_WITH_TIMEOUT(newsletter.isPresented(), 8000);
        newsletter.setPresented(false);
        screen.setShowFailureDetails(true);
        QVERIFY(MailingListManager::shouldSuppressPrompt());
        screen.setShowFailureDetails(false);
        QVERIFY(!MailingListManager::shouldSuppressPrompt());
        QTest::keyClick(window, Qt::Key_A);
        QVERIFY(MailingListManager::shouldSuppressPrompt());  // mid-typing
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
        // Paths and local file URLs become absolute paths; past "--" everything is an item,
        // even what Qt would take as its own option.
        later.start(QStringLiteral(FENDRY_PATH),
                    {"b.txt", "/abs/sub/", "a/link/../c", "file:///tmp/My%20File.txt", "",
                     "file:///tmp/bad%FFname", "https://morvel.example/x", "file://otherhost/x",
                     "--", "-style", "x", "--", "-reverse"});
        QTRY_VERIFY(waitsForALock(later.processId()));
        QVERIFY(running.listen(name));
        deciding.reset();
        QTRY_COMPARE(launched.count(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(later.state(), QProcess::NotRunning, 10000);
        QCOMPARE(later.exitStatus(), QProcess::NormalExit);
        QCOMPARE(later.exitCode(), 0);
        QCOMPARE(launched.front().front().value<Items>(),
                 (Items{runtime / "b.txt", "/abs/sub/", runtime / "a/link/../c",
                        "/tmp/My File.txt", "/tmp/bad\xFFname", runtime / "-style",
                        runtime / "x", runtime / "--", runtime / "-reverse"}));
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
        QVERIFY(!QRegularExpression("0(open|link|theirs)$").match(made).hasMatch());
        struct stat info {};
        QCOMPARE(::lstat(made.toLocal8Bit().constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, 0700u);
        QCOMPARE(info.st_uid, ::geteuid());
        // Found again by later launches, whatever the runtime folder is.
        fs::permissions(runtime.path(), fs::perms(0700));
        fs::create_directory_symlink(runtime.path(), temp / "runtime-link");
        for (const QString& later : {QString(), tempPath + "/missing", tempPath + "/runtime-link"}) {
            QCOMPARE(SingleInstance::privateFolder(later, tempPath), made);
        }
        if (root) {  // as `su` leaves it: the runtime folder of the user before
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
        // Another user's listener, which tells how many bytes it was sent.
        ChildProcess theirs([&](ChildProcess& self) {
            const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
            const sockaddr_un address = unixAddress(name);
            if (::setgroups(0, nullptr) != 0 || ::setgid(kOtherUser) != 0 ||
                ::setuid(kOtherUser) != 0 ||
                ::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) ||
                ::listen(listener, 1) != 0 || !self.tell(0)) {
                return 1;
            }
            const int connection = ::accept(listener, nullptr, nullptr);
            char buffer[4096];
            long received = 0;
            for (ssize_t n; (n = ::read(connection, buffer, sizeof buffer)) > 0;) {
                received += n;
            }
            return self.tell(received) ? 0 : 1;
        });
        QCOMPARE(theirs.heard(), 0L);  // listening
        QCOMPARE(SingleInstance::handOver(QString::fromStdString(name), {"/home/me/secret.txt"}),
                 SingleInstance::HandOver::Refused);
        QCOMPARE(theirs.heard(), 0L);
        QCOMPARE(theirs.wait(), 0);
    }

    // Nobody listening is told; a socket left behind is taken over. Launches that send more
    // than a launch's command line could hold, or gave up waiting, are dropped; the rest of a
    // message is taken, byte for byte.
    void handingOverKeepsEveryByteAndDropsOversizedLaunches() {
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

        const QByteArray paths = QByteArray("/a").append('\0').repeated(SingleInstance::kMaxItems + 1);
        // A command line's worth announced, then more paths than one could hold.
        for (const quint32 length : {quint32(2 * 1024 * 1024), quint32(paths.size())}) {
            QByteArray header(4, '\0');
            qToBigEndian(length, header.data());
            QLocalSocket launch;
            launch.connectToServer(name);
            launch.write(header + paths);
            QTRY_COMPARE(launch.state(), QLocalSocket::UnconnectedState);
        }
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

    }

    // A crowd of idle connections, more than the process has descriptors for, neither takes
    // the socket down nor keeps the next launch out: each is dropped at its deadline.
    void theSocketOutlastsACrowdOfIdleConnections() {
        TempFolder runtime;
        const std::string name = (runtime / "fendry.socket").native();
        SingleInstance running(std::chrono::milliseconds(100));
        QVERIFY(running.listen(QString::fromStdString(name)));
        QSignalSpy launched(&running, &SingleInstance::launched);

        rlimit limit{};
        QCOMPARE(::getrlimit(RLIMIT_NOFILE, &limit), 0);
        const rlimit before = limit;
        limit.rlim_cur = std::distance(fs::directory_iterator("/proc/self/fd"), {}) + 30;
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &limit), 0);
        // Fewer than the socket's queue holds, more than this process could accept; each says
        // nothing and stays until let go.
        ChildProcess crowd([&](ChildProcess& self) {
            const sockaddr_un address = unixAddress(name);
            for (int i = 0; i < 45; ++i) {
                ::connect(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0),
                          reinterpret_cast<const sockaddr*>(&address), sizeof address);
            }
            self.tell(0);
            self.awaitRelease();
            return 0;
        });
        QCOMPARE(crowd.heard(), 0L);

        const auto result = handOverInThread(QString::fromStdString(name), {"/tmp/a"});
        crowd.wait();
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &before), 0);
        QCOMPARE(result, SingleInstance::HandOver::Taken);
        QTRY_COMPARE(launched.count(), 1);
    }

private:
    static constexpr uid_t kOtherUser = 65534;  // nobody

    static sockaddr_un unixAddress(const std::string& path) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        return address;
    }

    // Whether process `pid` waits for a lock another holds, as /proc/locks lists it:
    // "1: -> FLOCK  ADVISORY  WRITE 4321 …".
    static bool waitsForALock(qint64 pid) {
        QFile locks(QStringLiteral("/proc/locks"));
        locks.open(QIODevice::ReadOnly);
        for (const QByteArray& line : locks.readAll().split('\n')) {
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() > 5 && fields[1] == "->" && fields[5] == QByteArray::number(pid)) {
                return true;
            }
        }
        return false;
    }

    // Hands over from another thread, as a later launch would, while this one serves.
    static SingleInstance::HandOver handOverInThread(const QString& name, const Items& items) {
        SingleInstance::HandOver result{};
        std::unique_ptr<QThread> client(
            QThread::create([&] { result = SingleInstance::handOver(name, items); }));
        client->start();
        while (!client->wait(10)) {
            QCoreApplication::processEvents();
        }
        return result;
    }

    TempFolder config_;
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
