#include "ProgressLine.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <string>

#include "CliText.h"
#include "Format.h"
#include "Summary.h"

namespace fendry {

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(50);

std::size_t terminalWidth(std::FILE* terminal) {
    winsize size{};
    if (::ioctl(::fileno(terminal), TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    return 80;
}

// Keeps the end of a name, where it differs most, when the line is too narrow for all of it.
std::string cutAtHead(const std::string& name, std::size_t room) {
    if (name.size() <= room) {
        return name;
    }
    if (room <= 3) {
        return std::string(room, '.');
    }
    std::size_t start = name.size() - (room - 3);
    while (start < name.size() && (static_cast<unsigned char>(name[start]) & 0xC0) == 0x80) {
        ++start;  // never begin inside a UTF-8 sequence
    }
    return "..." + name.substr(start);
}

}  // namespace

void ProgressLine::show(const RunState& state, bool force) {
    if (!state.workList || state.totalFiles == 0) {
        return;  // the run has not counted its files yet, or has none to overwrite
    }
    const auto now = std::chrono::steady_clock::now();
    if (!force && drawn_ && now - lastDrawn_ < kRedrawInterval) {
        return;
    }
    lastDrawn_ = now;
    drawn_ = true;

    const std::string name = printable(state.currentFileName().value_or(std::string()));
    const int percent = static_cast<int>(state.shreddingProgress * 100);
    const std::string head = terminalText(FendryCli::tr("Processing file %1 of %2")
                                              .arg(state.currentFileNumber())
                                              .arg(state.totalFiles)) +
                             "  ";
    const std::string tail =
        "  " +
        terminalText(state.readingBack()
                         ? FendryCli::tr("Verifying")
                         : FendryCli::tr("Pass %1/%2")
                               .arg(state.currentPass + 1)
                               .arg(state.passesPerFile)) +
        "  " + terminalText(FendryCli::tr("%1%").arg(percent)) + "  " +
        terminalText(FendryCli::tr("Time remaining:")) + " " +
        (state.estimatedTimeRemaining ? formatTime(*state.estimatedTimeRemaining)
                                      : terminalText(FendryCli::tr("Calculating...")));
    const std::size_t width = terminalWidth(terminal_) - 1;
    const std::size_t fixed = head.size() + tail.size();
    const std::string line = fixed < width ? head + cutAtHead(name, width - fixed) + tail
                                           : (head + tail).substr(0, width);
    std::fprintf(terminal_, "\r%s\033[K", line.c_str());
    std::fflush(terminal_);
}

void ProgressLine::clear() {
    if (drawn_) {
        std::fprintf(terminal_, "\r\033[K");
        std::fflush(terminal_);
        drawn_ = false;
    }
}

}  // namespace fendry
