#include <sys/stat.h>

#include <QtQml/qqmlextensionplugin.h>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlProperty>
#include <QPointer>
#include <QQuickWindow>
#include <QRegularExpression>
#include <QTest>
#include <cerrno>
#include <set>

#include "AppDelegate.h"
#include "EngineTexts.h"
#include "Format.h"
#include "LocalPaths.h"
#include "PendingItems.h"
#include "ScreenHarness.h"
#include "Translations.h"

Q_IMPORT_QML_PLUGIN(Fendry_UiPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_AppPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_NewsletterPlugin)

using namespace fendry;
using testing_support::ScreenHarness;
namespace fs = std::filesystem;
using Step = fendry::PassFailure::Step;

namespace {

// Our translation, noting every text of ours that it was asked for and did not have.
class RecordingTranslator final : public QTranslator {
public:
    explicit RecordingTranslator(const QString& language) {
        loaded = translations::load(inner_, QLocale(language));
    }
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        QString found = inner_.translate(context, source, disambiguation, n);
        // Qt's own classes ask too; their texts are Qt's catalogue's business.
        static const QRegularExpression qtClass(QStringLiteral("^Q[A-Z]"));
        if (found.isNull() && !qtClass.match(QLatin1String(context)).hasMatch()) {
            missing.insert(QStringLiteral("%1: %2").arg(context, source));
        }
        return found;
    }
    bool isEmpty() const override { return inner_.isEmpty(); }

    bool loaded = false;
    mutable std::set<QString> missing;

private:
    QTranslator inner_;
};

// Every failure the engine can describe: each step, with and without a system error, each kind
// of entry that is not a regular file, and one and several other names. Steps past the last
// known one are there so that a step added to the engine is compared too.
std::vector<fendry::PassFailure> everyFailure() {
    std::vector<fendry::PassFailure> failures;
    for (int step = 0; step < 40; ++step) {
        for (const int error : {0, EACCES}) {
            for (const std::int64_t offset : {1, 3}) {
                failures.push_back({static_cast<Step>(step), error, offset, 0});
            }
        }
    }
    for (const int type : {S_IFDIR, S_IFLNK, S_IFIFO, S_IFSOCK, S_IFCHR, S_IFBLK, 0}) {
        failures.push_back({Step::NotRegularFile, 0, 0, static_cast<mode_t>(type)});
    }
    return failures;
}

// What a reader meets on an item: its text, the hint in an empty field, and its accessible name.
QStringList textsOf(QQuickItem* item) {
    QStringList texts;
    // What the user typed is theirs, not ours.
    if (!item->inherits("QQuickTextInput") && !item->inherits("QQuickTextEdit")) {
        texts << item->property("text").toString();
    }
    texts << item->property("placeholderText").toString();
    texts << QQmlProperty(item, QStringLiteral("Accessible.name"), qmlContext(item))
                 .read()
                 .toString();
    texts.removeAll(QString());
    return texts;
}

void collect(QQuickItem* item, QStringList& texts) {
    // Items waiting to fade in count; items that are not shown at all do not.
    if (!item->isVisible()) {
        return;
    }
    texts << textsOf(item);
    for (QQuickItem* child : item->childItems()) {
        collect(child, texts);
    }
}

// The texts of every window on screen.
QStringList textsOnScreen() {
    QStringList texts;
    for (QWindow* window : QGuiApplication::allWindows()) {
        if (auto* quick = qobject_cast<QQuickWindow*>(window); quick && quick->isVisible()) {
            collect(quick->contentItem(), texts);
            texts << quick->title();
        }
    }
    return texts;
}

}  // namespace

class TranslatedTextsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config_.path().native()));
        // Nothing listens on port 1: a check for updates fails at once, without the network.
        qputenv("FENDRY_APPCAST_URL", "https://127.0.0.1:1/appcast.xml");
        qputenv("FENDRY_NEWSLETTER_URL", "https://127.0.0.1:1/mailinglist.php");
    }

    // With no translation the Qt side must say exactly what the engine says.
    void theEnginesTextsReadAsTheEngineWordsThem() {
        for (const std::int64_t bytes :
             {std::int64_t(0), std::int64_t(1023), std::int64_t(1024), std::int64_t(1536),
              std::int64_t(1048575), std::int64_t(5) << 40, std::int64_t(1) << 62}) {
            QCOMPARE(engine_texts::bytesText(bytes),
                     QString::fromStdString(fendry::formatBytes(bytes)));
        }
    }

    void theEnginesTextsAreTranslated_data() { languages(); }
    void theEnginesTextsAreTranslated() {
        QFETCH(QString, language);
        std::vector<QString> english;
        for (const auto& failure : everyFailure()) {
            english.push_back(engine_texts::failureText(failure));
        }
        RecordingTranslator translator(language);
        QVERIFY(translator.loaded);
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QStringList untranslated;
        const auto check = [&](const QString& text, const std::string& english) {
            if (text == QString::fromStdString(english)) {
                untranslated << text;
            }
        };
        const auto failures = everyFailure();
        for (std::size_t i = 0; i < failures.size(); ++i) {
            const int error = failures[i].error;
            const bool aStep = english[i] != (error != 0 ? std::strerror(error) : "");
            if (aStep && engine_texts::failureText(failures[i]) == english[i]) {
                untranslated << english[i];
            }
        }
        for (const auto& method : fendry::allMethods()) {
            check(engine_texts::methodName(method), method.name);
            check(engine_texts::methodDescription(method), method.description);
        }
        for (const char* refused : {"", "/", "folder/..", ".", "/proc/self"}) {
            const auto reason = fendry::refusalOf(refused);
            QVERIFY2(reason, refused);
            check(engine_texts::refusalText(*reason), *reason);
        }
        QCoreApplication::removeTranslator(&translator);
        QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(QLatin1Char('\n'))));
        QVERIFY2(translator.missing.empty(),
                 qPrintable(QStringList(translator.missing.begin(), translator.missing.end())
                                .join(QLatin1Char('\n'))));
    }

    // Numbers follow the language of the text they are in (a decimal comma and the local unit
    // names), unless the user chose how numbers are written.
    void sizesUseTheLanguagesNumbersAndUnits_data() {
        QTest::addColumn<QByteArray>("lang");
        QTest::addColumn<QByteArray>("lcAll");
        QTest::addColumn<QByteArray>("lcNumeric");
        QTest::addColumn<QString>("expected");  // with the system's numbers written as C's
        QTest::newRow("French") << QByteArray("fr_FR.UTF-8") << QByteArray() << QByteArray()
                                << "62.9\u00a0Mo";
        QTest::newRow("C") << QByteArray("C.UTF-8") << QByteArray() << QByteArray()
                           << "62,9\u00a0Mo";
        QTest::newRow("English") << QByteArray("en_US.UTF-8") << QByteArray() << QByteArray()
                                 << "62,9\u00a0Mo";
        QTest::newRow("none") << QByteArray() << QByteArray() << QByteArray() << "62,9\u00a0Mo";
        QTest::newRow("numbers chosen") << QByteArray("en_US.UTF-8") << QByteArray()
                                        << QByteArray("en_US.UTF-8") << "62.9\u00a0Mo";
        QTest::newRow("all chosen") << QByteArray() << QByteArray("C.UTF-8") << QByteArray()
                                    << "62.9\u00a0Mo";
    }
    void sizesUseTheLanguagesNumbersAndUnits() {
        QFETCH(QByteArray, lang);
        QFETCH(QByteArray, lcAll);
        QFETCH(QByteArray, lcNumeric);
        QFETCH(QString, expected);
        RecordingTranslator french(QStringLiteral("fr"));
        QVERIFY(QCoreApplication::installTranslator(&french));
        QLocale::setDefault(translations::numbersLocale(QStringLiteral("fr"), lcAll, lcNumeric, lang)
                                .value_or(QLocale::c()));
        const QString text = engine_texts::bytesText(66'000'000);
        QLocale::setDefault(QLocale::c());
        QCoreApplication::removeTranslator(&french);
        QCOMPARE(text, expected);
    }

    // Every text on screen in every state is in the language, unless it reads the same in it:
    // each state is shown in English and then translated, and a text found in both fails.
    void everyTextOnScreenIsTranslated_data() { languages(); }
    void everyTextOnScreenIsTranslated() {
        QFETCH(QString, language);
        QFETCH(QStringList, sameInTheLanguage);
        QMap<QString, QStringList> english;
        textsOfEveryState(english);

        RecordingTranslator translator(language);
        QVERIFY(translator.loaded);
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QMap<QString, QStringList> translated;
        textsOfEveryState(translated);
        QCoreApplication::removeTranslator(&translator);
        QVERIFY(!QTest::currentTestFailed());
        QCOMPARE(translated.keys(), english.keys());

        static const QRegularExpression letter(QStringLiteral("\\p{L}"));
        // Our name (the menu title too), and a remaining time, which is shown as the engine
        // writes it ("1m 5s").
        sameInTheLanguage << QStringLiteral("Fendry|F&endry")
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
        QVERIFY2(translator.missing.empty(),
                 qPrintable(QStringList(translator.missing.begin(), translator.missing.end())
                                .join(QLatin1Char('\n'))));
    }

