#include "SettingsPreferences.h"

namespace {

QString keyString(std::string_view key) {
    return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

}  // namespace

SettingsPreferences::SettingsPreferences()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("morvel"),
                QStringLiteral("Fendry")) {}

std::optional<std::int64_t> SettingsPreferences::integer(std::string_view key) const {
    const QVariant value = settings_.value(keyString(key));
    bool isNumber = false;
    const qlonglong number = value.toLongLong(&isNumber);
    if (!value.isValid() || !isNumber) {
        return std::nullopt;
    }
    return number;
}

void SettingsPreferences::setInteger(std::string_view key, std::int64_t value) {
    settings_.setValue(keyString(key), static_cast<qlonglong>(value));
}
