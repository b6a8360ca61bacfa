#include <gtest/gtest.h>

#include <map>
#include <unordered_set>

#include "MethodPreference.h"

using fendry::allMethods;
using fendry::loadSavedMethod;
using fendry::saveSelectedMethod;

namespace {

class MemoryPreferences : public fendry::Preferences {
public:
    std::map<std::string, std::int64_t, std::less<>> values;
    int writes = 0;

    std::optional<std::int64_t> integer(std::string_view key) const override {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    void setInteger(std::string_view key, std::int64_t value) override {
        values[std::string(key)] = value;
        ++writes;
    }
};

TEST(ShredMethods, AreQuickSafeAndStealthInThatOrder) {
    const auto& methods = allMethods();
    ASSERT_EQ(methods.size(), 3u);
    EXPECT_EQ(methods[0].name, "Quick");
    EXPECT_EQ(methods[0].passes, 1);
    EXPECT_EQ(methods[1].name, "Safe");
    EXPECT_EQ(methods[1].passes, 7);
    EXPECT_EQ(methods[2].name, "Stealth");
    EXPECT_EQ(methods[2].passes, 35);
    EXPECT_EQ(methods[2].description,
              "Maximum-security, 35-pass mode; makes data recovery virtually impossible");
    EXPECT_EQ(&allMethods(), &methods);  // built once
}

TEST(ShredMethods, AreEqualByIdAlone) {
    auto renamed = allMethods()[1];
    renamed.name = "Other";
    renamed.passes = 99;
    EXPECT_EQ(renamed, allMethods()[1]);
    EXPECT_NE(allMethods()[0], allMethods()[1]);
    const std::unordered_set<fendry::ShredMethod> set(allMethods().begin(), allMethods().end());
    EXPECT_EQ(set.size(), 3u);
    EXPECT_TRUE(set.contains(renamed));
}

TEST(SavedMethod, FirstLaunchIsQuickAndOutOfRangeIndexesFallBackToSafeWithoutWriting) {
    const std::map<std::optional<std::int64_t>, const char*> cases{
        {std::nullopt, "Quick"}, {0, "Quick"}, {1, "Safe"},
        {2, "Stealth"},          {3, "Safe"},  {-1, "Safe"},
        {1LL << 40, "Safe"}};
    for (const auto& [stored, expected] : cases) {
        MemoryPreferences preferences;
        if (stored) {
            preferences.values[std::string(fendry::kSelectedMethodKey)] = *stored;
        }
        EXPECT_EQ(loadSavedMethod(preferences).name, expected) << stored.value_or(-999);
        EXPECT_EQ(preferences.writes, 0);
    }
}

TEST(SavedMethod, StoresTheRowIndexAndIgnoresMethodsNotInTheTable) {
    MemoryPreferences preferences;
    saveSelectedMethod(preferences, allMethods()[2]);
    EXPECT_EQ(preferences.values.at("selectedShredMethodIndex"), 2);
    EXPECT_EQ(loadSavedMethod(preferences), allMethods()[2]);

    fendry::ShredMethod stranger{fendry::Uuid::random(), "Stealth", 35, ""};
    saveSelectedMethod(preferences, stranger);
    EXPECT_EQ(preferences.writes, 1);
}

}  // namespace
