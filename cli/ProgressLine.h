#pragma once

#include <chrono>
#include <cstdio>

#include "EraseRun.h"

namespace fendry {

// One line on a terminal that shows the run's progress and is redrawn in place.
class ProgressLine {
public:
    explicit ProgressLine(std::FILE* terminal) : terminal_(terminal) {}

    // Redraws at most a few dozen times a second; `force` redraws regardless.
    void show(const RunState& state, bool force = false);
    void clear();

private:
    std::FILE* terminal_;
    std::chrono::steady_clock::time_point lastDrawn_{};
    bool drawn_ = false;
};

}  // namespace fendry
