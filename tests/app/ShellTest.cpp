#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include "LaunchArguments.h"
#include "SingleInstance.h"
#include "TempFolder.h"

using testing_support::TempFolder;
namespace fs = std::filesystem;
using Items = SingleInstance::Items;

class ShellTest : public QObject {
    Q_OBJECT

private slots:
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
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
