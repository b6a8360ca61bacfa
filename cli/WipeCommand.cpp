#include "WipeCommand.h"

#include <signal.h>
#include <unistd.h>

#include <QFile>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

#include "CliText.h"
#include "EngineTexts.h"
#include "Format.h"
#include "FreeSpaceWipe.h"
#include "StorageProbe.h"
#include "Summary.h"
#include "WipeTexts.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitNotAllReached = 1;
constexpr int kExitRefused = 2;
constexpr int kExitSignalBase = 128;
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
// Until this much has been written, the pace is too young to tell the time left.
constexpr std::int64_t kPaceAfter = 64 * 1'048'576;

volatile std::sig_atomic_t stopSignal = 0;

void onStopSignal(int signal) {
    stopSignal = signal;
}

// Ctrl+C, a terminal closing or a polite kill stop the wipe before its next chunk; what it made
// is let go, so the space comes back.
void stopOnSignals() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    ::sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        ::sigaction(signal, &action, nullptr);
    }
}

void say(std::FILE* to, const QString& text) {
    std::fprintf(to, "%s\n", qUtf8Printable(text));
}

QString storageCaution(const fendry::FreeSpaceTarget& target) {
    const auto facts = fendry::StorageProbe().factsOf(target.folder);
    return facts ? engine_texts::cautionSentence(fendry::cautionsFor(*facts),
                                           fendry::CautionFor::WipingFreeSpace)
                 : QString();
}

// Asks on the terminal; only an explicit yes, in English or the user's language, wipes.
bool confirmed(const fendry::FreeSpaceTarget& target) {
    const auto facts = fendry::StorageProbe().factsOf(target.folder);
    QStringList lines{FendryCli::tr("Wipe the free space of %1?")
                          .arg(QString::fromStdString(
                              fendry::printable(wipe_texts::fileSystemText(target).toStdString()))),
                      wipe_texts::amountText(target),
                      wipe_texts::durationText(fendry::fillTimeRange(
                          target.freeBytes, facts ? facts->rotational : std::nullopt)),
                      wipe_texts::fullDiskText()};
    for (const QString& line : {wipe_texts::reserveText(target), storageCaution(target)}) {
        if (!line.isEmpty()) {
            lines << line;
        }
    }
    std::fputs(qUtf8Printable(lines.join(QLatin1Char('\n')) + QLatin1Char('\n') +
                              FendryCli::tr("Wipe now? [y/N] ")),
               stderr);
    std::fflush(stderr);
    return answeredYes();
}

// The wipe's one line on the terminal, redrawn in place.
class WipeLine {
public:
    void show(const fendry::WipeProgress& progress) {
        const auto now = std::chrono::steady_clock::now();
        if (drawn_ && now - lastDrawn_ < kRedrawInterval && progress.step == lastStep_) {
            return;
        }
        lastDrawn_ = now;
        lastStep_ = progress.step;
        drawn_ = true;
        const int percent = progress.planned > 0
                                ? static_cast<int>(std::min<std::int64_t>(
                                      progress.written * 100 / progress.planned, 99))
                                : 0;
        QString line = wipe_texts::stepText(progress.step);
        if (progress.step == fendry::WipeProgress::Step::Fill) {
            const double seconds = std::chrono::duration<double>(now - start_).count();
            const bool paced = progress.written >= kPaceAfter && seconds > 0;
            const double left = paced ? static_cast<double>(std::max<std::int64_t>(
                                            progress.planned - progress.written, 0)) *
                                            seconds / static_cast<double>(progress.written)
                                      : 0;
            line += QStringLiteral("  ") + wipe_texts::writtenOfText(progress) +
                    QStringLiteral("  ") + FendryCli::tr("%1%").arg(percent) +
                    QStringLiteral("  ") + FendryCli::tr("Time remaining:") + QLatin1Char(' ') +
                    (paced ? QString::fromStdString(fendry::formatTime(left))
                           : FendryCli::tr("Calculating..."));
        } else {
            line += QStringLiteral("  ") +
                    FendryCli::tr("%1%").arg(static_cast<int>(progress.stepDone * 100));
        }
        std::fprintf(stderr, "\r%s\033[K", qUtf8Printable(line));
        std::fflush(stderr);
    }
    void clear() {
        if (drawn_) {
            std::fprintf(stderr, "\r\033[K");
            std::fflush(stderr);
        }
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point lastDrawn_{};
    fendry::WipeProgress::Step lastStep_ = fendry::WipeProgress::Step::Fill;
    bool drawn_ = false;
};

}  // namespace

int wipeFreeSpaceCommand(const QString& path, bool yes, bool quiet) {
    const std::string bytes = QFile::encodeName(path).toStdString();
    auto inspected = fendry::inspectFreeSpace(bytes);
    if (const auto* refusal = std::get_if<fendry::WipeRefusal>(&inspected)) {
        std::fprintf(stderr, "fendry-cli: %s\n",
                     qUtf8Printable(FendryCli::tr("refusing to wipe the free space under '%1': "
                                                  "%2; nothing was written.")
                                        .arg(QString::fromStdString(fendry::printable(bytes)),
                                             wipe_texts::refusalText(*refusal))));
        return kExitRefused;
    }
    const auto& target = std::get<fendry::FreeSpaceTarget>(inspected);
    if (!yes) {
        if (::isatty(STDIN_FILENO) == 0) {
            say(stderr, QStringLiteral("fendry-cli: ") +
                            FendryCli::tr("nothing was written: there is no terminal to ask for "
                                          "confirmation on; pass --yes to wipe without asking."));
            return kExitRefused;
        }
        if (!confirmed(target)) {
            say(stderr, FendryCli::tr("Nothing was written."));
            return kExitRefused;
        }
    }

    stopOnSignals();
    const bool showProgress = !quiet && ::isatty(STDERR_FILENO) != 0;
    WipeLine line;
    fendry::WipeContext context;
    context.keepGoing = [] { return stopSignal == 0; };
    if (showProgress) {
        context.progress = [&line](const fendry::WipeProgress& progress) { line.show(progress); };
    }
    const fendry::WipeResult result = fendry::wipeFreeSpace(target, context);
    line.clear();

    const QStringList notReached = wipe_texts::notReachedLines(result);
    QStringList lines;
    if (!quiet) {
        lines << wipe_texts::titleText(result) << wipe_texts::doneLines(result);
    }
    for (const QString& missed : notReached) {
        lines << QStringLiteral("  ") + missed;
    }
    if (!lines.isEmpty()) {
        std::fputs(qUtf8Printable(lines.join(QLatin1Char('\n')) + QLatin1Char('\n')), stdout);
    }
    if (result.stopped) {
        return kExitSignalBase + (stopSignal != 0 ? stopSignal : SIGINT);
    }
    return notReached.isEmpty() ? kExitDone : kExitNotAllReached;
}