private:
    static void languages() {
        QTest::addColumn<QString>("language");
        // Texts that are the same word in the language; the version number may be empty here.
        QTest::addColumn<QStringList>("sameInTheLanguage");
        QTest::newRow("German") << QStringLiteral("de") << QStringList{"OK", "Version ?[\\d.]*"};
        QTest::newRow("French") << QStringLiteral("fr") << QStringList{"OK", "Version ?[\\d.]*"};
        QTest::newRow("Spanish") << QStringLiteral("es") << QStringList{};
    }

    // Walks through the states of the window and its dialogs. Names are digits, so that they
    // read the same in every language.
    static void textsOfEveryState(QMap<QString, QStringList>& texts) {
        {
            ScreenHarness h;
            texts[QStringLiteral("empty")] = textsOnScreen();
            h.file("2024/0001");
            h.file("2024/0002");
            h.add(h.root() / "2024");
            h.add(h.file("0003"));
            h.screen().setSelectedFile(entryKeyOf(fendry::pendingEntryFor(h.root() / "0003")));
            h.screen().handleDrop({QUrl::fromLocalFile(QStringLiteral("/"))});  // refused
            QTRY_VERIFY(h.find(QStringLiteral("pendingList")));
            QTRY_VERIFY(h.shown(QStringLiteral("intakeNotice")));
            texts[QStringLiteral("pending")] = textsOnScreen();
            h.screen().setShowConfirmationDialog(true);
            QTRY_VERIFY(h.shown(QStringLiteral("alertMessage")));
            texts[QStringLiteral("confirming")] = textsOnScreen();
            h.screen().startShredding();
            h.runBackgroundWork();
            h.deliverUpdates(1);
            QTRY_VERIFY(h.shown(QStringLiteral("processingText")));
            h.screen().handleDrop({QUrl::fromLocalFile(
                QString::fromStdString(h.file("0008").native()))});  // waits for the next run
            QTRY_VERIFY(h.shown(QStringLiteral("waitingLine")));
            texts[QStringLiteral("running")] = textsOnScreen();
            h.deliverUpdates();
            QTRY_VERIFY(h.shown(QStringLiteral("summaryTitle")));
            texts[QStringLiteral("summary")] = textsOnScreen();
        }
        {
            ScreenHarness h;
            const fs::path shared = h.file("0004");  // its other name is not in the run
            fs::create_hard_link(shared, h.root() / "0005");
            fs::create_symlink(h.root() / "0005", h.root() / "0006");
            h.add(shared);
            h.add(h.root() / "0006");
            h.add(h.file("0007"));
            h.screen().startShredding();
            h.finishBackgroundWork();
            QTRY_VERIFY(h.shown(QStringLiteral("failedLine")));
            QTRY_VERIFY(h.shown(QStringLiteral("linksLine")));
            texts[QStringLiteral("summary with issues")] = textsOnScreen();
            h.screen().setShowFailureDetails(true);
            QTRY_VERIFY(h.shown(QStringLiteral("detailsTitle")));
            texts[QStringLiteral("failure details")] = textsOnScreen();
        }
        AppDelegate delegate;
        QQmlApplicationEngine engine;
        QQuickWindow* window = delegate.showMainWindow(engine);
        QVERIFY(window);
        for (const char* name : {"applicationMenu", "helpMenu"}) {
            QObject* menu = window->findChild<QObject*>(QLatin1String(name));
            QMetaObject::invokeMethod(menu, "open");
            QTRY_VERIFY(menu->property("opened").toBool());
            texts[QLatin1String(name)] = textsOnScreen();
            QMetaObject::invokeMethod(menu, "close");
            QTRY_VERIFY(!menu->property("visible").toBool());
        }
        QObject* about = window->findChild<QObject*>(QStringLiteral("aboutDialog"));
        QMetaObject::invokeMethod(about, "open");
        QTRY_VERIFY(about->property("opened").toBool());
        texts[QStringLiteral("about")] = textsOnScreen();
        QMetaObject::invokeMethod(about, "close");
        QTRY_VERIFY(!about->property("visible").toBool());

        delegate.updater()->checkForUpdates();
        QObject* update = window->findChild<QObject*>(QStringLiteral("updateResultDialog"));
        QTRY_VERIFY(update->property("opened").toBool());
        texts[QStringLiteral("checking for updates")] = textsOnScreen();
        QTRY_COMPARE(delegate.updater()->outcome(), int(Updater::Failed));
        texts[QStringLiteral("update failed")] = textsOnScreen();
        QMetaObject::invokeMethod(update, "close");
        QTRY_VERIFY(!update->property("visible").toBool());

        MailingListManager* newsletter = delegate.mailingList();
        newsletter->presentOnDemand();
        QObject* loader = window->findChild<QObject*>(QStringLiteral("mailingListPrompt"));
        QVERIFY(loader);
        QPointer<QQuickWindow> prompt;
        QTRY_VERIFY((prompt = qobject_cast<QQuickWindow*>(
                         loader->property("sheet").value<QObject*>()))
                    && prompt->isVisible());
        texts[QStringLiteral("newsletter")] = textsOnScreen();
        newsletter->submit(QStringLiteral("x"));
        QTRY_COMPARE(newsletter->status(), int(MailingListManager::Failure));
        texts[QStringLiteral("newsletter failure")] = textsOnScreen();
        newsletter->setPresented(false);
        QTRY_VERIFY(!prompt || !prompt->isVisible());
    }

    testing_support::TempFolder config_;
};

QTEST_MAIN(TranslatedTextsTest)
#include "TranslatedTextsTest.moc"
