#include "Summary.h"

#include "CliText.h"
#include "EngineTexts.h"

namespace fendry {

std::string summaryText(const RunState& state) {
    QString text;
    const auto line = [&text](const QString& words) { text += words + QLatin1Char('\n'); };
    if (state.stopped) {
        line(FendryCli::tr("Stopped before the end."));
    } else {
        line(state.failedCount() < 1 ? FendryCli::tr("All set!")
                                     : FendryCli::tr("Done, with issues"));
    }
    line(FendryCli::tr("%n files securely erased", nullptr, int(state.stats.fileCount)));
    line(FendryCli::tr("%1 of data deleted from disk")
             .arg(engine_texts::bytesText(state.stats.totalSize)));
    if (state.stats.linkCount > 0) {
        line(FendryCli::tr("%n link(s) and special file(s) removed, none followed", nullptr,
                           int(state.stats.linkCount)));
    }
    if (state.notReached > 0) {
        line(FendryCli::tr("%n item(s) not reached, left as they were", nullptr,
                           int(state.notReached)));
    }
    if (state.failedCount() == 0) {
        return terminalText(text);
    }
    if (state.filesNotErased() > 0) {
        line(FendryCli::tr("%n file(s) could not be erased", nullptr, int(state.filesNotErased())));
    }
    if (state.foldersKept() > 0) {
        line(FendryCli::tr("%n folder(s) not removed", nullptr, int(state.foldersKept())));
    }
    return terminalText(text) + failureLines(state);
}

std::string failureLines(const RunState& state) {
    std::string text;
    for (const auto& failed : state.failures) {
        text += "  " + printable(failed.item.string()) + ": " +
                printable(terminalText(engine_texts::failureText(failed.failure))) + "\n";
    }
    return text;
}

}  // namespace fendry
