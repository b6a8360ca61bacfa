#include "DryRun.h"

#include <sys/stat.h>

#include "FolderHandles.h"
#include "FolderWalk.h"
#include "Format.h"
#include "Summary.h"

std::string dryRunReport(const std::vector<std::string>& paths) {
    std::string report;
    std::int64_t left = 0;
    const auto leave = [&](const std::string& path, const std::string& reason) {
        report += "left:    " + printable(path) + ": " + reason + "\n";
        ++left;
    };

    fendry::PendingList pending;
    for (const auto& path : paths) {
        if (const auto refusal = fendry::refusalOf(path)) {
            report += "refused: " + printable(path) + ": " + *refusal + "\n";
            ++left;
        } else {
            fendry::addPendingItem(pending, path);
        }
    }

    fendry::FileOps& ops = fendry::systemFileOps();
    const fendry::WalkResult walked = fendry::walkPendingItems(pending, ops);
    const fendry::WorkList& list = walked.list;
    fendry::FolderHandles folders(list, ops);
    std::int64_t files = 0;
    std::int64_t bytes = 0;
    std::int64_t links = 0;
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        const auto& entry = list.entries[i];
        const std::string path = list.pathOf(i).string();
        if (entry.kind == fendry::WorkEntry::Kind::LinkOrSpecial) {
            report += "remove:  " + printable(path) + " (a link or special file, not followed)\n";
            ++links;
            continue;
        }
        if (list.firstNameOf(i)) {
            report += "remove:  " + printable(path) + " (another name of a file erased above)\n";
            continue;
        }
        if (const auto* link = list.hardLinkAt(i); link && link->namesInRun < link->links) {
            leave(path, fendry::describe({fendry::PassFailure::Step::OtherNames, 0,
                                          link->links - link->namesInRun, 0}));
            continue;
        }
        struct stat info {};
        int folder = -1;
        if (folders.open(entry.folder, folder) == 0 &&
            ops.statAt(folder, std::string(list.nameOf(entry)), info) == 0) {
            bytes += info.st_size;
        }
        report += "erase:   " + printable(path) + "\n";
        ++files;
    }
    for (const auto& failed : walked.failures) {
        leave(failed.item.string(), fendry::describe(failed.failure));
    }

    report +=
        std::to_string(files) + " file(s) would be erased (" + fendry::formatBytes(bytes) + ")\n";
    report += std::to_string(links) + " link(s) and special file(s) would be removed\n";
    report += std::to_string(left) + " item(s) would be refused or left\n";
    return report;
}
