#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtQml/qqmlextensionplugin.h>

#include "AppDelegate.h"
#include "LaunchArguments.h"
#include "SingleInstance.h"
#include "TempFolder.h"

Q_IMPORT_QML_PLUGIN(Fendry_UiPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_AppPlugin)

using testing_support::TempFolder;
namespace fs = std::filesystem;
using Items = SingleInstance::Items;

class ShellTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config_.path().native()));
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

        QObject* menu = window->findChild<QObject*>(QStringLiteral("applicationMenu"));
        QVERIFY(menu);
        QStringList entries;
        const int count = menu->property("count").toInt();
        for (int i = 0; i < count; ++i) {
            QQuickItem* item = nullptr;
            QMetaObject::invokeMethod(menu, "itemAt", Q_RETURN_ARG(QQuickItem*, item), Q_ARG(int, i));
            const QString text = item->property("text").toString();
            entries << (text.isEmpty() ? QStringLiteral("-") : text);
        }
        QCOMPARE(entries, (QStringList{"About Fendry", "-", "Quit Fendry"}));

        QTRY_COMPARE(delegate.files().rowCount(), 1);  // opened twice, listed once
        window->close();
        QVERIFY(window->isVisible());
        QCOMPARE(delegate.files().rowCount(), 1);
        QVERIFY(delegate.updater()->canCheckForUpdates());  // started with the application
        QVERIFY(!delegate.updater()->sessionInProgress());
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
    TempFolder config_;
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
