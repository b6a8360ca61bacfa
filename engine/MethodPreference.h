#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "ShredMethod.h"

namespace fendry {

// The key under which the chosen method's row index is remembered across launches.
inline constexpr std::string_view kSelectedMethodKey = "selectedShredMethodIndex";

// A small integer settings store; the application implements it over its settings file.
class Preferences {
public:
    virtual ~Preferences() = default;
    // Empty when the key is absent or its value is not a number.
    virtual std::optional<std::int64_t> integer(std::string_view key) const = 0;
    virtual void setInteger(std::string_view key, std::int64_t value) = 0;
};

// The saved method: row 0 when nothing is stored, "Safe" for an index outside the table.
ShredMethod loadSavedMethod(const Preferences& preferences);

// Stores the row index of `method`; a method that is not a row of the table is not saved.
void saveSelectedMethod(Preferences& preferences, const ShredMethod& method);

// Whether files are read back after their last pass, remembered as 1 or 0; off until chosen.
inline constexpr std::string_view kVerifyKey = "verifyAfterLastPass";
bool loadVerify(const Preferences& preferences);
void saveVerify(Preferences& preferences, bool verify);

}  // namespace fendry
