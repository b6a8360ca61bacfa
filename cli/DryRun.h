#pragma once

#include <string>
#include <vector>

#include "PendingItems.h"

namespace fendry {

// What a run over `paths` would do, without changing anything: each file it would erase, each
// link or special file it would remove, each item it would refuse or leave with the reason,
// then the totals. Control characters in names are shown as "?".
std::string dryRunReport(const std::vector<std::string>& paths);

}  // namespace fendry
