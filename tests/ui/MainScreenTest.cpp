#include <sys/stat.h>

#include <QtQml/qqmlextensionplugin.h>
#include <QAccessible>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlProperty>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include "AccessibleItems.h"
#include "AccessibleTree.h"
#include "DesktopAppearance.h"
#include "BusyFile.h"
#include "FreeSpaceWiper.h"
#include "LocalPaths.h"
#include "Markup.h"
#include "MotionPreference.h"
#include "OpenedUrls.h"
#include "ScreenHarness.h"
#include "ScreenReaderDesktop.h"
#include "SettingsPreferences.h"

Q_IMPORT_QML_PLUGIN(Fendry_UiPlugin)

using namespace fendry;
using testing_support::BusyFile;
using testing_support::ScreenHarness;
namespace fs = std::filesystem;
using StorageTable = std::vector<std::optional<StorageFacts>>;
Q_DECLARE_METATYPE(StorageTable)

namespace {

QString keyOf(const fs::path& path) {
    return entryKeyOf(fendry::pendingEntryFor(path));
}

std::vector<fs::path> pathsOf(const PendingList& items) {
    std::vector<fs::path> paths;
    for (const auto& item : items) {
        paths.push_back(item.path);
    }
    return paths;
}

// Records the key presses that get past the application's own filters to the window.
class KeyRecorder final : public QObject {
public:
    QList<int> keys;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            keys << static_cast<QKeyEvent*>(event)->key();
        }
        return false;
    }
};

// The items of that name under `item`, in the order of the item tree.
QList<QQuickItem*> findAll(QQuickItem* item, const QString& objectName) {
    QList<QQuickItem*> found;
    if (item->objectName() == objectName) {
        found << item;
    }
    for (QQuickItem* child : item->childItems()) {
        found += findAll(child, objectName);
    }
    return found;
}

void dropUrls(QQuickWindow& window, QQuickItem* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at =
        target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &drop);
}

}  // namespace

// Stands in for the desktop's file manager on the test's own session bus.
class FakeFileManager final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QStringList shown;

public slots:
    void ShowItems(const QStringList& uris, const QString&) { shown << uris; }
};

// Stands in for the desktop portal's settings on the test's own session bus, over a connection
// of its own as a portal would be.
class FakePortalSettings final : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    QVariantMap values;  // "group/key" to value
    QDBusConnection bus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("portal"));

    bool start() {
        return bus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), this,
                                  QDBusConnection::ExportAllSlots) &&
               bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop"));
    }
    ~FakePortalSettings() override {
        bus.unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
        bus.unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop"));
    }

    // Sends the change as the portal does when the user changes a setting.
    void change(const QString& group, const QString& key, const QVariant& value) {
        values[group + '/' + key] = value;
        QDBusMessage changed = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/portal/desktop"),
            QStringLiteral("org.freedesktop.portal.Settings"), QStringLiteral("SettingChanged"));
        changed << group << key << QVariant::fromValue(QDBusVariant(value));
        bus.send(changed);
    }

public slots:
    // As older portals answer: the value wrapped in one variant more than declared.
    QDBusVariant Read(const QString& group, const QString& key) {
        if (!values.contains(group + '/' + key)) {
            sendErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"), key);
            return {};
        }
        return QDBusVariant(QVariant::fromValue(QDBusVariant(values.value(group + '/' + key))));
    }
};

class MainScreenTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        testing_support::becomeScreenReaderDesktop(config_);
        qunsetenv("BROWSER");
        qunsetenv("DEFAULT_BROWSER");
    }
    // Each test starts on the empty screen in a window of its own.
    void init() {
        h_.emplace();
        QVERIFY(h_->exposed());
    }
    void cleanup() { h_.reset(); }

    // Adding a folder never waits for its count: the row and the header say they are counting.
    // It is counted again when it changes, when the window comes back, and when the alert
    // opens: the alert counts entries, a folder once, and the files they stand for as they are
    // then, not when they came in.
    void entriesAreCountedAwayFromTheScreenAndAfreshWhenTheAlertOpens() {
        h_->file("Photos/sub/a.jpg");
        h_->files().add(h_->root() / "Photos");
        QTRY_VERIFY(h_->find("rowDetail"));
        QCOMPARE(h_->text("rowDetail"), QStringLiteral("Counting\u2026"));
        QCOMPARE(h_->text("totalFiles"), QStringLiteral("Total Files: Counting\u2026"));
        h_->fetchFacts();
        QCOMPARE(h_->text("rowDetail"), QStringLiteral("1 items"));
        h_->add(h_->file("notes.txt"));
        QCOMPARE(h_->text("totalFiles"), QStringLiteral("Total Files: 2"));
        h_->file("Photos/b.jpg");  // the folder is watched while the list is on screen
        QTRY_VERIFY(h_->files().isRefreshing());
        h_->fetchFacts();
        QCOMPARE(h_->text("totalFiles"), QStringLiteral("Total Files: 3"));
        h_->file("Photos/sub/c.jpg");  // below the folder: counted when the window comes back
        h_->screen().refreshCounts();
        h_->fetchFacts();
        QCOMPARE(h_->text("rowDetail"), QStringLiteral("3 items"));
        h_->file("Photos/sub/d/e.jpg");

        h_->click("eraseButton");
        QVERIFY(h_->screen().showConfirmationDialog());
        QTRY_VERIFY(h_->shown("alertMessage"));
        QCOMPARE(h_->text("alertMessage"), QStringLiteral("Counting\u2026"));
        QVERIFY(!h_->find("eraseNowButton")->isEnabled());
        QTest::keyClick(&h_->view, Qt::Key_Return);  // nothing is erased before the count is in
        QVERIFY(!h_->screen().isShredding());

        h_->fetchFacts();
        QCOMPARE(h_->text("alertMessage"),
                 QStringLiteral("This will permanently delete 2 item(s) (5 files). This action "
                                "cannot be undone."));
        QCOMPARE(h_->text("totalFiles"), QStringLiteral("Total Files: 5"));
        QVERIFY(h_->find("eraseNowButton")->hasActiveFocus());
        QVERIFY(!h_->shown("storageCaution"));
        QQuickItem* announcer = h_->find("announcer");  // the fresh count is read out
        QVERIFY(announcer);
        QTRY_COMPARE(announcer->property("text").toString(), h_->text("alertMessage"));
        QVERIFY(announcer->isVisible());

        h_->click("cancelButton");
        QVERIFY(!h_->screen().showConfirmationDialog());
        QVERIFY(!h_->screen().isShredding());
        QCOMPARE(h_->files().rowCount(), 2);
        QVERIFY(fs::exists(h_->root() / "notes.txt"));
    }

    void storageCautionNamesWhatOverwritingCannotReach_data() {
        QTest::addColumn<StorageTable>("storage");
        QTest::addColumn<QString>("caution");
        const auto disk = [](std::uint64_t magic, std::string type, std::optional<bool> rotational,
                             std::string options = "rw",
                             std::optional<bool> shares = std::nullopt) {
            return std::optional(
                StorageFacts{magic, std::move(type), std::move(options), rotational, shares});
        };
        // What overwriting cannot reach, or nothing for no caution.
        const auto row = [](const char* name, StorageTable storage, const std::string& reach) {
            const std::string caution =
                reach.empty() ? "" : "Overwriting in place cannot reach " + reach + ".";
            QTest::newRow(name) << storage << QString::fromStdString(caution);
        };
        const auto cow = [](const std::string& system) {
            return "the earlier copies that a copy-on-write file system (" + system + ") keeps";
        };
        const auto server = [](const std::string& system) {
            return "the copies on the server behind a network file system (" + system + ")";
        };
        const std::string ssd =
            "the spare blocks of an SSD or flash storage, which can still hold old data";
        // None on a spinning disk, in memory, for an item gone, for XFS without reflinks, for
        // ext4 journalling only its metadata.
        row("no caution",
            {disk(0xEF53, "ext4", true), disk(0x01021994, "tmpfs", std::nullopt), std::nullopt,
             disk(0x58465342, "xfs", true, "rw", false),
             disk(0xEF53, "ext4", true, "rw,data=ordered")},
            "");
        row("btrfs", {disk(0x9123683E, "btrfs", true)}, cow("btrfs"));
        row("ZFS", {disk(0x2FC12FC1, "zfs", std::nullopt)}, cow("ZFS"));
        row("XFS with reflinks", {disk(0x58465342, "xfs", true, "rw", true)},
            cow("XFS with reflinks"));
        row("ext4 on an SSD", {disk(0xEF53, "ext4", false)}, ssd);
        row("ext4 with data=journal", {disk(0xEF53, "ext4", true, "rw,relatime,data=journal")},
            "the copies of file data in the journal of ext4 with data=journal");
        row("NFS", {disk(0x6969, "nfs4", std::nullopt)}, server("nfs4"));
        row("SMB", {disk(0xFE534D42, "cifs", std::nullopt)}, server("cifs"));
        row("sshfs", {disk(0x65735546, "fuse.sshfs", std::nullopt)},
            "the storage behind a FUSE file system (sshfs)");
        row("btrfs on an SSD beside a plain disk and NFS",
            {disk(0x9123683E, "btrfs", false), disk(0xEF53, "ext4", true),
             disk(0x6969, "nfs", std::nullopt), disk(0x9123683E, "btrfs", false)},
            cow("btrfs") + ", " + server("nfs") + ", or " + ssd);
    }
    void storageCautionNamesWhatOverwritingCannotReach() {
        QFETCH(StorageTable, storage);
        QFETCH(QString, caution);
        for (std::size_t i = 0; i < storage.size(); ++i) {
            const fs::path item = h_->file("item" + std::to_string(i));
            h_->probe().facts[item] = storage[i];
            h_->add(item);
        }
        h_->click("eraseButton");
        h_->fetchFacts();
        QTRY_VERIFY(h_->shown("alertMessage"));
        QCOMPARE(h_->shown("storageCaution"), !caution.isEmpty());
        QCOMPARE(h_->text("storageCaution"), caution);
    }

    // A stored index too large for any integer is still outside the table: "Safe", as for any
    // other such index; only what is not a number at all means nothing was chosen.
    void aStoredIndexIsReadWhole_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("row");
        QTest::newRow("a row") << QByteArray("2") << 2;
        QTest::newRow("beyond 64 bits") << QByteArray("99999999999999999999") << 1;
        QTest::newRow("below 64 bits") << QByteArray("-99999999999999999999") << 1;
        QTest::newRow("not a number") << QByteArray("Stealth") << 0;
    }
    void aStoredIndexIsReadWhole() {
        QFETCH(QByteArray, stored);
        QFETCH(int, row);
        QFile file(QString::fromStdString((config_ / "morvel/Fendry.ini").native()));
        QVERIFY(QDir().mkpath(QFileInfo(file).path()));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\nselectedShredMethodIndex=" + stored + "\n");
        file.close();
        SettingsPreferences preferences;
        QCOMPARE(fendry::loadSavedMethod(preferences).passes, fendry::allMethods()[row].passes);
        QFile::remove(file.fileName());
    }

    // The user sees exactly what will be erased: a name is one line of exactly its characters,
    // never markup (under the ring too: see the run below); a link says where it points.
    void namesShowEveryCharacterNeverMarkupAndLinksTheirTarget() {
        QStringList names{QStringLiteral("<b>two\nlines &amp; bold"),
                          QStringLiteral("keep.txt<font color=\"white\">.secret"),
                          QStringLiteral("<a href=\"https:x\">invoice.pdf")};
        for (QString& name : names) {
            h_->add(h_->file(name.toStdString()));
            name.replace(QLatin1Char('\n'), QChar(0x23CE));  // as it is shown
        }
        const fs::path link = h_->root() / "shortcut";
        fs::create_symlink("../elsewhere/target.txt", link);
        h_->add(link);
        QTRY_COMPARE(findAll(h_->view.contentItem(), "rowName").size(), 4);
        const QList<QQuickItem*> rows = findAll(h_->view.contentItem(), "rowName");
        for (const QString& name : names) {
            QTRY_COMPARE(testing_support::textsCarrying(h_->view.contentItem(), name).count, 1);
            QCOMPARE(testing_support::textsCarrying(h_->view.contentItem(), name).asMarkup,
                     QStringList());
        }
        QCOMPARE(findAll(h_->view.contentItem(), "rowDetail")[3]->property("text").toString(),
                 QStringLiteral("Link to ../elsewhere/target.txt"));
        QQuickItem* linkRow = rows[3]->parentItem()->parentItem()->parentItem();
        const auto accessible = [&](const char* property) {
            return QQmlProperty(linkRow, QLatin1String(property), qmlContext(linkRow)).read();
        };
        QCOMPARE(accessible("Accessible.name"),
                 QVariant(QStringLiteral("shortcut, link to ../elsewhere/target.txt")));
        QCOMPARE(accessible("Accessible.description"),
                 QVariant(QString::fromStdString(link.native())));
        QVERIFY(fs::is_symlink(link));  // looked at, never followed
    }

    // The arrows are the list's (see the table below, and with the alert open the buttons'
    // test); other keys reach the window.
    void arrowKeysWalkTheListAndLetOtherKeysThrough() {
        const fs::path a = h_->file("a"), b = h_->file("b");
        h_->add(a);
        h_->add(b);
        KeyRecorder passedOn;
        h_->view.installEventFilter(&passedOn);
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_A, Qt::Key_Down, Qt::Key_Escape}) {
            QTest::keyClick(&h_->view, key);
        }
        QCOMPARE(h_->screen().selectedFile(), keyOf(b));
        QCOMPARE(passedOn.keys, (QList<int>{Qt::Key_A, Qt::Key_Escape}));
    }

    // In a list longer than the window, the selected row is scrolled into view and has the
    // focus, wherever the keys take it; Delete then takes off exactly that row. Page keys move by
    // the rows the list shows at once.
    void theSelectedRowIsOnScreenFocusedAndWhatDeleteRemoves_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("pages");  // the selected row: pages × rows per page + rows
        QTest::addColumn<int>("rows");
        const QList<int> down30(30, Qt::Key_Down);
        QTest::newRow("Down from nothing") << QList<int>{Qt::Key_Down} << 0 << 0;
        QTest::newRow("Up from nothing") << QList<int>{Qt::Key_Up} << 0 << 0;
        QTest::newRow("Up at the first") << QList<int>{Qt::Key_Up, Qt::Key_Up} << 0 << 0;
        QTest::newRow("Down past the end") << QList<int>(45, Qt::Key_Down) << 0 << 39;
        QTest::newRow("Down 30 times") << down30 << 0 << 29;
        QTest::newRow("Down 30 times, Up") << (down30 + QList<int>{Qt::Key_Up}) << 0 << 28;
        QTest::newRow("End") << QList<int>{Qt::Key_End} << 0 << 39;
        QTest::newRow("End, Home") << QList<int>{Qt::Key_End, Qt::Key_Home} << 0 << 0;
        QTest::newRow("Page Down twice")
            << QList<int>{Qt::Key_Down, Qt::Key_PageDown, Qt::Key_PageDown} << 2 << 0;
        QTest::newRow("End, Page Up") << QList<int>{Qt::Key_End, Qt::Key_PageUp} << -1 << 39;
        QTest::newRow("Page Down past the end")
            << QList<int>{Qt::Key_End, Qt::Key_PageDown} << 0 << 39;
    }
    void theSelectedRowIsOnScreenFocusedAndWhatDeleteRemoves() {
        QFETCH(QList<int>, keys);
        QFETCH(int, pages);
        QFETCH(int, rows);
        for (int i = 0; i < 40; ++i) {
            h_->add(h_->file("file " + std::to_string(100 + i)));
        }
        QQuickItem* list = h_->find(QStringLiteral("pendingRows"));
        QTRY_VERIFY(list && list->property("count").toInt() == 40);
        list->forceActiveFocus();
        for (int key : keys) {
            QTest::keyClick(&h_->view, Qt::Key(key));
        }
        const int row = pages * list->property("pageRows").toInt() + rows;
        QVERIFY(list->property("pageRows").toInt() > 3);
        const QString selected = keyOf(h_->files().entries()[std::size_t(row)].path);
        QCOMPARE(h_->screen().selectedFile(), selected);

        QQuickItem* focused = h_->view.activeFocusItem();
        QVERIFY(focused && focused->property("key").toString() == selected);
        QTRY_VERIFY(focused->isVisible());
        const QRectF inList = focused->mapRectToItem(list, focused->boundingRect());
        QVERIFY2(inList.top() >= 0 && inList.bottom() <= list->height(),
                 qPrintable(QStringLiteral("row at %1 to %2 of %3")
                                .arg(inList.top()).arg(inList.bottom()).arg(list->height())));

        QTest::keyClick(&h_->view, Qt::Key_Delete);
        QCOMPARE(h_->files().rowCount(), 39);
        QCOMPARE(h_->files().indexOf(entryOfKey(selected)), -1);
    }

    void aRealDropAddsFileUrlsOnlyAndOnlyBeforeARun() {
        const fs::path a = h_->file("a b.txt");
        fs::create_directories(h_->root() / "folder");
        dropUrls(h_->view, h_->find("dropArea"),
                 {fileUrlOf(a), fileUrlOf(h_->root() / "folder"), fileUrlOf(a),
                  QUrl(QStringLiteral("https://morvel.example/file.txt"))});
        QCOMPARE(h_->files().rowCount(), 2);
        QCOMPARE(h_->files().entries()[1].path, h_->root() / "folder/");

        h_->screen().startShredding();
        QTRY_VERIFY(h_->contentShown("progressArea"));
        dropUrls(h_->view, h_->find("progressArea"), {fileUrlOf(h_->file("late"))});
        QCOMPARE(h_->files().rowCount(), 2);
    }

    // A run takes the keyboard to the ring and reads back when asked; what is opened meanwhile
    // waits for the next list. Its summary is announced as it comes on screen, takes the
    // keyboard to where the user acts next, and saves its report as the name asks (PDF unless it
    // ends in ".json") and only as a local file.
    void aVerifiedRunShowsItsProgressThenTheSummary() {
        h_->screen().setVerifyAfterLastPass(true);
        // A long name that looks like markup: under the ring as it is, and cut short.
        const std::string longName = "<b>two\nlines &amp; " + std::string(120, 'n') + ".mov";
        const fs::path erased = h_->file(longName, 3000);
        h_->add(erased);
        h_->add(h_->file("b", 72));
        h_->screen().startShredding();
        QVERIFY(h_->contentShown("progressArea"));
        QVERIFY(!h_->screen().keyMonitorInstalled());
        QVERIFY(!h_->screen().canSaveReport());
        QTRY_COMPARE(focusName(h_->view), QStringLiteral("progressRing"));
        QAccessibleInterface* ring =
            QAccessible::queryAccessibleInterface(h_->find("progressRing"));
        QVERIFY(ring->valueInterface());
        QCOMPARE(ring->valueInterface()->maximumValue().toInt(), 100);
        QCOMPARE(ring->valueInterface()->currentValue().toInt(), 0);
        QVERIFY(ring->state().focused);
        QTRY_VERIFY(h_->find("processingText"));
        QCOMPARE(h_->find("processingText")->opacity(), 0.0);  // until the work list is known

        const fs::path first = h_->file("first"), second = h_->file("second");
        h_->screen().takeIn({first, second, first});
        QCOMPARE(h_->screen().waitingCount(), 2);
        QCOMPARE(h_->files().rowCount(), 2);  // the run's list is the run's
        QTRY_COMPARE(h_->text("waitingLine"), QStringLiteral("2 item(s) waiting for the next run"));
        h_->runBackgroundWork();
        h_->deliverUpdates(1);
        QCOMPARE(h_->find("processingText")->opacity(), 1.0);
        QCOMPARE(h_->text("processingText"), QStringLiteral("Processing file 1 of 2"));
        QQuickItem* name = h_->find("currentFileName");
        QTRY_VERIFY(name->isVisible());
        const QString shown = QString::fromStdString(longName).replace('\n', QChar(0x23CE));
        QCOMPARE(name->property("text").toString(), shown);
        QCOMPARE(testing_support::textsCarrying(h_->view.contentItem(), shown).asMarkup,
                 QStringList());
        QTRY_VERIFY(name->property("truncated").toBool());  // once laid out
        QVERIFY(name->width() <= 200);
        bool readingBack = false;
        while (h_->screen().isShredding()) {
            h_->deliverUpdates(1);
            if (h_->screen().readingBack()) {
                readingBack = true;
                QCOMPARE(h_->text("passText"), QStringLiteral("Verifying"));
            }
        }
        QVERIFY(readingBack);
        QVERIFY(!h_->screen().readingBack());

        QVERIFY(h_->contentShown("completionView"));
        QQuickItem* title = h_->find("summaryTitle");
        QVERIFY(title);  // built at once, and waiting before it comes in
        QCOMPARE(title->opacity(), 0.0);
        QVERIFY(!title->isVisible());
        QAccessibleInterface* announced = QAccessible::queryAccessibleInterface(title);
        QCOMPARE(announced->role(), QAccessible::Notification);
        QVERIFY(!h_->find("failedLine")->isVisible());
        QCOMPARE(h_->find("summarySymbol")->property("name").toString(),
                 QStringLiteral("checkmark.seal.fill"));
        QTRY_COMPARE(title->opacity(), 1.0);
        QVERIFY(title->isVisible());
        QCOMPARE(announced->text(QAccessible::Name),  // with the figures
                 QStringLiteral("All set!\n2 files securely erased\n3.0 KB of data deleted from "
                                "disk\n2 item(s) waiting for the next run"));
        const fs::path third = h_->file("third");
        h_->screen().takeIn({third});
        QTRY_COMPARE(h_->text("waitingLine"), QStringLiteral("3 item(s) waiting for the next run"));

        QVERIFY(h_->screen().canSaveReport());
        QVERIFY(h_->screen().reportFileName().endsWith(QLatin1String(".pdf")));
        QTRY_VERIFY(h_->shown("saveReportButton"));
        const fs::path json = h_->root().path() / "report.JSON";
        QVERIFY(h_->screen().saveReport(QUrl::fromLocalFile(QString::fromStdString(json))));
        const QString written = QString::fromStdString(testing_support::readFile(json));
        QVERIFY2(written.contains(QLatin1String("\"verify\": true")), qPrintable(written));
        QVERIFY(written.contains(QLatin1String("\"result\": \"erasedAndVerified\"")));
        // As Qt's own dialog hands back a typed name: a path, not a URL.
        const fs::path pdf = h_->root().path() / "report";
        QVERIFY(h_->screen().saveReport(QUrl(QString::fromStdString(pdf))));
        QVERIFY(testing_support::readFile(pdf).starts_with("%PDF-"));
        QCOMPARE(h_->screen().reportError(), QString());
        QVERIFY(!h_->screen().saveReport(QUrl(QStringLiteral("https://example.org/report.pdf"))));
        QCOMPARE(h_->text("reportErrorLine"), h_->screen().reportError());
        QVERIFY(!h_->screen().reportError().isEmpty());

        QTRY_COMPARE(focusName(h_->view), QStringLiteral("startAgainButton"));
        QTest::keyClick(&h_->view, Qt::Key_Return);
        QTRY_VERIFY(h_->contentShown("intakeArea"));
        QVERIFY(!h_->screen().canSaveReport());
        QCOMPARE(pathsOf(h_->files().entries()), (std::vector<fs::path>{first, second, third}));
        QTRY_COMPARE(focusName(h_->view), QStringLiteral("pendingRows"));
        QCOMPARE(h_->screen().waitingCount(), 0);
        QVERIFY(!fs::exists(erased));
        QVERIFY(fs::exists(first));
    }

    // A wipe of free space takes the intake's place with its ring, then its summary, whose
    // lines say what it could not reach; no erase starts while it is on, nor it beside an erase.
    void aWipeOfFreeSpaceTakesTheScreenAndNoEraseRunsBesideIt() {
        h_->add(h_->file("a"));
        testing_support::HeldRun held;
        fendry::WipeEngine engine;
        engine.inspect = [](const std::filesystem::path& folder) {
            return std::variant<fendry::FreeSpaceTarget, fendry::WipeRefusal>(
                fendry::FreeSpaceTarget{.folder = folder, .mountPoint = "/home",
                                        .device = "/dev/sda2", .type = "ext4",
                                        .freeBytes = std::int64_t(1) << 30,
                                        .reservedBytes = 52'428'800});
        };
        engine.wipe = [](const fendry::FreeSpaceTarget&, const fendry::WipeContext& context) {
            context.progress({fendry::WipeProgress::Step::Fill, 268'435'456, 1 << 30});
            fendry::WipeResult result;
            result.written = std::int64_t(1) << 30;
            result.leftFree = result.reservedForAdministrator = 52'428'800;
            result.journal = fendry::WipeResult::Journal::Wrapped;
            return result;
        };
        fendry::FreeSpaceWiper wiper(
            held.environment(), [this] { return h_->screen().isShredding(); },
            std::make_shared<testing_support::FakeStorageProbe>(), engine);
        h_->screen().setOtherWork([&wiper] { return wiper.isActive(); });  // as the app does
        h_->view.rootObject()->setProperty("wiper", QVariant::fromValue(&wiper));

        wiper.inspect(QUrl::fromLocalFile(QString::fromStdString(h_->root().path().native())));
        held.finish();
        QCOMPARE(wiper.state(), fendry::FreeSpaceWiper::State::Confirming);
        QCOMPARE(wiper.fileSystem(), QStringLiteral("/home (/dev/sda2, ext4)"));
        QCOMPARE(wiper.reserve(),
                 QStringLiteral("50.0 MB reserved for the administrator cannot be reached "
                                "without root."));
        h_->screen().startShredding();
        QVERIFY(!h_->screen().isShredding());

        wiper.start();
        QVERIFY(h_->contentShown("wipeProgressArea"));
        QVERIFY(!h_->contentShown("intakeArea"));
        held.runBackgroundWork();
        held.deliverUpdates(1);
        QTRY_COMPARE(h_->text("wipeWritten"), QStringLiteral("256.0 MB of 1.0 GB"));
        QCOMPARE(h_->find("wipeRing")->property("percent").toInt(), 22);  // 90 % of it is the fill
        h_->screen().startShredding();
        QVERIFY(!h_->screen().isShredding());

        held.deliverUpdates();
        QVERIFY(h_->contentShown("wipeSummaryView"));
        QTRY_VERIFY(h_->find("wipeNotReachedLine"));
        QCOMPARE(h_->text("wipeSummaryTitle"), QStringLiteral("Done, with issues"));
        QCOMPARE(h_->text("wipeNotReachedLine"),
                 QStringLiteral("50.0 MB reserved for the administrator was not overwritten; run "
                                "as root to reach it"));
        QTRY_COMPARE(focusName(h_->view), QStringLiteral("wipeDoneButton"));
        QTest::keyClick(&h_->view, Qt::Key_Return);
        QTRY_VERIFY(h_->contentShown("intakeArea"));
        QCOMPARE(h_->files().rowCount(), 1);  // the list waited

        h_->screen().startShredding();
        QVERIFY(h_->screen().isShredding());
        wiper.inspect(QUrl::fromLocalFile(QString::fromStdString(h_->root().path().native())));
        held.finish();
        wiper.start();
        QCOMPARE(wiper.state(), fendry::FreeSpaceWiper::State::Confirming);
    }

    // Names that are not UTF-8 travel byte for byte: U+FFFD would name a file that is not there.
    void revealAsksTheFileManagerOrElseOpensTheFolder() {
        const fs::path folder = h_->root() / "my folder \xFF";
        h_->file("my folder \xFF/caf\xE9.txt");
        h_->add(folder);
        h_->add(folder / "caf\xE9.txt");
        const QString root = QString::fromStdString(h_->root().path().native());  // plain ASCII
        const QString encodedFolder = QStringLiteral("file://") + root + "/my%20folder%20%FF";

        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY(bus.isConnected());
        FakeFileManager fileManager;
        QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &fileManager,
                                   QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.FileManager1")));
        h_->screen().reveal(h_->files().keyAt(0));
        h_->screen().reveal(h_->files().keyAt(1));
        QTRY_COMPARE(fileManager.shown,
                     (QStringList{encodedFolder, encodedFolder + QStringLiteral("/caf%E9.txt")}));

        // Without one, the folder opens with the desktop's application for folders (xdg-mime
        // names it), unless that is Fendry itself: the folder would land on the list. Where
        // nothing takes it, the window says so and offers its path.
        const auto folderApplication = [&](const std::string& desktopId) {
            testing_support::writeFile(config_ / "xdg-mime",
                                       "#!/bin/sh\n[ \"$*\" = 'query default inode/directory' ] "
                                       "&& echo " +
                                           desktopId + "\n");
            fs::permissions(config_ / "xdg-mime", fs::perms(0755));
        };
        folderApplication("org.gnome.Nautilus.desktop");
        QVERIFY(bus.unregisterService(QStringLiteral("org.freedesktop.FileManager1")));
        QSignalSpy unopened(&h_->screen(), &MainScreen::couldNotOpen);
        h_->screen().reveal(h_->files().keyAt(0));  // no application here opens a folder
        QTRY_VERIFY(h_->shown("unopenedAddress"));
        QCOMPARE(h_->text("unopenedMessage"),
                 QStringLiteral("No file manager could be opened. The folder is:"));
        QCOMPARE(h_->text("unopenedAddress"), root);
        h_->click("copyAddressButton");
        QCOMPARE(QGuiApplication::clipboard()->text(), root);

        testing_support::OpenedUrls opened;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
        h_->screen().reveal(h_->files().keyAt(0));
        h_->screen().reveal(h_->files().keyAt(1));
        QTRY_COMPARE(opened.urls.size(), 2);
        // Each asks the desktop on its own, so they may come back in either order.
        QStringList encoded{opened.urls[0].toEncoded(), opened.urls[1].toEncoded()};
        encoded.sort();
        QCOMPARE(encoded, (QStringList{QStringLiteral("file://") + root, encodedFolder}));
        QCOMPARE(localPathOf(QUrl::fromEncoded(encodedFolder.toLatin1())), std::optional(folder));
        folderApplication("co.morvel.Fendry.desktop");
        h_->screen().reveal(h_->files().keyAt(0));
        QTRY_COMPARE(unopened.count(), 2);
        QCOMPARE(opened.urls.size(), 2);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }

    void theRingTruncatesItsPercentageAndDrawsThePassArc() {
        QQmlComponent component(
            h_->view.engine(), QUrl(QStringLiteral("qrc:/Fendry/Ui/qml/CircularProgressView.qml")));
        struct Case {
            double progress;
            int pass, passes;
            const char *percent, *passText;
            double runFraction, passFraction;
        };
        const Case cases[] = {
            {0.5, 3, 7, "50%", "Pass 3/7", 0.5, 3.0 / 7.0},
            {0.999, 7, 7, "99%", "Pass 7/7", 0.999, 1.0},
            {1.5, 1, 7, "150%", "Pass 1/7", 1.0, 1.0 / 7.0},
        };
        for (const Case& c : cases) {
            std::unique_ptr<QObject> ring(component.createWithInitialProperties(
                {{"progress", c.progress}, {"currentPass", c.pass}, {"totalPasses", c.passes}}));
            QVERIFY2(ring, qPrintable(component.errorString()));
            QCOMPARE(ring->findChild<QObject*>("percentText")->property("text").toString(),
                     QLatin1String(c.percent));
            QCOMPARE(ring->findChild<QObject*>("passText")->property("text").toString(),
                     QLatin1String(c.passText));
            QCOMPARE(ring->property("runFraction").toDouble(), c.runFraction);
            QCOMPARE(ring->property("passFraction").toDouble(), c.passFraction);
        }
    }

    // Spellings of one entry are one row; what may never be erased is not taken in, and the
    // user is told once. Screen readers speak a notification as it comes on screen, so each
    // notice comes on screen anew.
    void intakeTakesOneRowAnEntryAndAnnouncesWhatItRefusedOnce() {
        QSignalSpy announced(&h_->screen(), &MainScreen::intakeNoticeChanged);
        QQuickItem* notice = h_->find("intakeNotice");
        QCOMPARE(QAccessible::queryAccessibleInterface(notice)->role(), QAccessible::Notification);
        int cameIn = 0;
        connect(notice, &QQuickItem::visibleChanged, this, [&] { cameIn += notice->isVisible(); });
        const fs::path kept = h_->file("kept");
        fs::create_directories(h_->root() / "d");
        const std::string root = h_->root().path().native();
        h_->screen().takeIn({"/", kept, root + "/./kept", root + "//kept", h_->root() / "kept/..",
                           "/proc/self/status", root + "/d", root + "/d//"});
        QCOMPARE(pathsOf(h_->files().entries()), (std::vector<fs::path>{kept, h_->root() / "d/"}));
        QCOMPARE(h_->files().rowCount(), 2);
        QCOMPARE(announced.count(), 1);
        QCOMPARE(h_->screen().intakeNotice(),
                 QStringLiteral("\u201C/\u201D was not added: it is the root folder (and 2 more)"));
        QTRY_VERIFY(notice->opacity() == 1.0);
        h_->screen().takeIn({"/"});
        h_->screen().takeIn({"/"});  // the same words again are news again
        QCOMPARE(cameIn, 3);
        QCOMPARE(QAccessible::queryAccessibleInterface(notice)->text(QAccessible::Name),
                 QStringLiteral("\u201C/\u201D was not added: it is the root folder"));

        // During a run nothing refused waits for the next list either.
        h_->screen().startShredding();
        h_->screen().takeIn({h_->root() / "."});
        QCOMPARE(announced.count(), 4);
        QCOMPARE(h_->screen().waitingCount(), 0);
        QVERIFY(
            h_->screen().intakeNotice().contains(QStringLiteral("names a folder above or around")));
    }

    // Each item that could not be erased can be looked up, shown in its folder while it is still
    // there, and copied as text.
    void theFailureDetailsListEveryItemAndCopyAsText() {
        fs::create_directories(h_->root() / "sub");
        const BusyFile first(h_->root() / "busy");
        auto second = std::make_unique<BusyFile>(h_->root() / "sub/busy two");
        h_->add(first.path());
        h_->add(h_->root() / "sub");  // a folder that stays, and says so on a line of its own
        h_->add(h_->file("fine"));
        h_->screen().startShredding();
        h_->finishBackgroundWork();
        QCOMPARE(h_->screen().failedCount(), 3);
        second.reset();
        fs::remove(h_->root() / "sub/busy two");  // gone by the time the details are read
        QTRY_VERIFY(h_->shown("failedLine"));
        QCOMPARE(h_->text("summaryTitle"), QStringLiteral("Done, with issues"));
        QCOMPARE(h_->text("erasedLine"), QStringLiteral("1 files securely erased"));
        QCOMPARE(h_->text("failedLine"), QStringLiteral("2 file(s) could not be erased"));
        QCOMPARE(h_->text("foldersKeptLine"), QStringLiteral("1 folder(s) not removed"));
        QCOMPARE(h_->find("summarySymbol")->property("name").toString(),
                 QStringLiteral("exclamationmark.triangle.fill"));

        QTRY_VERIFY(h_->shown("showDetailsButton"));
        QVERIFY(!h_->screen().showFailureDetails());
        h_->click("showDetailsButton");
        QVERIFY(h_->screen().showFailureDetails());
        QTRY_VERIFY(h_->shown("failureList"));
        QCOMPARE(h_->text("detailsTitle"),
                 QStringLiteral("2 file(s) could not be erased\n1 folder(s) not removed"));
        const QString reason = QStringLiteral("could not be opened for writing: Text file busy");
        const QString root = QString::fromStdString(h_->root().path().native());
        FailureListModel& failures = *h_->screen().failures();
        QCOMPARE(failures.data(failures.index(0), FailureListModel::FolderRole).toString(), root);
        QTRY_COMPARE(findAll(h_->view.contentItem(), "showInFolderButton").size(), 3);
        const auto showButtons = findAll(h_->view.contentItem(), "showInFolderButton");
        QVERIFY(showButtons[0]->isVisible());
        QVERIFY(!showButtons[1]->isVisible());
        QCOMPARE(QAccessible::queryAccessibleInterface(showButtons[0])->text(QAccessible::Name),
                 QStringLiteral("Show in Folder: busy"));  // one of several, named for its item
        // Tab reaches the list, whose items take the focus in turn and are read as they come.
        QTRY_VERIFY(h_->find("closeDetailsButton")->hasActiveFocus());
        QTest::keyClick(&h_->view, Qt::Key_Tab);  // from the last button round to the first stop
        QCOMPARE(focusName(h_->view), QStringLiteral("busy, ") + reason);
        QTest::keyClick(&h_->view, Qt::Key_Down);
        QCOMPARE(focusName(h_->view), QStringLiteral("busy two, ") + reason);

        h_->click("copyDetailsButton");
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 root + "/busy: " + reason + "\n" + root + "/sub/busy two: " + reason + "\n" +
                     root + "/sub: was not removed: it still holds items that were not erased\n");
        h_->click("closeDetailsButton");
        QTRY_VERIFY(!h_->screen().showFailureDetails());
        QVERIFY(h_->contentShown("completionView"));
    }

    // Exactly one method is chosen at any time, whichever way a segment is pressed; the choice
    // is kept for the next launch.
    void theModePickerShowsExactlyOneMethodAndRemembersIt() {
        SettingsPreferences firstLaunch;
        h_.emplace(&firstLaunch);
        QVERIFY(h_->exposed());
        h_->add(h_->file("a"));
        QTRY_VERIFY(h_->find("segment-Quick"));
        const auto checkedSegments = [&] {
            QStringList checked;
            for (const char* name : {"segment-Quick", "segment-Safe", "segment-Stealth"}) {
                if (h_->find(QLatin1String(name))->property("checked").toBool()) {
                    checked << QLatin1String(name);
                }
            }
            return checked;
        };
        QCOMPARE(checkedSegments(), QStringList{"segment-Quick"});
        h_->click("segment-Quick");  // the chosen one, again
        QCOMPARE(checkedSegments(), QStringList{"segment-Quick"});
        QCOMPARE(h_->screen().selectedMethodIndex(), 0);
        h_->click("segment-Stealth");
        QCOMPARE(h_->screen().selectedMethodIndex(), 2);
        QCOMPARE(h_->text("methodDescription"),
                 QString::fromStdString(fendry::allMethods()[2].description));

        // As assistive technology presses it.
        QAccessibleInterface* safe =
            QAccessible::queryAccessibleInterface(h_->find("segment-Safe"));
        QVERIFY(safe && safe->actionInterface());
        QCOMPARE(safe->role(), QAccessible::RadioButton);
        for (int twice = 0; twice < 2; ++twice) {
            safe->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QTRY_COMPARE(h_->screen().selectedMethodIndex(), 1);
            QCOMPARE(checkedSegments(), QStringList{"segment-Safe"});
            QVERIFY(safe->state().checked);
        }
        QVERIFY(!h_->screen().verifyAfterLastPass());  // off until chosen
        h_->click("verifyCheckBox");
        QVERIFY(h_->screen().verifyAfterLastPass());
        SettingsPreferences secondLaunch;
        h_.emplace(&secondLaunch);
        QVERIFY(h_->exposed());
        QCOMPARE(h_->screen().selectedMethodIndex(), 1);
        QCOMPARE(h_->screen().selectedMethodPasses(), fendry::allMethods()[1].passes);
        QVERIFY(h_->screen().verifyAfterLastPass());
        h_.reset();  // before the preferences it was given
    }

    void controlCharactersBecomeVisibleSymbols_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << QStringLiteral("café.txt") << QStringLiteral("café.txt");
        QTest::newRow("newline") << QStringLiteral("a\nb") << QStringLiteral("a\u23CEb");
        QTest::newRow("carriage return") << QStringLiteral("a\rb") << QStringLiteral("a\u23CEb");
        QTest::newRow("tab") << QStringLiteral("a\tb") << QStringLiteral("a\u2409b");
        QTest::newRow("escape") << QStringLiteral("\x1b[31m") << QStringLiteral("\u241B[31m");
        QTest::newRow("delete") << QStringLiteral("x\x7f") << QStringLiteral("x\u2421");
        QTest::newRow("line separator") << QStringLiteral("a\u2028b") << QStringLiteral("a\u23CEb");
        QTest::newRow("right-to-left override")
            << QStringLiteral("photo\u202Egpj.exe") << QStringLiteral("photo\uFFFDgpj.exe");
    }
    void controlCharactersBecomeVisibleSymbols() {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        QCOMPARE(visibleText(name), shown);
        QCOMPARE(displayNameOf(fs::path("/tmp") / name.toStdString()), shown);
    }

    // Tab and Backtab go through the controls in reading order; the selected row has the
    // list's place, and the method picker is one stop whose Left and Right choose. Return on a
    // row's remove button, or Delete on the row, takes it off the list.
    void theKeyboardGoesThroughTheControlsInReadingOrder() {
        for (const char* name : {"a", "b", "c"}) {
            h_->add(h_->file(name));
        }
        const auto tab = [&](Qt::Key key) {
            QTest::keyClick(&h_->view, key);
            return focusName(h_->view);
        };
        QTRY_COMPARE(findAll(h_->view.contentItem(), "rowName").size(), 3);
        QTRY_COMPARE(focusName(h_->view), QStringLiteral("pendingRows"));  // as the list comes
        // Each key, and where the keyboard is after it.
        const std::pair<Qt::Key, const char*> walk[] = {
            {Qt::Key_Backtab, "clearAll"}, {Qt::Key_Tab, "pendingRows"},
            {Qt::Key_Down, "a"},  // the selection brings the focus
            {Qt::Key_Down, "b"}, {Qt::Key_Tab, "revealButton"}, {Qt::Key_Tab, "removeButton"},
            {Qt::Key_Tab, "segment-Quick"}, {Qt::Key_Right, "segment-Safe"},
            {Qt::Key_Right, "segment-Stealth"}, {Qt::Key_Right, "segment-Stealth"},  // the last
            {Qt::Key_Left, "segment-Safe"},
            {Qt::Key_Tab, "verifyCheckBox"},  // the picker was one stop
            {Qt::Key_Return, "verifyCheckBox"}, {Qt::Key_Tab, "eraseButton"},
            {Qt::Key_Tab, "clearAll"}, {Qt::Key_Backtab, "eraseButton"},
            {Qt::Key_Backtab, "verifyCheckBox"}, {Qt::Key_Backtab, "segment-Safe"},
            {Qt::Key_Backtab, "removeButton"},
            // Removing a row by keyboard leaves the focus on the list, at the row now selected;
            // Delete on the focused row does the same.
            {Qt::Key_Return, "a"}, {Qt::Key_Delete, "c"}};
        QSignalSpy chosen(&h_->screen(), &MainScreen::selectedMethodChanged);
        for (const auto& [key, name] : walk) {
            QCOMPARE(tab(key), QLatin1String(name));
        }
        QCOMPARE(chosen.count(), 3);  // Safe, Stealth, Safe
        QCOMPARE(h_->screen().selectedMethodIndex(), 1);
        QVERIFY(h_->screen().verifyAfterLastPass());
        QCOMPARE(pathsOf(h_->files().entries()), std::vector<fs::path>{h_->root() / "c"});

        // Without a list, the drop area takes the keyboard, and Return there adds files: what
        // is chosen comes in as a drop does.
        QTest::keyClick(&h_->view, Qt::Key_Delete);
        QTRY_COMPARE(focusName(h_->view), QStringLiteral("addFilesButton"));
        QObject* dialog = h_->view.rootObject()->findChild<QObject*>("addFilesDialog");
        QTest::keyClick(&h_->view, Qt::Key_Return);
        QTRY_VERIFY(dialog->property("visible").toBool());
        // Qt's own picker, as it is without a desktop's: the file chosen in it, then "Open".
        QObject* picker = nullptr;
        for (QObject* object : h_->view.findChildren<QObject*>()) {
            picker = object->inherits("QQuickFileDialogImpl") ? object : picker;
        }
        QVERIFY(picker);
        picker->setProperty("currentFolder", fileUrlOf(h_->root().path()));
        picker->setProperty("selectedFile", fileUrlOf(h_->root() / "b"));
        QMetaObject::invokeMethod(picker, "accept");
        QTRY_COMPARE(h_->files().rowCount(), 1);
        QCOMPARE(h_->files().entries()[0].path, h_->root() / "b");
        QTRY_COMPARE(focusName(h_->view), QStringLiteral("pendingRows"));
    }

    // Return and Space press the focused button, and "Press" from assistive technology does what
    // a click does; "Erase now" has the focus when the alert opens, and the button that opened it
    // has it back when it closes. Only the selected row's remove button can be pressed; taking
    // off the selected row selects the first row, and clearing keeps the selection for the row.
    void buttonsAnswerKeysAndAssistiveTechnologyAndKeepTheSelectionRules() {
        const fs::path a = h_->file("a"), b = h_->file("b"), c = h_->file("c");
        for (const auto& path : {a, b, c}) {
            h_->add(path);
        }
        const auto press = [](QQuickItem* item) {
            QAccessibleInterface* node = QAccessible::queryAccessibleInterface(item);
            QVERIFY(node && node->actionInterface());
            node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        };
        h_->screen().setSelectedFile(keyOf(b));
        h_->screen().removeFile(keyOf(c));  // not selected: the selection stays
        QCOMPARE(h_->screen().selectedFile(), keyOf(b));
        h_->add(c);
        QList<QQuickItem*> removeButtons;
        QTRY_VERIFY((removeButtons = findAll(h_->view.contentItem(), "removeButton")).size() == 3 &&
                    removeButtons[1]->isEnabled());
        press(removeButtons[0]);  // a's, not selected
        QCOMPARE(h_->files().rowCount(), 3);
        press(removeButtons[1]);  // selected: the first row, not the neighbour
        QCOMPARE(pathsOf(h_->files().entries()), (std::vector<fs::path>{a, c}));
        QCOMPARE(h_->screen().selectedFile(), keyOf(a));
        h_->screen().removeFile(keyOf(b));  // gone already: nothing happens
        QCOMPARE(h_->files().rowCount(), 2);

        press(h_->find("eraseButton"));
        QVERIFY(h_->screen().showConfirmationDialog());
        h_->fetchFacts();
        QTRY_VERIFY(h_->shown("cancelButton"));
        press(h_->find("cancelButton"));
        QTRY_VERIFY(!h_->screen().showConfirmationDialog());
        h_->find("eraseButton")->forceActiveFocus();
        const auto answer = [&](Qt::Key opening, QList<Qt::Key> answering) {
            QTest::keyClick(&h_->view, opening);
            QTRY_VERIFY(h_->screen().showConfirmationDialog());
            h_->fetchFacts();
            QTRY_COMPARE(focusName(h_->view), QStringLiteral("eraseNowButton"));
            for (const Qt::Key key : answering) {
                QTest::keyClick(&h_->view, key);
            }
        };
        // While the alert is open the list still takes the arrows, and the alert its own keys.
        answer(Qt::Key_Return, {Qt::Key_Down, Qt::Key_Escape});
        QCOMPARE(h_->screen().selectedFile(), keyOf(c));
        QTRY_VERIFY(!h_->screen().showConfirmationDialog());
        QTRY_COMPARE(focusName(h_->view), QStringLiteral("eraseButton"));
        answer(Qt::Key_Space, {Qt::Key_Backtab, Qt::Key_Return});  // on "Cancel"
        QTRY_VERIFY(!h_->screen().showConfirmationDialog());
        QTRY_COMPARE(focusName(h_->view), QStringLiteral("eraseButton"));
        QVERIFY(!h_->screen().isShredding());

        press(h_->find("clearAll"));
        QCOMPARE(h_->files().rowCount(), 0);
        QCOMPARE(h_->screen().selectedFile(), keyOf(c));
        h_->add(c);
        QTRY_VERIFY(h_->find("revealButton"));
        QCOMPARE(h_->find("revealButton")->opacity(), 1.0);  // the row is selected again
        QTRY_VERIFY(h_->find("eraseButton"));
        h_->find("eraseButton")->forceActiveFocus();
        answer(Qt::Key_Return, {Qt::Key_Enter});
        QVERIFY(h_->screen().isShredding());
        QVERIFY(!h_->screen().showConfirmationDialog());
    }

    // Assistive technology works in the screen's pixels, whatever Qt's scale factor.
    void positionsAreInTheScreensPixels() {
        const double scale =
            qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
        QCOMPARE(h_->view.devicePixelRatio(), scale);
        h_->add(h_->file("a"));
        QTRY_VERIFY(h_->find("eraseButton"));
        QQuickItem* button = h_->find("eraseButton");
        const QPointF topLeft = button->mapToGlobal(QPointF(0, 0));
        const QRect read = QAccessible::queryAccessibleInterface(button)->rect();
        // Qt rounds in its own pixels, before the scale.
        const auto near = [&](double actual, double wanted) {
            return qAbs(actual - wanted) <= scale;
        };
        QVERIFY(near(read.x(), topLeft.x() * scale) && near(read.y(), topLeft.y() * scale) &&
                near(read.width(), button->width() * scale) &&
                near(read.height(), button->height() * scale));
        QCOMPARE(QAccessible::queryAccessibleInterface(&h_->view)->rect().size(),
                 h_->view.size() * scale);
    }

    // The empty screen shows the drop area alone, and its pulse stands still while nobody can
    // see it; the pulse goes when the list comes, and the arrow keys are the list's while it is
    // there.
    void theEmptyScreenStandsStillWhileMinimised() {
        QVERIFY(h_->contentShown("intakeArea"));
        QVERIFY(!h_->contentShown("progressArea"));
        QVERIFY(!h_->contentShown("completionView"));
        QVERIFY(!h_->shown("headerRow"));
        QVERIFY(!h_->shown("methodSection"));
        QVERIFY(!h_->shown("eraseButton"));
        QVERIFY(!h_->screen().keyMonitorInstalled());
        QQuickItem* background = h_->find("wavingBackground");
        QTRY_VERIFY(background->property("elapsed").toDouble() > 0);
        h_->view.showMinimized();
        QTRY_VERIFY(!background->property("animate").toBool());
        const double still = background->property("elapsed").toDouble();
        QTest::qWait(200);
        QCOMPARE(background->property("elapsed").toDouble(), still);
        h_->view.showNormal();
        QTRY_VERIFY(background->property("elapsed").toDouble() > still);
        h_->add(h_->file("a"));
        QTRY_VERIFY(!h_->find("wavingBackground"));
        h_->screen().clearAll();
        QVERIFY(!h_->screen().keyMonitorInstalled());
    }

    // Less motion when the desktop asks for it: our own switch first, then GNOME through the
    // portal (followed as it changes) and KDE's settings file.
    void theDesktopsWishesForMotionAndSchemeAreFollowed() {
        const QString kdeglobals = QString::fromStdString((config_ / "kdeglobals").native());
        const auto writeKde = [&](const char* factor) {
            QFile file(kdeglobals);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray("[KDE]\nAnimationDurationFactor=") + factor + "\n");
        };
        writeKde("0");
        qputenv("FENDRY_REDUCE_MOTION", "0");
        QVERIFY(!fendry::MotionPreference(nullptr).reduced());
        qputenv("FENDRY_REDUCE_MOTION", "1");
        writeKde("1");
        QVERIFY(fendry::MotionPreference(nullptr).reduced());
        qunsetenv("FENDRY_REDUCE_MOTION");
        QVERIFY(!fendry::MotionPreference(nullptr).reduced());
        writeKde("0.0");  // of another length: QSettings keeps a file it read, by size and time
        QVERIFY(fendry::MotionPreference(nullptr).reduced());
        QFile::remove(kdeglobals);

        FakePortalSettings portal;
        portal.values[QStringLiteral("org.gnome.desktop.interface/enable-animations")] = false;
        portal.values[QStringLiteral("org.freedesktop.appearance/color-scheme")] = 1u;  // dark
        QVERIFY(portal.start());
        fendry::MotionPreference motion(nullptr);
        fendry::DesktopAppearance appearance(nullptr);
        QTRY_VERIFY(motion.reduced());
        QTRY_VERIFY(appearance.dark());
        portal.change(QStringLiteral("org.freedesktop.appearance"), QStringLiteral("color-scheme"),
                      2u);  // light
        QTRY_VERIFY(!appearance.dark());
        portal.change(QStringLiteral("org.gnome.desktop.interface"),
                      QStringLiteral("enable-animations"), true);
        QTRY_VERIFY(!motion.reduced());
        portal.change(QStringLiteral("org.kde.kdeglobals.KDE"),
                      QStringLiteral("AnimationDurationFactor"), 0.0);
        QTRY_VERIFY(motion.reduced());
    }

private:
    // The object name of the item with the keyboard focus, or else its accessible name.
    static QString focusName(QQuickWindow& window) {
        QQuickItem* item = window.activeFocusItem();
        if (item == nullptr) {
            return {};
        }
        if (!item->objectName().isEmpty()) {
            return item->objectName();
        }
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(item);
        return node ? node->text(QAccessible::Name) : QString();
    }

    testing_support::TempFolder config_;
    std::optional<ScreenHarness> h_;
};

QTEST_MAIN(MainScreenTest)
#include "MainScreenTest.moc"
