#include "SettingsPreferences.h"

#include <QRegularExpression>
#include <limits>

namespace fendry {

namespace {

QString keyString(std::string_view key) {
    return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

}  // namespace

SettingsPreferences::SettingsPreferences()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("morvel"),
                QStringLiteral("Fendry")) {}

// A number too large for 64 bits is still a number: it saturates rather than reading as none.
std::optional<std::int64_t> SettingsPreferences::integer(std::string_view key) const {
    const QVariant value = settings_.value(keyString(key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    const QString text = value.toString().trimmed();
    bool isNumber = false;
    const qlonglong number = text.toLongLong(&isNumber);
    if (isNumber) {
        return number;
    }
    static const QRegularExpression digits(QStringLiteral("^([+-]?)[0-9]+$"));
    const QRegularExpressionMatch match = digits.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return match.captured(1) == u"-" ? std::numeric_limits<std::int64_t>::min()
                                     : std::numeric_limits<std::int64_t>::max();
}

void SettingsPreferences::setInteger(std::string_view key, std::int64_t value) {
    settings_.setValue(keyString(key), static_cast<qlonglong>(value));
}

}  // namespace fendry
