#include "ReportJson.h"

#include <sys/sysmacros.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "EngineTexts.h"
#include "ReportTexts.h"

namespace fendry {

namespace {

// Raised when a field changes meaning or goes; new fields do not change it.
constexpr int kFormatVersion = 1;

QString outcomeCode(RunRecord::Outcome outcome) {
    switch (outcome) {
        case RunRecord::Outcome::Erased: return QStringLiteral("erased");
        case RunRecord::Outcome::ErasedWithIssues: return QStringLiteral("erasedWithIssues");
        case RunRecord::Outcome::Stopped: return QStringLiteral("stopped");
    }
    return {};
}

QString kindCode(ItemRecord::Kind kind) {
    switch (kind) {
        case ItemRecord::Kind::File: return QStringLiteral("file");
        case ItemRecord::Kind::Folder: return QStringLiteral("folder");
        case ItemRecord::Kind::Link: return QStringLiteral("link");
        case ItemRecord::Kind::Special: return QStringLiteral("special");
        case ItemRecord::Kind::Missing: return QStringLiteral("missing");
    }
    return {};
}

QString resultCode(ItemRecord::Result result) {
    switch (result) {
        case ItemRecord::Result::Erased: return QStringLiteral("erased");
        case ItemRecord::Result::ErasedAndVerified: return QStringLiteral("erasedAndVerified");
        case ItemRecord::Result::PartlyErased: return QStringLiteral("partlyErased");
        case ItemRecord::Result::Left: return QStringLiteral("left");
        case ItemRecord::Result::NotReached: return QStringLiteral("notReached");
    }
    return {};
}

QString cautionCode(StorageCaution::Kind kind) {
    switch (kind) {
        case StorageCaution::Kind::CopyOnWrite: return QStringLiteral("copyOnWrite");
        case StorageCaution::Kind::Network: return QStringLiteral("network");
        case StorageCaution::Kind::Fuse: return QStringLiteral("fuse");
        case StorageCaution::Kind::SolidState: return QStringLiteral("solidState");
        case StorageCaution::Kind::DataJournal: return QStringLiteral("dataJournal");
    }
    return {};
}

QString stepCode(PassFailure::Step step) {
    using Step = PassFailure::Step;
    switch (step) {
        case Step::Inspect: return QStringLiteral("inspect");
        case Step::NotRegularFile: return QStringLiteral("notRegularFile");
        case Step::Open: return QStringLiteral("open");
        case Step::Size: return QStringLiteral("size");
        case Step::Random: return QStringLiteral("random");
        case Step::Write: return QStringLiteral("write");
        case Step::Sync: return QStringLiteral("sync");
        case Step::Close: return QStringLiteral("close");
        case Step::Remove: return QStringLiteral("remove");
        case Step::Rename: return QStringLiteral("rename");
        case Step::SyncFolder: return QStringLiteral("syncFolder");
        case Step::NotFound: return QStringLiteral("notFound");
        case Step::ChangedSinceChosen: return QStringLiteral("changedSinceChosen");
        case Step::SystemFileSystem: return QStringLiteral("systemFileSystem");
        case Step::Changed: return QStringLiteral("changed");
        case Step::ReadBack: return QStringLiteral("readBack");
        case Step::ReadBackMismatch: return QStringLiteral("readBackMismatch");
        case Step::NameTaken: return QStringLiteral("nameTaken");
        case Step::OtherNames: return QStringLiteral("otherNames");
        case Step::SharedWithFailed: return QStringLiteral("sharedWithFailed");
        case Step::Stopped: return QStringLiteral("stopped");
        case Step::Unreadable: return QStringLiteral("unreadable");
        case Step::MountPoint: return QStringLiteral("mountPoint");
        case Step::Unreachable: return QStringLiteral("unreachable");
        case Step::FolderKept: return QStringLiteral("folderKept");
        case Step::FolderAppeared: return QStringLiteral("folderAppeared");
        case Step::FolderRemove: return QStringLiteral("folderRemove");
    }
    return {};
}

QJsonObject itemJson(const ItemRecord& item, const RunRecord& record) {
    QJsonObject json{
        {QStringLiteral("path"), shownPath(item.path)},
        {QStringLiteral("kind"), kindCode(item.kind)},
        {QStringLiteral("size"), qint64(item.size)},
        {QStringLiteral("result"), resultCode(item.result)},
        {QStringLiteral("filesErased"), qint64(item.filesErased)},
        {QStringLiteral("filesVerified"), qint64(item.filesVerified)},
        {QStringLiteral("linksRemoved"), qint64(item.linksRemoved)},
        {QStringLiteral("notErased"), qint64(item.notErased)},
        {QStringLiteral("notReached"), qint64(item.notReached)},
    };
    if (const QString reason = ReportTexts::reason(item, record); !reason.isEmpty()) {
        json.insert(QStringLiteral("reason"), reason);
    }
    return json;
}

QJsonObject fileSystemJson(const FileSystemRecord& fileSystem) {
    QJsonArray cautions;
    for (const auto& caution : fileSystem.cautions) {
        QJsonObject json{{QStringLiteral("kind"), cautionCode(caution.kind)}};
        if (!caution.name.empty()) {
            json.insert(QStringLiteral("name"), QString::fromStdString(caution.name));
        }
        cautions.append(json);
    }
    const StorageFacts facts = fileSystem.facts.value_or(StorageFacts{});
    QJsonObject json{
        {QStringLiteral("mountPoint"), shownPath(facts.mountPoint)},
        {QStringLiteral("device"), shownPath(facts.source)},
        {QStringLiteral("deviceNumber"),
         QStringLiteral("%1:%2").arg(::major(fileSystem.device)).arg(::minor(fileSystem.device))},
        {QStringLiteral("type"), QString::fromStdString(facts.fileSystemType)},
        {QStringLiteral("cautions"), cautions},
        {QStringLiteral("readThroughCache"), fileSystem.readThroughCache},
    };
    if (const QString sentence = engine_texts::cautionSentence(fileSystem.cautions);
        !sentence.isEmpty()) {
        json.insert(QStringLiteral("caution"), sentence);
    }
    return json;
}

QJsonObject failureJson(const ItemFailure& line) {
    QJsonObject json{
        {QStringLiteral("path"), shownPath(line.item)},
        {QStringLiteral("folder"), line.folder},
        {QStringLiteral("step"), stepCode(line.failure.step)},
        {QStringLiteral("reason"), engine_texts::failureText(line.failure)},
    };
    if (line.failure.step == PassFailure::Step::Write ||
        line.failure.step == PassFailure::Step::ReadBackMismatch) {
        json.insert(QStringLiteral("offset"), qint64(line.failure.offset));
    }
    if (line.failure.error != 0) {
        json.insert(QStringLiteral("errno"), line.failure.error);
    }
    return json;
}

}  // namespace

QByteArray reportJson(const RunRecord& record) {
    QJsonArray items;
    for (const auto& item : record.items) {
        items.append(itemJson(item, record));
    }
    QJsonArray fileSystems;
    for (const auto& fileSystem : record.fileSystems) {
        fileSystems.append(fileSystemJson(fileSystem));
    }
    QJsonArray failures;
    for (const auto& line : record.failures) {
        failures.append(failureJson(line));
    }
    const QJsonObject totals{
        {QStringLiteral("filesErased"), qint64(record.stats.fileCount)},
        {QStringLiteral("bytesErased"), qint64(record.stats.totalSize)},
        {QStringLiteral("linksRemoved"), qint64(record.stats.linkCount)},
        {QStringLiteral("filesNotErased"), qint64(record.filesNotErased)},
        {QStringLiteral("foldersNotRemoved"), qint64(record.foldersKept)},
        {QStringLiteral("notReached"), qint64(record.notReached)},
        {QStringLiteral("stopped"), record.stopped},
    };
    const QJsonObject method{
        {QStringLiteral("name"), QString::fromStdString(record.method.name).toLower()},
        {QStringLiteral("passes"), qint64(record.method.passes)},
        {QStringLiteral("verify"), record.verify},
    };
    const QJsonObject report{
        {QStringLiteral("formatVersion"), kFormatVersion},
        {QStringLiteral("fendryVersion"), QString::fromStdString(record.version)},
        {QStringLiteral("host"), QString::fromStdString(record.host)},
        {QStringLiteral("user"), QString::fromStdString(record.user)},
        {QStringLiteral("startedAt"), isoTime(record.startedAt)},
        {QStringLiteral("endedAt"), isoTime(record.endedAt)},
        {QStringLiteral("outcome"), outcomeCode(record.outcome)},
        {QStringLiteral("method"), method},
        {QStringLiteral("items"), items},
        {QStringLiteral("fileSystems"), fileSystems},
        {QStringLiteral("totals"), totals},
        {QStringLiteral("failures"), failures},
    };
    return QJsonDocument(report).toJson(QJsonDocument::Indented);
}

}  // namespace fendry
