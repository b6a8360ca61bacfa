#include "WipeTexts.h"

#include <QCoreApplication>
#include <cstring>

#include "EngineTexts.h"
#include "Format.h"

namespace wipe_texts {

namespace {

using Kind = fendry::WipeRefusal::Kind;

// Gives the texts their context in the translations, where lupdate can find them.
struct Wipe {
    Q_DECLARE_TR_FUNCTIONS(FreeSpaceWipe)
};

QString reason(int error) {
    // strerror speaks the language of the C locale, which the application set from the user's.
    return QString::fromLocal8Bit(std::strerror(error));
}

QString timeText(double seconds) {
    return QString::fromStdString(fendry::formatTime(seconds));
}

}  // namespace

QString refusalText(const fendry::WipeRefusal& refusal) {
    const QString type = QString::fromStdString(refusal.type);
    switch (refusal.kind) {
        case Kind::Unreadable:
            return Wipe::tr("the folder cannot be opened: %1").arg(reason(refusal.error));
        case Kind::NotFolder: return Wipe::tr("it is not a folder");
        case Kind::Pseudo:
            return Wipe::tr(
                "it belongs to the system (a pseudo file system such as /proc, /sys or /dev)");
        case Kind::InMemory:
            return Wipe::
                tr("it lives in memory (%1): nothing of it is kept on a disk, and filling it would "
                   "fill the memory")
                    .arg(type);
        case Kind::ReadOnly: return Wipe::tr("it is mounted read-only");
        case Kind::Network:
            return Wipe::tr(
                       "it is a network file system (%1): its free space is on the server, out "
                       "of reach from here")
                .arg(type);
        case Kind::Fuse:
            return Wipe::tr(
                       "it is a FUSE file system (%1): a program stands between it and the "
                       "storage, so what the wipe writes may never reach the free space")
                .arg(type);
        case Kind::Layered:
            return Wipe::tr(
                       "it is a layered file system (%1): wipe the file system that holds its "
                       "writable layer instead")
                .arg(type);
        case Kind::NoNamelessFiles:
            return Wipe::tr(
                       "this file system (%1) cannot hold files without a name, which the wipe "
                       "needs so that nothing is left behind if it is interrupted")
                .arg(type);
        case Kind::NotWritable:
            return Wipe::tr(
                       "files cannot be made in this folder, nor at the top of its file system: "
                       "%1")
                .arg(reason(refusal.error));
    }
    return {};
}

QString fileSystemText(const fendry::FreeSpaceTarget& target) {
    //: %1 is where the file system is mounted, %2 its device, %3 its type: "/home (/dev/sda2,
    //: ext4)"
    return Wipe::tr("%1 (%2, %3)")
        .arg(QString::fromStdString(target.mountPoint), QString::fromStdString(target.device),
             QString::fromStdString(target.type));
}

QString amountText(const fendry::FreeSpaceTarget& target) {
    return Wipe::tr("About %1 of free space will be overwritten with random data.")
        .arg(engine_texts::bytesText(target.freeBytes));
}

QString durationText(const fendry::TimeRange& range) {
    return Wipe::tr("Estimated time: %1 to %2, depending on the device.")
        .arg(timeText(range.shortest), timeText(range.longest));
}

QString fullDiskText() {
    return Wipe::tr(
        "While the free space is being filled, other programs see a full disk; the space comes "
        "back the moment the fill ends, or if the wipe is stopped or interrupted.");
}

QString reserveText(const fendry::FreeSpaceTarget& target) {
    if (target.reservedBytes <= 0) {
        return {};
    }
    return Wipe::tr("%1 reserved for the administrator cannot be reached without root.")
        .arg(engine_texts::bytesText(target.reservedBytes));
}

QString stepText(fendry::WipeProgress::Step step) {
    switch (step) {
        case fendry::WipeProgress::Step::Fill:
            return Wipe::tr("Writing random data into the free space\u2026");
        case fendry::WipeProgress::Step::Inodes: return Wipe::tr("Overwriting free inodes\u2026");
        case fendry::WipeProgress::Step::Journal: return Wipe::tr("Overwriting the journal\u2026");
    }
    return {};
}

QString writtenOfText(const fendry::WipeProgress& progress) {
    //: how much of the free space has been written so far: "1.2 GB of 4.0 GB"
    return Wipe::tr("%1 of %2")
        .arg(engine_texts::bytesText(progress.written), engine_texts::bytesText(progress.planned));
}

QString titleText(const fendry::WipeResult& result) {
    if (result.stopped) {
        return Wipe::tr("Stopped before the end");
    }
    return notReachedLines(result).isEmpty() ? Wipe::tr("Free space wiped")
                                             : Wipe::tr("Done, with issues");
}

QStringList doneLines(const fendry::WipeResult& result) {
    using Journal = fendry::WipeResult::Journal;
    QStringList lines;
    lines << Wipe::tr("%1 of free space overwritten with random data")
                 .arg(engine_texts::bytesText(result.written));
    if (result.inodes > 0) {
        lines << Wipe::tr("%n free inode(s) overwritten", nullptr, int(result.inodes));
    }
    if (result.journal == Journal::Zeroed) {
        lines << Wipe::tr("The journal was emptied and zeroed");
    } else if (result.journal == Journal::Wrapped) {
        lines << Wipe::tr("The journal was written through from end to end");
    }
    return lines;
}

QStringList notReachedLines(const fendry::WipeResult& result) {
    QStringList lines;
    if (result.failure) {
        const QString why = reason(result.failure->error);
        switch (result.failure->step) {
            case fendry::WipeFailure::Step::Changed:
                lines << Wipe::tr(
                    "The folder is no longer on the file system that was shown; nothing was "
                    "written");
                break;
            case fendry::WipeFailure::Step::Create:
                lines << Wipe::tr("A file could not be made for the wipe: %1").arg(why);
                break;
            case fendry::WipeFailure::Step::Write:
                lines << Wipe::tr("Writing failed: %1").arg(why);
                break;
            case fendry::WipeFailure::Step::Sync:
                lines
                    << Wipe::tr("What was written could not be synced to the device: %1").arg(why);
                break;
            case fendry::WipeFailure::Step::Random:
                lines << Wipe::tr("The random generator failed; nothing more was written");
                break;
        }
    }
    if (result.stopped || result.failure) {
        return lines;  // what it never came to is not a matter of reach
    }
    if (result.reservedForAdministrator > 0) {
        lines << Wipe::tr(
                     "%1 reserved for the administrator was not overwritten; run as root to "
                     "reach it")
                     .arg(engine_texts::bytesText(result.reservedForAdministrator));
    }
    if (result.beyondQuota > 0) {
        lines << Wipe::tr("%1 beyond your disk quota was not overwritten")
                     .arg(engine_texts::bytesText(result.beyondQuota));
    }
    const std::int64_t other =
        result.leftFree - result.reservedForAdministrator - result.beyondQuota;
    if (other > 0) {
        lines << Wipe::tr("%1 of free space could not be written")
                     .arg(engine_texts::bytesText(other));
    }
    if (result.journal == fendry::WipeResult::Journal::NotReached) {
        lines << Wipe::tr("The file system's journal was not overwritten");
    }
    return lines;
}

}  // namespace wipe_texts
