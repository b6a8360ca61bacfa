#pragma once

#include <QLocale>
#include <QTranslator>
#include <optional>

// Our texts in the languages we ship, built into the binaries. English needs no translation:
// it is the text in the source.
namespace translations {

// Loads our translation for the first of the locale's languages that we ship, stopping at
// English; false when the texts stay English.
bool load(QTranslator& translator, const QLocale& locale = QLocale::system());

// The locale numbers are written in, for texts in `textLanguage`, from the locale variables:
// none (the system's) when the user chose how numbers are written (LC_ALL or LC_NUMERIC) or
// LANG is in the texts' language, else the texts' own, so that a French text does not read
// "62.9 Mo" under LANG=C.
std::optional<QLocale> numbersLocale(const QString& textLanguage, const QByteArray& lcAll,
                                     const QByteArray& lcNumeric, const QByteArray& lang);

// Installs our translation and Qt's own (its command-line help, network errors) for the user's
// language on the running application, and writes numbers as that language does (see
// numbersLocale).
void installForSystemLanguage();

}  // namespace translations
