#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace translations {

namespace {

bool isEnglish(const QString& language) {
    return language == QLatin1String("en") || language.startsWith(QLatin1String("en-"));
}

}  // namespace

bool load(QTranslator& translator, const QLocale& locale) {
    // The locale's languages in the user's order of preference (LANGUAGE, then LC_MESSAGES or
    // LANG); Qt's own lookup would pass over English and pick a later one.
    for (const QString& language : locale.uiLanguages()) {
        if (isEnglish(language)) {
            return false;
        }
        if (translator.load(QLocale(language), QStringLiteral("fendry"), QStringLiteral("_"),
                            QStringLiteral(":/i18n"))) {
            return true;
        }
    }
    return false;
}

void installForSystemLanguage() {
    auto* ours = new QTranslator(QCoreApplication::instance());
    if (!load(*ours)) {
        delete ours;
        return;
    }
    // Qt's catalogue first: the last installed is asked first, and ours also words some of
    // Qt's command-line texts that Qt's own catalogue lacks.
    auto* qts = new QTranslator(QCoreApplication::instance());
    if (qts->load(QLocale(ours->language()), QStringLiteral("qt"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qts);
    } else {
        delete qts;
    }
    QCoreApplication::installTranslator(ours);
}

}  // namespace translations
