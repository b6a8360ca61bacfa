#pragma once

#include <QString>

// fendry-cli --wipe-free-space PATH: wipes the free space of the file system that holds PATH.
// Asks first unless `yes`; `quiet` leaves out the progress line and the lines of what was done.
// Returns the exit status: 0 when everything was reached, 1 when something was not, 2 for a
// refusal or no confirmation, 128 + the signal when a signal stopped it.
int wipeFreeSpaceCommand(const QString& path, bool yes, bool quiet);
