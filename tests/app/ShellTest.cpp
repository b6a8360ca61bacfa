#include <QDesktopServices>
#include <QProcess>
#include <QUrlQuery>
#include <QSignalSpy>
#include <QTest>

#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtQml/qqmlextensionplugin.h>

#include "AppDelegate.h"
#include "CheckForUpdatesViewModel.h"
#include "LaunchArguments.h"
#include "OpenedUrls.h"
#include "SupportRequest.h"
#include "SingleInstance.h"
#include "TempFolder.h"

Q_IMPORT_QML_PLUGIN(Fendry_UiPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_AppPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_NewsletterPlugin)

using testing_support::TempFolder;
namespace fs = std::filesystem;
using Items = SingleInstance::Items;

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config_.path().native()));
        QCoreApplication::setApplicationName(QStringLiteral("Fendry"));
        // Nothing listens on port 1: every check fails at once, without the network.
        qputenv("FENDRY_APPCAST_URL", "https://127.0.0.1:1/appcast.xml");
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

        QCOMPARE(window->title(), QStringLiteral("Fendry"));
        // The application window's own content item: the area below the menu bar.
        QCOMPARE(window->property("contentItem").value<QQuickItem*>()->size(), QSizeF(400, 500));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QCOMPARE(window->size(), window->minimumSize());

        QCOMPARE(menuEntries(window, "applicationMenu"),
                 (QStringList{"About Fendry", "-", "Check for Updates\u2026", "-", "Quit Fendry"}));
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

        QVERIFY(!MailingListManager::shouldSuppressPrompt());
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
        QVERIFY(updater.sessionInProgress());  // until the result is dismissed
        QVERIFY(!updater.failureReason().isEmpty());
        QVERIFY(dialog->property("visible").toBool());

        updater.dismissResult();
        QVERIFY(!updater.sessionInProgress());
        QTRY_VERIFY(!dialog->property("visible").toBool());
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

    void launchArgumentsBecomeAbsoluteItemsByteForByte() {
        const fs::path cwd = "/home/me/work";
        const Items items = itemsFromArguments(
            {"notes.txt", "/abs/Photos/", "a/link/../b", "file:///tmp/My%20File.txt",
             "file:///tmp/bad%FFname", "https://morvel.example/x", "file://otherhost/x", "",
             "caf\xC3\xA9", "raw\xFF"},
            cwd);
        const Items expected{cwd / "notes.txt",       "/abs/Photos/",
                             cwd / "a/link/../b",     "/tmp/My File.txt",
                             "/tmp/bad\xFFname",      cwd / "caf\xC3\xA9",
                             cwd / "raw\xFF"};
        QCOMPARE(items, expected);
    }

    void aLaterLaunchHandsItsItemsToTheRunningOne() {
        TempFolder runtime;
        const QString name = QString::fromStdString((runtime / "fendry.socket").native());
        SingleInstance running;
        QVERIFY(running.listen(name));
        QSignalSpy launched(&running, &SingleInstance::launched);

        // The real application, launched again from a folder with relative paths.
        QProcess later;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                           QString::fromStdString(runtime.path().native()));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        later.setProcessEnvironment(environment);
        later.setWorkingDirectory(QString::fromStdString(runtime.path().native()));
        later.start(QStringLiteral(FENDRY_PATH), {QStringLiteral("b.txt"), QStringLiteral("sub/")});
        QTRY_COMPARE(launched.count(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(later.state(), QProcess::NotRunning, 10000);
        QCOMPARE(later.exitStatus(), QProcess::NormalExit);
        QCOMPARE(later.exitCode(), 0);
        QCOMPARE(launched.front().front().value<Items>(),
                 (Items{runtime / "b.txt", runtime / "sub/"}));
    }

    void handingOverKeepsEveryByteAndTellsWhenNobodyListens() {
        TempFolder runtime;
        const QString name = QString::fromStdString((runtime / "fendry.socket").native());
        const Items items{"/tmp/raw\xFFname", "/tmp/folder/"};
        QCOMPARE(SingleInstance::handOver(name, items), SingleInstance::HandOver::NoInstance);

        // A socket left behind by an instance that is gone is taken over.
        {
            SingleInstance gone;
            QVERIFY(gone.listen(name));
        }
        QFile stale(name);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        SingleInstance running;
        QVERIFY(running.listen(name));
        QSignalSpy launched(&running, &SingleInstance::launched);

        SingleInstance::HandOver result{};
        QThread* client = QThread::create([&] { result = SingleInstance::handOver(name, items); });
        client->start();
        QTRY_COMPARE(launched.count(), 1);
        QVERIFY(client->wait(10000));
        delete client;
        QCOMPARE(result, SingleInstance::HandOver::Taken);
        QCOMPARE(launched.front().front().value<Items>(), items);
    }

private:
    static QQuickItem* menuItem(QQuickWindow* window, const char* menuName, int index) {
        QObject* menu = window->findChild<QObject*>(QLatin1String(menuName));
        QQuickItem* item = nullptr;
        QMetaObject::invokeMethod(menu, "itemAt", Q_RETURN_ARG(QQuickItem*, item), Q_ARG(int, index));
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
            const QString text = item->property("text").toString();
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
