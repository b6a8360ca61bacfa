#pragma once

#include <string>

#include "EraseRun.h"
#include "PrintableText.h"

namespace fendry {

// The finished run in the application's own words, one line each, failed items last.
std::string summaryText(const RunState& state);

// One indented line per item that was not erased, and why.
std::string failureLines(const RunState& state);

}  // namespace fendry
