#include <QtQml/qqmlextensionplugin.h>
#include <QAccessible>
#include <QGuiApplication>
#include <QPointer>
#include <QQmlApplicationEngine>
#include <QQmlProperty>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QTest>
#include <functional>

#include "AccessibleItems.h"
#include "AccessibleTree.h"
#include "BusyFile.h"
#include "AppDelegate.h"
#include "LocalPaths.h"
#include "PendingItems.h"
#include "RecordingTranslator.h"
#include "ScreenReaderDesktop.h"
#include "ScreenHarness.h"

Q_IMPORT_QML_PLUGIN(Fendry_UiPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_AppPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_NewsletterPlugin)

using namespace fendry;
using testing_support::BusyFile;
using testing_support::RecordingTranslator;
using testing_support::ScreenHarness;
namespace fs = std::filesystem;

namespace {

QList<QQuickWindow*> windowsOnScreen() {
    QList<QQuickWindow*> windows;
    for (QWindow* window : QGuiApplication::allWindows()) {
        if (auto* quick = qobject_cast<QQuickWindow*>(window); quick && quick->isVisible()) {
            windows << quick;
        }
    }
    return windows;
}

// What a reader meets on an item: its text, the hint in an empty field, and its accessible name.
void collectTexts(QQuickItem* item, QStringList& texts) {
    // Items waiting to fade in count; items that are not shown at all do not.
    if (!item->isVisible()) {
        return;
    }
    // What the user typed is theirs, not ours.
    if (!item->inherits("QQuickTextInput") && !item->inherits("QQuickTextEdit")) {
        texts << item->property("text").toString();
    }
    texts << item->property("placeholderText").toString()
          << QQmlProperty(item, QStringLiteral("Accessible.name"), qmlContext(item))
                 .read()
                 .toString();
    texts.removeAll(QString());
    for (QQuickItem* child : item->childItems()) {
        collectTexts(child, texts);
    }
}

QStringList textsOnScreen() {
    QStringList texts;
    for (QQuickWindow* window : windowsOnScreen()) {
        collectTexts(window->contentItem(), texts);
        texts << window->title();
    }
    return texts;
}

// Brings the window, its menus and its dialogs into every state a user meets, one after the
// other, and calls `look` with the state's name in each. Names of files are digits, so that
// they read the same in every language.
void visitEveryState(const std::function<void(const QString&)>& look) {
    {
        ScreenHarness h;
        QVERIFY(h.exposed());
        look(QStringLiteral("empty"));
        h.file("2024/0001");
        h.file("2024/0002");
        h.files().add(h.root() / "2024");  // still being counted
        h.add(h.file("0003"));
        h.screen().setSelectedFile(entryKeyOf(fendry::pendingEntryFor(h.root() / "0003")));
        QTRY_VERIFY(h.find(QStringLiteral("pendingList")));
        look(QStringLiteral("pending"));
        h.screen().takeIn({"/"});  // refused
        QTRY_VERIFY(h.shown(QStringLiteral("intakeNotice")));
        look(QStringLiteral("with a notice"));
        h.probe().facts[h.root() / "0003"] = StorageFacts{0x9123683E, "btrfs", "rw", false, {}};
        h.screen().setShowConfirmationDialog(true);
        QTRY_VERIFY(h.shown(QStringLiteral("alertMessage")));
        look(QStringLiteral("counting"));
        h.fetchFacts();
        QTRY_VERIFY(h.shown(QStringLiteral("storageCaution")));
        look(QStringLiteral("confirming"));
        h.screen().startShredding();
        h.runBackgroundWork();
        h.deliverUpdates(2);
        QTRY_VERIFY(h.shown(QStringLiteral("processingText")));
        h.screen().takeIn({h.file("0008")});  // waits for the next run
        QTRY_VERIFY(h.shown(QStringLiteral("waitingLine")));
        look(QStringLiteral("running"));
        h.deliverUpdates();
        QTRY_VERIFY(h.shown(QStringLiteral("summaryTitle")));
        look(QStringLiteral("summary"));
    }
    {
        ScreenHarness h;
        QVERIFY(h.exposed());
        const fs::path shared = h.file("0004");  // its other name is not in the run
        fs::create_hard_link(shared, h.root() / "0005");
        fs::create_symlink(h.root() / "0005", h.root() / "0006");
        const BusyFile busy(h.root() / "0009");
        h.add(shared);
        h.add(h.root() / "0006");
        h.add(h.root() / "0009");
        h.screen().startShredding();
        h.finishBackgroundWork();
        QTRY_VERIFY(h.shown(QStringLiteral("failedLine")));
        QTRY_VERIFY(h.shown(QStringLiteral("linksLine")));
        look(QStringLiteral("summary with issues"));
        h.screen().setShowFailureDetails(true);
        QTRY_VERIFY(h.shown(QStringLiteral("detailsTitle")));
        look(QStringLiteral("failure details"));
        // No file manager on this desktop: the card with the folder's path.
        h.screen().reveal(entryKeyOf(shared));
        QTRY_VERIFY(h.shown(QStringLiteral("unopenedAddress")));
        look(QStringLiteral("no file manager"));
    }
    AppDelegate delegate;
    QQmlApplicationEngine engine;
    QQuickWindow* window = delegate.showMainWindow(engine);
    QVERIFY(window);
    const auto openAndClose = [&](const char* name) {
        QObject* popup = window->findChild<QObject*>(QLatin1String(name));
        QVERIFY2(popup, name);
        QMetaObject::invokeMethod(popup, "open");
        QTRY_VERIFY(popup->property("opened").toBool());
        look(QLatin1String(name));
        QMetaObject::invokeMethod(popup, "close");
        QTRY_VERIFY(!popup->property("visible").toBool());
    };
    for (const char* name : {"applicationMenu", "fileMenu", "helpMenu", "aboutDialog"}) {
        openAndClose(name);
    }

    delegate.updater()->checkForUpdates();
    QObject* update = window->findChild<QObject*>(QStringLiteral("updateResultDialog"));
    QTRY_VERIFY(update->property("opened").toBool());
    look(QStringLiteral("checking for updates"));
    QTRY_COMPARE(delegate.updater()->outcome(), int(Updater::Failed));
    look(QStringLiteral("update failed"));
    QMetaObject::invokeMethod(update, "close");
    QTRY_VERIFY(!update->property("visible").toBool());

    MailingListManager* newsletter = delegate.mailingList();
    newsletter->presentOnDemand();
    QObject* loader = window->findChild<QObject*>(QStringLiteral("mailingListPrompt"));
    QVERIFY(loader);
    QPointer<QQuickWindow> prompt;
    QTRY_VERIFY((prompt = qobject_cast<QQuickWindow*>(loader->property("sheet").value<QObject*>()))
                && prompt->isVisible());
    look(QStringLiteral("newsletter"));
    newsletter->submit(QStringLiteral("x"));
    QTRY_COMPARE(newsletter->status(), int(MailingListManager::Failure));
    look(QStringLiteral("newsletter failure"));
    newsletter->setPresented(false);
    QTRY_VERIFY(!prompt || !prompt->isVisible());
}

}  // namespace

