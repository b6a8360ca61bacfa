#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "MethodPreference.h"

namespace testing_support {

// Preferences kept in memory, counting the writes.
class MemoryPreferences final : public fendry::Preferences {
public:
    std::optional<std::int64_t> integer(std::string_view key) const override {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    void setInteger(std::string_view key, std::int64_t value) override {
        values[std::string(key)] = value;
        ++writes;
    }

    std::map<std::string, std::int64_t, std::less<>> values;
    int writes = 0;
};

}  // namespace testing_support
