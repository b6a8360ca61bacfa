#include "MethodPreference.h"

namespace fendry {

ShredMethod loadSavedMethod(const Preferences& preferences) {
    const auto& methods = allMethods();
    const std::int64_t index = preferences.integer(kSelectedMethodKey).value_or(0);
    if (index >= 0 && index < static_cast<std::int64_t>(methods.size())) {
        return methods[static_cast<std::size_t>(index)];
    }
    return methods[1];
}

void saveSelectedMethod(Preferences& preferences, const ShredMethod& method) {
    const auto& methods = allMethods();
    for (std::size_t index = 0; index < methods.size(); ++index) {
        if (methods[index] == method) {
            preferences.setInteger(kSelectedMethodKey, static_cast<std::int64_t>(index));
            return;
        }
    }
}

bool loadVerify(const Preferences& preferences) {
    return preferences.integer(kVerifyKey).value_or(0) != 0;
}

void saveVerify(Preferences& preferences, bool verify) {
    preferences.setInteger(kVerifyKey, verify ? 1 : 0);
}

}  // namespace fendry
