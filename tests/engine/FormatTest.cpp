#include "Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using fendry::formatBytes;
using fendry::formatTime;

namespace {

// Values that no count of seconds holds are clamped to the nearest one that does (the least
// count shows as "-8s", its remainder).
TEST(FormatTime, TruncatesToSecondsPicksTheUnitsAndClamps) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::pair<double, const char*>> cases{
        {0, "0s"},         {59.9, "59s"},   {60, "1m 0s"},   {61.5, "1m 1s"},
        {3599, "59m 59s"}, {3600, "1h 0m"}, {3725, "1h 2m"}, {90061, "25h 1m"},
        {0.4, "0s"},       {-0.9, "0s"},    {-5, "-5s"},     {std::nan(""), "0s"},
        {inf, "2562047788015215h 30m"},     {9.3e18, "2562047788015215h 30m"},
        {-inf, "-8s"},                      {-9.3e18, "-8s"},
    };
    for (const auto& [seconds, text] : cases) {
        EXPECT_EQ(formatTime(seconds), text) << seconds;
    }
}

TEST(FormatBytes, DividesBy1024AndRoundsToOneDecimal) {
    const std::vector<std::pair<std::int64_t, const char*>> cases{
        {0, "0.0 bytes"},         {1023, "1023.0 bytes"},
        {1024, "1.0 KB"},         {1536, "1.5 KB"},
        {3'145'728, "3.0 MB"},    {1'048'575, "1024.0 KB"},  // the unit is chosen before rounding
        {1LL << 30, "1.0 GB"},    {1LL << 40, "1.0 TB"},
        {1LL << 50, "1024.0 TB"}, {std::numeric_limits<std::int64_t>::max(), "8388608.0 TB"},
        {-5, "-5.0 bytes"},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(formatBytes(bytes), text) << bytes;
    }
}

}  // namespace
