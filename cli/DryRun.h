#pragma once

#include <QString>
#include <string>
#include <vector>

#include "PendingItems.h"

namespace fendry {

// What a run over `paths` would do, without changing anything: each file it would erase, each
// link or special file it would remove, each item it would refuse or leave with the reason,
// then what overwriting cannot reach on their storage, and the totals. Names are shown
// printable().
std::string dryRunReport(const std::vector<std::string>& paths);

// The sentence on what overwriting cannot reach where the items live; empty where nothing is
// out of reach.
QString storageCaution(const PendingList& items);

}  // namespace fendry
