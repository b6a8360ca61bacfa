#pragma once

#include <string>

#include "EraseRun.h"

namespace fendry {

// `text` with control characters shown as "?", so that a file name cannot move the cursor,
// start a new line or send escape sequences to the terminal.
std::string printable(std::string text);

// The finished run in the application's own words, one line each, failed items last.
std::string summaryText(const RunState& state);

// One indented line per item that was not erased, and why.
std::string failureLines(const RunState& state);

}  // namespace fendry