// Every state of the window, its menus and dialogs, as a screen reader and as a reader of
// another language meet it.
class EveryStateTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        testing_support::becomeScreenReaderDesktop(config_);
        // Nothing listens on port 1: a check for updates fails at once, without the network.
        qputenv("FENDRY_APPCAST_URL", "https://127.0.0.1:1/appcast.xml");
        qputenv("FENDRY_NEWSLETTER_URL", "https://127.0.0.1:1/mailinglist.php");
    }

    // As a screen reader walks it: every text on screen is read, every control has a name, a
    // role and its action, nothing hidden is in the tree, and what is disabled says so.
    void everyStateReadsAsItIsOnScreen() {
        QStringList visited;
        visitEveryState([&](const QString& state) {
            visited << state;
            QString problems;
            const auto readable = [&] {
                problems.clear();
                for (QQuickWindow* window : windowsOnScreen()) {
                    problems += testing_support::AccessibleTree(*window).problems.join('\n');
                }
                return problems.isEmpty();
            };
            QTRY_VERIFY2(readable(), qPrintable(state + ":\n" + problems));
        });
        QCOMPARE(visited.last(), QStringLiteral("newsletter failure"));  // all the way
    }

    // Every text on screen in every state is in the language, unless it reads the same in it:
    // each state is shown in English and then translated, and a text found in both fails.
    void everyTextOnScreenIsTranslated_data() {
        QTest::addColumn<QString>("language");
        // Texts that are the same word in the language; the version number may be empty here.
        QTest::addColumn<QStringList>("sameInTheLanguage");
        QTest::newRow("German") << QStringLiteral("de") << QStringList{"OK", "Version ?[\\d.]*"};
        QTest::newRow("French") << QStringLiteral("fr") << QStringList{"OK", "Version ?[\\d.]*"};
        QTest::newRow("Spanish") << QStringLiteral("es") << QStringList{};
    }
    void everyTextOnScreenIsTranslated() {
        QFETCH(QString, language);
        QFETCH(QStringList, sameInTheLanguage);
        QMap<QString, QStringList> english;
        visitEveryState([&](const QString& state) { english[state] = textsOnScreen(); });

        RecordingTranslator translator(language);
        QVERIFY(translator.loaded);
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QMap<QString, QStringList> translated;
        visitEveryState([&](const QString& state) { translated[state] = textsOnScreen(); });
        QCoreApplication::removeTranslator(&translator);
        QVERIFY(!QTest::currentTestFailed());
        QCOMPARE(translated.keys(), english.keys());

        static const QRegularExpression letter(QStringLiteral("\\p{L}"));
        // Our name (the menu title too), a remaining time as the engine writes it ("1m 5s"),
        // and the device a caution names.
        sameInTheLanguage << QStringLiteral("&?F&?endry")
                          << QStringLiteral("Ctrl\\+(Shift\\+)?\\w")  // Qt's catalogue words it
                          << QStringLiteral("(\\d+h )?(\\d+m )?\\d+[ms]");
        const QRegularExpression same(QStringLiteral("^(%1)$").arg(sameInTheLanguage.join('|')));
        QStringList untranslated;
        for (auto state = translated.begin(); state != translated.end(); ++state) {
            QVERIFY2(!state.value().isEmpty(), qPrintable(state.key()));
            for (const QString& text : state.value()) {
                if (english.value(state.key()).contains(text) && text.contains(letter) &&
                    !same.match(text).hasMatch()) {
                    untranslated << state.key() + QStringLiteral(": ") + text;
                }
            }
        }
        untranslated.removeDuplicates();
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
        QVERIFY2(translator.missing.empty(), qPrintable(translator.missingTexts()));
    }

private:
    testing_support::TempFolder config_;
};

QTEST_MAIN(EveryStateTest)
#include "EveryStateTest.moc"
