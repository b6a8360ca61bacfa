#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <iostream>
#include <string>

// The context of fendry-cli's own texts in the translations.
struct FendryCli {
    Q_DECLARE_TR_FUNCTIONS(FendryCli)
};

// A text for the terminal, which takes UTF-8.
inline std::string terminalText(const QString& text) {
    return text.toStdString();
}

// Reads the answer to a question asked on the terminal: only an explicit yes, in English or the
// user's language, is one.
inline bool answeredYes() {
    std::string answer;
    if (!std::getline(std::cin, answer)) {
        std::fputc('\n', stderr);
        return false;
    }
    const QString reply = QString::fromStdString(answer).trimmed().toLower();
    QStringList yes{QStringLiteral("y"), QStringLiteral("yes")};
    yes += FendryCli::tr("y,yes", "the answers to [y/N] that mean yes, in lower case")
               .split(QLatin1Char(','));
    return yes.contains(reply);
}
