#pragma once

#include <QLocale>
#include <QTranslator>

// Our texts in the languages we ship, built into the binaries. English needs no translation:
// it is the text in the source.
namespace translations {

// Loads our translation for the first of the locale's languages that we ship, stopping at
// English; false when the texts stay English.
bool load(QTranslator& translator, const QLocale& locale = QLocale::system());

// Installs our translation and Qt's own (its command-line help, network errors) for the user's
// language on the running application.
void installForSystemLanguage();

}  // namespace translations
