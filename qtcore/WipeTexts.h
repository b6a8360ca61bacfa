#pragma once

#include <QString>
#include <QStringList>

#include "FreeSpaceTarget.h"
#include "FreeSpaceWipe.h"

// What the window and fendry-cli say about wiping free space, in the user's language; the one
// place of these words, so that both say the same.
namespace wipe_texts {

// Why the free space under the folder cannot be wiped: "it is mounted read-only".
QString refusalText(const fendry::WipeRefusal& refusal);

// "/home (/dev/sda2, ext4)"
QString fileSystemText(const fendry::FreeSpaceTarget& target);

// "About 120.5 GB of free space will be overwritten with random data."
QString amountText(const fendry::FreeSpaceTarget& target);

// "Estimated time: 2m 0s to 20m 5s, depending on the device."
QString durationText(const fendry::TimeRange& range);

// That other programs see a full disk while the fill lasts, and only then.
QString fullDiskText();

// The administrator's reserve, which a wipe cannot reach without root; empty when none.
QString reserveText(const fendry::FreeSpaceTarget& target);

// What a step of the wipe is doing: "Writing random data into the free space…"
QString stepText(fendry::WipeProgress::Step step);

// "1.2 GB of 4.0 GB"
QString writtenOfText(const fendry::WipeProgress& progress);

// The summary's title: all done, done with something out of reach, or stopped.
QString titleText(const fendry::WipeResult& result);

// What the wipe did, one line each.
QStringList doneLines(const fendry::WipeResult& result);

// What it could not reach or do, one line each; empty when it reached everything it set out to.
QStringList notReachedLines(const fendry::WipeResult& result);

}  // namespace wipe_texts
