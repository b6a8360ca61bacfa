#pragma once

#include <string>

#include "EraseRun.h"

// The finished run in the application's own words, one line each, failed items last.
std::string summaryText(const fendry::RunState& state);
