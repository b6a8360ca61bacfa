#pragma once

#include <string>

namespace fendry {

// `text` with what a terminal would act on shown as visible escapes: control characters (C0,
// DEL and C1, which 8-bit terminals obey) and bytes that are not UTF-8 as "\x9d", marks that
// reorder the text around them as "\u202e", and a backslash as "\\". A file name then cannot
// move the cursor, set a title, clear the screen or disguise what it is.
std::string printable(const std::string& text);

}  // namespace fendry
