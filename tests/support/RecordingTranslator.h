#pragma once

#include <QRegularExpression>
#include <QTranslator>
#include <set>

#include "Translations.h"

namespace testing_support {

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

    // The texts it did not have, a line each.
    QString missingTexts() const { return QStringList(missing.begin(), missing.end()).join('\n'); }

    bool loaded = false;
    mutable std::set<QString> missing;

private:
    QTranslator inner_;
};

}  // namespace testing_support
