#include <sys/stat.h>

#include <QTest>
#include <cerrno>
#include <cstring>

#include "EngineTexts.h"
#include "Format.h"
#include "PendingItems.h"
#include "RecordingTranslator.h"
#include "Translations.h"

using namespace fendry;
using testing_support::RecordingTranslator;
using Step = fendry::PassFailure::Step;

namespace {

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

}  // namespace

class TranslatedTextsTest : public QObject {
    Q_OBJECT

private slots:
    // With no translation the Qt side must say exactly what the engine says.
    void theEnginesTextsReadAsTheEngineWordsThem() {
        for (const std::int64_t bytes :
             {std::int64_t(0), std::int64_t(1023), std::int64_t(1024), std::int64_t(1536),
              std::int64_t(1048575), std::int64_t(5) << 40, std::int64_t(1) << 62}) {
            QCOMPARE(engine_texts::bytesText(bytes),
                     QString::fromStdString(fendry::formatBytes(bytes)));
        }
    }

    void theEnginesTextsAreTranslated_data() {
        QTest::addColumn<QString>("language");
        for (const char* language : {"de", "fr", "es"}) {
            QTest::newRow(language) << QString::fromLatin1(language);
        }
    }
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
        QVERIFY2(translator.missing.empty(), qPrintable(translator.missingTexts()));
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
};

QTEST_MAIN(TranslatedTextsTest)
#include "TranslatedTextsTest.moc"
