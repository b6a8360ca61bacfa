#pragma once

#include <QObject>

#include "EraseRun.h"

namespace fendry {

// A run environment whose background work goes to Qt's global thread pool and whose updates
// are queued, in order, onto the thread of `mainThreadContext`, which must outlive every run.
RunEnvironment qtRunEnvironment(QObject* mainThreadContext);

}  // namespace fendry
