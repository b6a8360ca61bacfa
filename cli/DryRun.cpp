#include "DryRun.h"

#include <QStringList>
#include <algorithm>

#include "CliText.h"
#include "EngineTexts.h"
#include "FolderHandles.h"
#include "FolderWalk.h"
#include "StorageProbe.h"
#include "Summary.h"

namespace fendry {

namespace {

// The word at the head of each line, padded so that the names line up whatever the language.
class Labels {
public:
    Labels()
        : words_{FendryCli::tr("refused:"), FendryCli::tr("left:"), FendryCli::tr("remove:"),
                 FendryCli::tr("erase:")} {
        for (const QString& word : words_) {
            width_ = std::max(width_, word.size() + 1);
        }
    }
    std::string refused() const { return padded(0); }
    std::string left() const { return padded(1); }
    std::string remove() const { return padded(2); }
    std::string erase() const { return padded(3); }

private:
    std::string padded(int i) const { return terminalText(words_[i].leftJustified(width_)); }

    QStringList words_;
    qsizetype width_ = 0;
};

}  // namespace

QString storageCaution(const PendingList& items) {
    const StorageProbe probe;
    std::vector<StorageCaution> cautions;
    for (const auto& item : items) {
        if (const auto facts = probe.factsOf(item.path)) {
            const auto found = cautionsFor(*facts);
            cautions.insert(cautions.end(), found.begin(), found.end());
        }
    }
    return engine_texts::cautionSentence(std::move(cautions));
}

std::string dryRunReport(const std::vector<std::string>& paths) {
    const Labels label;
    std::string report;
    std::int64_t left = 0;
    const auto leave = [&](const std::string& path, const QString& reason) {
        report += label.left() + printable(path) + ": " + terminalText(reason) + "\n";
        ++left;
    };

    PendingList pending;
    for (const auto& path : paths) {
        if (const auto refusal = refusalOf(path)) {
            report += label.refused() + printable(path) + ": " +
                      terminalText(engine_texts::refusalText(*refusal)) + "\n";
            ++left;
        } else {
            addPendingItem(pending, path);
        }
    }

    FileOps& ops = systemFileOps();
    const WalkResult walked = walkPendingItems(pending, ops);
    const WorkList& list = walked.list;
    FolderHandles folders(list, ops);
    std::int64_t files = 0;
    std::int64_t bytes = 0;
    std::int64_t links = 0;
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        const auto& entry = list.entries[i];
        const std::string path = list.pathOf(i).string();
        if (entry.kind == WorkEntry::Kind::LinkOrSpecial) {
            report += label.remove() + printable(path) + " " +
                      terminalText(FendryCli::tr("(a link or special file, not followed)")) + "\n";
            ++links;
            continue;
        }
        if (list.firstNameOf(i)) {
            report += label.remove() + printable(path) + " " +
                      terminalText(FendryCli::tr("(another name of a file erased above)")) + "\n";
            continue;
        }
        if (const auto* link = list.hardLinkAt(i); link && link->namesInRun < link->links) {
            leave(path, engine_texts::failureText(
                            {PassFailure::Step::OtherNames, 0, link->links - link->namesInRun, 0}));
            continue;
        }
        EntryInfo info;
        int folder = -1;
        if (folders.open(entry.folder, folder) == 0 &&
            ops.statAt(folder, std::string(list.nameOf(entry)), info) == 0) {
            bytes += info.size;
        }
        report += label.erase() + printable(path) + "\n";
        ++files;
    }
    for (const auto& failed : walked.failures) {
        leave(failed.item.string(), engine_texts::failureText(failed.failure));
    }

    if (const QString caution = storageCaution(pending); !caution.isEmpty()) {
        report += terminalText(caution) + "\n";
    }
    report += terminalText(FendryCli::tr("%n file(s) would be erased (%1)", nullptr, int(files))
                               .arg(engine_texts::bytesText(bytes))) +
              "\n";
    report += terminalText(FendryCli::tr("%n link(s) and special file(s) would be removed", nullptr,
                                         int(links))) +
              "\n";
    report +=
        terminalText(FendryCli::tr("%n item(s) would be refused or left", nullptr, int(left))) +
        "\n";
    return report;
}

}  // namespace fendry
