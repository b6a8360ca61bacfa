#include "ReportTexts.h"

#include <QDateTime>
#include <QStringList>

#include "EngineTexts.h"
#include "PrintableText.h"

using fendry::ItemRecord;
using fendry::RunRecord;

QString ReportTexts::outcome(RunRecord::Outcome outcome) {
    switch (outcome) {
        case RunRecord::Outcome::Erased: return tr("Erased");
        case RunRecord::Outcome::ErasedWithIssues: return tr("Erased with issues");
        case RunRecord::Outcome::Stopped: return tr("Stopped");
    }
    return {};
}

QString ReportTexts::kind(ItemRecord::Kind kind) {
    switch (kind) {
        case ItemRecord::Kind::File: return tr("File");
        case ItemRecord::Kind::Folder: return tr("Folder");
        case ItemRecord::Kind::Link: return tr("Link");
        case ItemRecord::Kind::Special: return tr("Special file");
        case ItemRecord::Kind::Missing: return tr("Missing");
    }
    return {};
}

QString ReportTexts::reason(const ItemRecord& item, const RunRecord& record) {
    if (item.failure && *item.failure < record.failures.size()) {
        return engine_texts::failureText(record.failures[*item.failure].failure);
    }
    if (item.stoppedBeforeRemoval) {
        return tr("was not removed: the run was stopped first");
    }
    return {};
}

QString ReportTexts::result(const ItemRecord& item, const RunRecord& record) {
    using Result = ItemRecord::Result;
    const bool entry =
        item.kind == ItemRecord::Kind::Link || item.kind == ItemRecord::Kind::Special;
    QString text;
    switch (item.result) {
        case Result::Erased: text = entry ? tr("Removed, not followed") : tr("Erased"); break;
        case Result::ErasedAndVerified: text = tr("Erased and verified"); break;
        case Result::PartlyErased: {
            QStringList counts{
                tr("Partly erased: %n file(s) erased", nullptr, int(item.filesErased))};
            if (item.filesVerified > 0) {
                counts << tr("%n read back as written", nullptr, int(item.filesVerified));
            }
            if (item.linksRemoved > 0) {
                counts << tr("%n link(s) and special file(s) removed", nullptr,
                             int(item.linksRemoved));
            }
            if (item.notErased > 0) {
                counts << tr("%n not erased", nullptr, int(item.notErased));
            }
            if (item.notReached > 0) {
                counts << tr("%n not reached", nullptr, int(item.notReached));
            }
            text = counts.join(QStringLiteral(", "));
            break;
        }
        case Result::Left: text = tr("Left"); break;
        case Result::NotReached: text = tr("Not reached, left as it was"); break;
    }
    if (const QString why = reason(item, record); !why.isEmpty()) {
        text = tr("%1: %2", "a result, then why").arg(text, why);
    }
    return text;
}

namespace fendry {

QString isoTime(std::chrono::system_clock::time_point time, bool forPeople) {
    const auto milliseconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(milliseconds);
    const int offset = local.offsetFromUtc();
    const int minutes = (offset < 0 ? -offset : offset) / 60;
    return local.toString(forPeople ? QStringLiteral("yyyy-MM-dd HH:mm:ss ")
                                    : QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           QLatin1Char(offset < 0 ? '-' : '+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString shownPath(const std::filesystem::path& path) {
    return QString::fromStdString(printable(path.native()));
}

}  // namespace fendry
