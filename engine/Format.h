#pragma once

#include <cstdint>
#include <string>

namespace fendry {

// A duration as "%ds", "%dm %ds" or "%dh %dm", truncated to whole seconds. Values beyond what a
// 64-bit count holds are clamped; NaN reads as 0.
std::string formatTime(double seconds);

// A byte count in units of 1024, one decimal: "0.0 bytes", "1.5 KB", ... up to "TB".
std::string formatBytes(std::int64_t bytes);

}  // namespace fendry
