#pragma once

#include <QCoreApplication>
#include <QString>
#include <memory>
#include <optional>

#include "EraseRun.h"
#include "PendingItems.h"

namespace fendry {

// The application object for these arguments. A PDF report needs fonts, which only a
// QGuiApplication has; it runs on the "offscreen" platform, which needs no display (a terminal
// over ssh, cron) and finds fonts through fontconfig as a desktop does. Every other run stays
// a QCoreApplication. The application sees only the program's name, so that no path can be
// taken for one of Qt's own options; the caller parses the arguments itself.
std::unique_ptr<QCoreApplication> cliApplication(int argc, char* argv[]);

// Why the report asked for cannot be written, checked before anything is erased: a name that
// ends in neither ".pdf" nor ".json", a folder that is not there or not writable, a folder in
// the report's place, or a place inside what is to be erased. Empty when it can.
std::optional<QString> reportRefusal(const QString& fileName, const PendingList& items);

// Writes the report of the finished run; false, having said why on standard error, when it
// could not.
bool writeRunReport(const RunState& state, const QString& fileName);

}  // namespace fendry
