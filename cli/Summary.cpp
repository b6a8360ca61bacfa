#include "Summary.h"

#include "Format.h"

std::string printable(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            c = '?';
        }
    }
    return text;
}

std::string summaryText(const fendry::RunState& state) {
    std::string text;
    if (state.stopped) {
        text += "Stopped before the end.\n";
    } else {
        text += state.failedCount() < 1 ? "All set!\n" : "Done, with issues\n";
    }
    text += std::to_string(state.stats.fileCount) + " files securely erased\n";
    text += fendry::formatBytes(state.stats.totalSize) + " of data deleted from disk\n";
    if (state.stats.linkCount > 0) {
        text += std::to_string(state.stats.linkCount) +
                " link(s) and special file(s) removed, none followed\n";
    }
    if (state.notReached > 0) {
        text += std::to_string(state.notReached) + " item(s) not reached, left as they were\n";
    }
    if (state.failedCount() > 0) {
        text += std::to_string(state.failedCount()) + " file(s) could not be erased\n";
        text += failureLines(state);
    }
    return text;
}

std::string failureLines(const fendry::RunState& state) {
    std::string text;
    for (const auto& failed : state.failures) {
        text +=
            "  " + printable(failed.item.string()) + ": " + fendry::describe(failed.failure) + "\n";
    }
    return text;
}
