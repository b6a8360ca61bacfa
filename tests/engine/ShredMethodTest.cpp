#include <gtest/gtest.h>

#include <map>

#include "MemoryPreferences.h"
#include "MethodPreference.h"

using fendry::allMethods;
using fendry::loadSavedMethod;
using fendry::saveSelectedMethod;
using testing_support::MemoryPreferences;

namespace {

TEST(SavedMethod, FirstLaunchIsQuickAndOutOfRangeIndexesFallBackToSafeWithoutWriting) {
    const std::map<std::optional<std::int64_t>, const char*> cases{
        {std::nullopt, "Quick"}, {0, "Quick"}, {1, "Safe"},
        {2, "Stealth"},          {3, "Safe"},  {-1, "Safe"},
        {1LL << 40, "Safe"}};
    for (const auto& [stored, expected] : cases) {
        MemoryPreferences preferences;
        if (stored) {
            preferences.values["selectedShredMethodIndex"] = *stored;
        }
        EXPECT_EQ(loadSavedMethod(preferences).name, expected) << stored.value_or(-999);
        EXPECT_EQ(preferences.writes, 0);
    }
}

TEST(SavedMethod, StoresTheRowIndexOfAMethodKnownByIdOnly) {
    MemoryPreferences preferences;
    auto stealth = allMethods()[2];
    stealth.name = "renamed";  // equality is by id alone
    saveSelectedMethod(preferences, stealth);
    EXPECT_EQ(preferences.values.at("selectedShredMethodIndex"), 2);
    EXPECT_EQ(loadSavedMethod(preferences), allMethods()[2]);

    const fendry::ShredMethod stranger{fendry::Uuid::random(), "Stealth", 35, ""};
    saveSelectedMethod(preferences, stranger);
    EXPECT_EQ(preferences.writes, 1);
}

}  // namespace
