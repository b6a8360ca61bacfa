#include "Format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace fendry {

namespace {

std::int64_t truncateToSeconds(double seconds) {
    if (std::isnan(seconds)) {
        return 0;
    }
    // 2^63 is exactly representable; anything at or past it would not fit.
    constexpr double limit = 9223372036854775808.0;
    if (seconds >= limit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (seconds < -limit) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(seconds);
}

}  // namespace

std::string formatTime(double seconds) {
    const std::int64_t n = truncateToSeconds(seconds);
    const std::int64_t minutes = (n / 60) % 60;
    const std::int64_t secs = n % 60;
    const std::int64_t hours = n / 3600;
    if (n < 3600 && minutes < 1) {
        return std::to_string(secs) + "s";
    }
    if (n < 3600) {
        return std::to_string(minutes) + "m " + std::to_string(secs) + "s";
    }
    return std::to_string(hours) + "h " + std::to_string(minutes) + "m";
}

std::string formatBytes(std::int64_t bytes) {
    static constexpr std::array<const char*, 5> units{"bytes", "KB", "MB", "GB", "TB"};
    auto value = static_cast<double>(bytes);
    std::size_t unit = 0;
    if (bytes >= 1024) {
        value /= 1024;
        unit = 1;
        while (unit < units.size() - 1 && value >= 1024) {
            value /= 1024;
            ++unit;
        }
    }
    // to_chars rounds like "%.1f" but always writes a point, whatever the process locale.
    std::array<char, 64> digits{};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                      std::chars_format::fixed, 1);
    return std::string(digits.data(), result.ptr) + " " + units[unit];
}

}  // namespace fendry
