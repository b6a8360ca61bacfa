#pragma once

#include <string>

#include "EraseRun.h"

namespace fendry {

// `text` with what a terminal would act on shown as visible escapes: control characters (C0,
// DEL and C1, which 8-bit terminals obey) and bytes that are not UTF-8 as "\x9d", marks that
// reorder the text around them as "\u202e", and a backslash as "\\". A file name then cannot
// move the cursor, set a title, clear the screen or disguise what it is.
std::string printable(const std::string& text);

// The finished run in the application's own words, one line each, failed items last.
std::string summaryText(const RunState& state);

// One indented line per item that was not erased, and why.
std::string failureLines(const RunState& state);

}  // namespace fendry
