#include "EngineTexts.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <QLocale>
#include <cstring>

#include "Format.h"

namespace engine_texts {

namespace {

using Step = fendry::PassFailure::Step;

// The engine's fixed texts, for lupdate to find; they are looked up by their English words.
[[maybe_unused]] constexpr const char* kLookedUpTexts[] = {
    QT_TRANSLATE_NOOP("ShredMethod", "Quick"),
    QT_TRANSLATE_NOOP("ShredMethod", "Safe"),
    QT_TRANSLATE_NOOP("ShredMethod", "Stealth"),
    QT_TRANSLATE_NOOP("ShredMethod",
                      "Fast, single-pass deletion, sufficient for most personal use cases"),
    QT_TRANSLATE_NOOP("ShredMethod",
                      "Secure, 7-pass erasure; meets government standards for data sanitization"),
    QT_TRANSLATE_NOOP("ShredMethod",
                      "Maximum-security, 35-pass mode; makes data recovery virtually impossible"),
    QT_TRANSLATE_NOOP("Refusal", "an empty path names nothing"),
    QT_TRANSLATE_NOOP("Refusal", "it is the root folder"),
    QT_TRANSLATE_NOOP(
        "Refusal", "a path ending in \".\" or \"..\" names a folder above or around the one meant"),
    QT_TRANSLATE_NOOP(
        "Refusal", "it belongs to the system (a pseudo file system such as /proc, /sys or /dev)"),
    QT_TRANSLATE_NOOP("Format", "%1 bytes"),
    QT_TRANSLATE_NOOP("Format", "%1 KB"),
    QT_TRANSLATE_NOOP("Format", "%1 MB"),
    QT_TRANSLATE_NOOP("Format", "%1 GB"),
    QT_TRANSLATE_NOOP("Format", "%1 TB"),
};

// Gives the failure texts a context of their own.
struct PassFailure {
    Q_DECLARE_TR_FUNCTIONS(PassFailure)

public:
    static QString notRegularFile(mode_t type);
};

QString PassFailure::notRegularFile(mode_t type) {
    switch (type & S_IFMT) {
        case S_IFDIR: return tr("is a folder, not a regular file, so it was not overwritten");
        case S_IFLNK:
            return tr("is a symbolic link, not a regular file, so it was not overwritten");
        case S_IFIFO: return tr("is a named pipe, not a regular file, so it was not overwritten");
        case S_IFSOCK: return tr("is a socket, not a regular file, so it was not overwritten");
        case S_IFCHR:
            return tr("is a character device, not a regular file, so it was not overwritten");
        case S_IFBLK: return tr("is a block device, not a regular file, so it was not overwritten");
        default: return tr("is a special file, not a regular file, so it was not overwritten");
    }
}

// Gives the caution's words their context in the translations, where lupdate can find them.
struct Caution {
    Q_DECLARE_TR_FUNCTIONS(StorageCaution)
};

}  // namespace

QString failureText(const fendry::PassFailure& failure) {
    // strerror speaks the language of the C locale, which the application set from the user's.
    const QString reason =
        failure.error != 0 ? QString::fromLocal8Bit(std::strerror(failure.error)) : QString();
    switch (failure.step) {
        case Step::Inspect: return PassFailure::tr("could not be read: %1").arg(reason);
        case Step::NotRegularFile: return PassFailure::notRegularFile(failure.type);
        case Step::Open: return PassFailure::tr("could not be opened for writing: %1").arg(reason);
        case Step::Size: return PassFailure::tr("its size could not be read: %1").arg(reason);
        case Step::Random:
            return PassFailure::tr("the random generator failed; nothing more was written");
        case Step::Write:
            return PassFailure::tr("writing failed at byte %1: %2").arg(failure.offset).arg(reason);
        case Step::Sync:
            return PassFailure::tr("could not be synced to the device: %1").arg(reason);
        case Step::Close: return PassFailure::tr("could not be closed: %1").arg(reason);
        case Step::Remove:
            return PassFailure::tr("was overwritten but could not be removed: %1").arg(reason);
        case Step::Rename:
            return PassFailure::tr("its name could not be overwritten: %1; it was left as it is")
                .arg(reason);
        case Step::SyncFolder:
            return PassFailure::tr(
                       "was removed, but the removal could not be synced to the device: %1")
                .arg(reason);
        case Step::NotFound: return PassFailure::tr("could not be found");
        case Step::ChangedSinceChosen:
            return PassFailure::tr("changed since it was chosen; it was left as it is");
        case Step::SystemFileSystem:
            return PassFailure::tr(
                "belongs to the system (a pseudo file system such as /proc, /sys or /dev); it "
                "was left as it is");
        case Step::Changed:
            return PassFailure::tr("changed while it was being erased; it was left as it is");
        case Step::ReadBack:
            return PassFailure::tr("could not be read back: %1; it was left as it is").arg(reason);
        case Step::ReadBackMismatch:
            return PassFailure::tr("did not read back as written at byte %1; it was left as it is")
                .arg(failure.offset);
        case Step::NameTaken:
            return PassFailure::tr(
                "another file took its name just before removal and was removed unerased");
        case Step::OtherNames:
            return PassFailure::tr(
                "has %n other name(s) outside what was chosen, which would lose their "
                "content; it was left as it is",
                nullptr, static_cast<int>(failure.offset));
        case Step::SharedWithFailed:
            return PassFailure::tr(
                "shares its content with a file that could not be erased; it was left as "
                "it is");
        case Step::Stopped:
            return PassFailure::tr(
                "the run was stopped while it was being overwritten; it was left partly "
                "overwritten");
        case Step::Unreadable:
            return PassFailure::tr("could not be read: %1; nothing inside it was erased")
                .arg(reason);
        case Step::MountPoint:
            return PassFailure::tr("is where another file system is mounted; it was not entered");
        case Step::Unreachable:
            return PassFailure::tr("could not be reached: %1; it was left as it is").arg(reason);
        case Step::FolderKept:
            return PassFailure::tr("was not removed: it still holds items that were not erased");
        case Step::FolderAppeared:
            return PassFailure::tr(
                "was not removed: entries appeared in it during the run and were left as "
                "they are");
        case Step::FolderRemove: return PassFailure::tr("could not be removed: %1").arg(reason);
    }
    return reason;
}

QString refusalText(const std::string& reason) {
    return QCoreApplication::translate("Refusal", reason.c_str());
}

QString bytesText(std::int64_t bytes) {
    // The engine picks the unit and rounds; only the words and the decimal sign change.
    const QString english = QString::fromStdString(fendry::formatBytes(bytes));
    const qsizetype space = english.indexOf(QLatin1Char(' '));
    QString number = english.left(space);
    number.replace(QLatin1Char('.'), QLocale().decimalPoint());
    const QByteArray unit = QByteArrayLiteral("%1") + english.mid(space).toLatin1();
    return QCoreApplication::translate("Format", unit.constData()).arg(number);
}

QString cautionSentence(std::vector<fendry::StorageCaution> cautions, fendry::CautionFor subject) {
    using Kind = fendry::StorageCaution::Kind;
    if (subject == fendry::CautionFor::WipingFreeSpace) {
        std::erase_if(cautions, [](const fendry::StorageCaution& caution) {
            return caution.kind == Kind::DataJournal;
        });
    }
    std::sort(cautions.begin(), cautions.end());
    cautions.erase(std::unique(cautions.begin(), cautions.end()), cautions.end());

    QStringList parts;
    for (auto first = cautions.begin(); first != cautions.end();) {
        const auto last = std::find_if(first, cautions.end(), [&](const fendry::StorageCaution& caution) {
            return caution.kind != first->kind;
        });
        QStringList names;
        for (auto it = first; it != last; ++it) {
            names << QString::fromStdString(it->name);
        }
        const QString list = names.join(QStringLiteral(", "));
        switch (first->kind) {
            case Kind::CopyOnWrite:
                parts << Caution::tr(
                             "the earlier copies that a copy-on-write file system (%1) keeps")
                             .arg(list);
                break;
            case Kind::Network:
                parts << Caution::tr("the copies on the server behind a network file system (%1)")
                             .arg(list);
                break;
            case Kind::Fuse:
                parts << Caution::tr("the storage behind a FUSE file system (%1)").arg(list);
                break;
            case Kind::SolidState:
                parts << Caution::tr(
                    "the spare blocks of an SSD or flash storage, which can still hold old data");
                break;
            case Kind::DataJournal:
                parts << Caution::tr(
                             "the copies of file data in the journal of %1 with data=journal")
                             .arg(list);
                break;
        }
        first = last;
    }
    if (parts.isEmpty()) {
        return {};
    }
    QString joined = parts.takeLast();
    if (!parts.isEmpty()) {
        joined = Caution::tr("%1, or %2").arg(parts.join(QStringLiteral(", ")), joined);
    }
    return subject == fendry::CautionFor::WipingFreeSpace
               ? Caution::tr("Wiping the free space cannot reach %1.").arg(joined)
               : Caution::tr("Overwriting in place cannot reach %1.").arg(joined);
}

QString methodName(const fendry::ShredMethod& method) {
    return QCoreApplication::translate("ShredMethod", method.name.c_str());
}

QString methodDescription(const fendry::ShredMethod& method) {
    return QCoreApplication::translate("ShredMethod", method.description.c_str());
}

}  // namespace engine_texts
