#pragma once

#include <QCoreApplication>
#include <string>

// The context of fendry-cli's own texts in the translations.
struct FendryCli {
    Q_DECLARE_TR_FUNCTIONS(FendryCli)
};

// A text for the terminal, which takes UTF-8.
inline std::string terminalText(const QString& text) {
    return text.toStdString();
}
