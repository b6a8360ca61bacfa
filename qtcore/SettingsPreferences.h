#pragma once

#include <QSettings>

#include "MethodPreference.h"

namespace fendry {

// The application's standard settings store (an INI file under the XDG config folder).
class SettingsPreferences final : public Preferences {
public:
    SettingsPreferences();

    std::optional<std::int64_t> integer(std::string_view key) const override;
    void setInteger(std::string_view key, std::int64_t value) override;

private:
    mutable QSettings settings_;
};

}  // namespace fendry
