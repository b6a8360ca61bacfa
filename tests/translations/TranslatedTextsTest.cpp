#include <sys/stat.h>

#include <QTest>
#include <cerrno>
#include <cstring>

#include "EngineTexts.h"
#include "Format.h"
#include "PendingItems.h"
#include "RecordingTranslator.h"

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

    // Numbers follow the language: a decimal comma and the local unit names.
    void sizesUseTheLanguagesNumbersAndUnits() {
        RecordingTranslator french(QStringLiteral("fr"));
        QVERIFY(QCoreApplication::installTranslator(&french));
        QLocale::setDefault(QLocale(QStringLiteral("fr_FR")));
        const QString text = engine_texts::bytesText(1536);
        QLocale::setDefault(QLocale::c());
        QCoreApplication::removeTranslator(&french);
        QCOMPARE(text, QStringLiteral("1,5\u00a0Ko"));
    }

private:
    static void languages() {
        QTest::addColumn<QString>("language");
        for (const char* language : {"de", "fr", "es"}) {
            QTest::newRow(language) << QString::fromLatin1(language);
        }
    }
};

QTEST_MAIN(TranslatedTextsTest)
#include "TranslatedTextsTest.moc"
