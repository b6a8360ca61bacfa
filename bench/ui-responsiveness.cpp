// fendry-ui-bench: how long the real window's main thread goes unserved while a folder is
// erased (with Stealth unless told otherwise), or, with --add, while a folder is taken into the
// list and counted. A 5 ms timer on the main thread and the window's frame swaps record every gap
// from the start of the run until the summary is on screen (from the intake until the count has
// arrived). It reports; it judges nothing.
//
// Usage: fendry-ui-bench [--add] [--method quick|safe|stealth] FOLDER
//   (bench/ui-responsiveness.sh prepares the folder and display)
// Without --add the folder is erased. Choosing the method saves it to the settings, so point
// XDG_CONFIG_HOME somewhere disposable.

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QtQml/qqmlextensionplugin.h>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

#include "AppDelegate.h"
#include "ShredMethod.h"

Q_IMPORT_QML_PLUGIN(Fendry_UiPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_AppPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_NewsletterPlugin)

using namespace fendry;
namespace {

constexpr int kTickMs = 5;
// Long enough for the intake animations to be running and the first frames to be out.
constexpr int kSettleMs = 1000;
// The switch to the summary happens after completion; keep watching while it fades in.
constexpr int kTailMs = 500;
constexpr double kStallMs = 100.0;

double toMs(qint64 ns) {
    return static_cast<double>(ns) / 1e6;
}

// The calling thread's time on a CPU and time runnable but waiting for one, from the
// scheduler. A gap is then computing, waiting for a CPU, or blocked (on a lock, the render
// thread, a system call): the remainder.
class SchedClock {
public:
    SchedClock() : fd_(::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC)) {}
    ~SchedClock() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    SchedClock(const SchedClock&) = delete;
    SchedClock& operator=(const SchedClock&) = delete;

    struct Sample {
        qint64 runNs = 0;
        qint64 waitNs = 0;
    };
    Sample sample() const {
        char text[128] = {};
        long long run = 0;
        long long wait = 0;
        if (fd_ >= 0 && ::pread(fd_, text, sizeof text - 1, 0) > 0) {
            std::sscanf(text, "%lld %lld", &run, &wait);
        }
        return {run, wait};
    }

private:
    int fd_;
};

// A gap between two consecutive events, and when it began (ms from the start of the run).
struct Gap {
    double startMs = 0;
    double ms = 0;
    double cpuMs = 0;      // main thread on a CPU within the gap; ticks only
    double waitCpuMs = 0;  // main thread runnable but not running; ticks only
};

// One frame on the render thread, from the start of rendering to the swap, and how much of it
// the render thread spent on a CPU and waiting for one.
struct Frame {
    qint64 renderNs = 0;
    qint64 swappedNs = 0;
    SchedClock::Sample atRender;
    SchedClock::Sample atSwap;

    double ms() const { return toMs(swappedNs - renderNs); }
    double cpuMs() const { return toMs(atSwap.runNs - atRender.runNs); }
    double waitCpuMs() const { return toMs(atSwap.waitNs - atRender.waitNs); }
};

double percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(p * static_cast<double>(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

std::vector<Gap> gapsOf(const std::vector<qint64>& times, qint64 originNs,
                        const std::vector<SchedClock::Sample>& sched = {}) {
    std::vector<Gap> gaps;
    for (std::size_t i = 1; i < times.size(); ++i) {
        Gap gap{toMs(times[i - 1] - originNs), toMs(times[i] - times[i - 1])};
        if (!sched.empty()) {
            gap.cpuMs = toMs(sched[i].runNs - sched[i - 1].runNs);
            gap.waitCpuMs = toMs(sched[i].waitNs - sched[i - 1].waitNs);
        }
        gaps.push_back(gap);
    }
    return gaps;
}

std::vector<double> lengthsOf(const std::vector<Gap>& gaps) {
    std::vector<double> lengths;
    lengths.reserve(gaps.size());
    for (const Gap& gap : gaps) {
        lengths.push_back(gap.ms);
    }
    return lengths;
}

void row(const char* label, const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    std::printf("%-40s %s\n", label, text);
}

double peakRssMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // Linux reports KiB
}

}  // namespace

int main(int argc, char* argv[]) {
    // The same names as the application, so the settings land where its settings would.
    QGuiApplication::setApplicationName(QStringLiteral("Fendry"));
    QGuiApplication::setOrganizationName(QStringLiteral("morvel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("co.morvel.Fendry"));
    QGuiApplication application(argc, argv);

    const QStringList arguments = QGuiApplication::arguments();
    bool addOnly = false;
    int methodRow = 2;  // Stealth: the most updates
    bool usable = arguments.size() >= 2;
    for (int i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--add")) {
            addOnly = true;
        } else if (arguments[i] == QLatin1String("--method") && i + 2 < arguments.size()) {
            const QString name = arguments[++i];
            methodRow = -1;
            for (std::size_t row = 0; row < fendry::allMethods().size(); ++row) {
                if (name.compare(QString::fromStdString(fendry::allMethods()[row].name),
                                 Qt::CaseInsensitive) == 0) {
                    methodRow = static_cast<int>(row);
                }
            }
        } else {
            usable = false;
        }
    }
    if (!usable || methodRow < 0) {
        std::fputs("usage: fendry-ui-bench [--add] [--method quick|safe|stealth] FOLDER\n", stderr);
        return 2;
    }
    const std::filesystem::path folder = argv[argc - 1];
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        std::fprintf(stderr, "fendry-ui-bench: %s is not a folder\n", folder.c_str());
        return 2;
    }

    // Declared before the window so that they outlive it: the render thread writes to them
    // until the window is gone.
    QElapsedTimer clock;
    clock.start();
    std::mutex frameMutex;
    std::vector<qint64> frameTimes;
    std::vector<Frame> renderedFrames;
    std::unique_ptr<SchedClock> renderSched;  // render thread only
    Frame current;                            // render thread only
    std::atomic<bool> recordFrames = false;
    std::atomic<bool> framesOffMainThread = false;
    std::atomic<bool> firstFrame = false;

    AppDelegate delegate;
    QQmlApplicationEngine engine;
    QQuickWindow* window = delegate.showMainWindow(engine);
    if (window == nullptr) {
        std::fputs("fendry-ui-bench: the main window could not be built\n", stderr);
        return 1;
    }

    MainScreen* screen = delegate.screen();
    PendingItemsModel& files = delegate.files();

    // Outside the run, but a stall too if intake ever waits for the count.
    double addMs = 0;
    const auto addFolder = [&] {
        const qint64 addStart = clock.nsecsElapsed();
        screen->takeIn({folder});
        addMs = toMs(clock.nsecsElapsed() - addStart);
        return files.rowCount() == 1;
    };
    if (!addOnly && !addFolder()) {
        std::fputs("fendry-ui-bench: the folder was not taken into the list\n", stderr);
        return 1;
    }
    screen->setSelectedMethodIndex(methodRow);

    // Frames are rendered and swapped on the render thread when there is one. In the threaded
    // loop the main thread waits for it at every sync, so a slow frame stalls the main thread.
    QObject::connect(
        window, &QQuickWindow::beforeRendering, window,
        [&] {
            if (!renderSched) {
                renderSched = std::make_unique<SchedClock>();
            }
            current.renderNs = clock.nsecsElapsed();
            current.atRender = renderSched->sample();
        },
        Qt::DirectConnection);
    QObject::connect(
        window, &QQuickWindow::frameSwapped, window,
        [&] {
            const qint64 now = clock.nsecsElapsed();
            firstFrame = true;
            if (QThread::currentThread() != application.thread()) {
                framesOffMainThread = true;
            }
            if (recordFrames) {
                current.swappedNs = now;
                current.atSwap = renderSched ? renderSched->sample() : current.atRender;
                const std::lock_guard lock(frameMutex);
                frameTimes.push_back(now);
                renderedFrames.push_back(current);
            }
        },
        Qt::DirectConnection);

    const SchedClock schedClock;  // opened here, on the main thread, for the main thread
    std::vector<qint64> tickTimes;
    std::vector<SchedClock::Sample> tickSched;
    bool recordTicks = false;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(kTickMs);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (recordTicks) {
            tickTimes.push_back(clock.nsecsElapsed());
            tickSched.push_back(schedClock.sample());
        }
    });
    probe.start();

    qint64 runStart = 0;
    qint64 startReturned = 0;
    qint64 runEnd = 0;
    qint64 totalFiles = 0;
    long updates = 0;
    bool started = false;
    bool finished = false;

    const auto report = [&] {
        recordTicks = false;
        recordFrames = false;
        probe.stop();
        const qint64 tailEnd = clock.nsecsElapsed();

        // The tick before the start closes the gap that the start opens.
        const std::vector<Gap> ticks = gapsOf(tickTimes, runStart, tickSched);
        std::vector<Gap> frames;
        std::vector<Frame> rendered;
        {
            const std::lock_guard lock(frameMutex);
            frames = gapsOf(frameTimes, runStart);
            rendered = renderedFrames;
        }
        const std::vector<double> tickLengths = lengthsOf(ticks);
        const std::vector<double> frameLengths = lengthsOf(frames);
        const double startBlockMs = toMs(startReturned - runStart);
        double largestAfterStart = 0;
        for (const Gap& gap : ticks) {
            if (gap.startMs >= startBlockMs) {
                largestAfterStart = std::max(largestAfterStart, gap.ms);
            }
        }
        const auto over = std::count_if(tickLengths.begin(), tickLengths.end(),
                                        [](double ms) { return ms > kStallMs; });
        double waitCpuMs = 0;
        for (const Gap& gap : ticks) {
            waitCpuMs += gap.waitCpuMs;
        }
        double slowestRenderMs = 0;
        for (const Frame& frame : rendered) {
            slowestRenderMs = std::max(slowestRenderMs, frame.ms());
        }

        std::printf("folder: %s\n", folder.c_str());
        if (addOnly) {
            std::printf(
                "intake: the folder taken in as from a launch, and counted; frames swapped "
                "on the %s thread\n",
                framesOffMainThread ? "render" : "main");
            std::printf(
                "probe: a %d ms timer and every frame swap, from the intake until %d ms "
                "after the count arrived\n",
                kTickMs, kTailMs);
            row("files counted", "%.0f", static_cast<double>(files.totalFiles()));
            row("adding the folder blocked (ms)", "%.1f", addMs);
            row("count arrived after (s)", "%.2f", toMs(runEnd - runStart) / 1000.0);
        } else {
            std::printf("method: %s, %lld passes per file; frames swapped on the %s thread\n",
                        qPrintable(screen->methodNames().value(screen->selectedMethodIndex())),
                        static_cast<long long>(screen->selectedMethodPasses()),
                        framesOffMainThread ? "render" : "main");
            std::printf(
                "probe: a %d ms timer and every frame swap, from startShredding() until "
                "%d ms after completion\n",
                kTickMs, kTailMs);
            row("files", "%.0f", static_cast<double>(totalFiles));
            row("erased files", "%.0f", static_cast<double>(screen->erasedFileCount()));
            row("failed files", "%.0f", static_cast<double>(screen->failedCount()));
            row("run time (s)", "%.2f", toMs(runEnd - runStart) / 1000.0);
            row("adding the folder blocked (ms)", "%.1f", addMs);
            row("startShredding() blocked (ms)", "%.1f", startBlockMs);
        }
        row("largest tick gap (ms)", "%.1f",
            tickLengths.empty() ? 0 : *std::max_element(tickLengths.begin(), tickLengths.end()));
        row("largest tick gap after the start (ms)", "%.1f", largestAfterStart);
        row("99th percentile tick gap (ms)", "%.1f", percentile(tickLengths, 0.99));
        row("tick gaps over 100 ms", "%.0f", static_cast<double>(over));
        row("ticks", "%.0f", static_cast<double>(ticks.size()));
        row("largest frame interval (ms)", "%.1f",
            frameLengths.empty() ? 0 : *std::max_element(frameLengths.begin(), frameLengths.end()));
        row("99th percentile frame interval (ms)", "%.1f", percentile(frameLengths, 0.99));
        row("frames", "%.0f", static_cast<double>(frames.size()));
        row("slowest frame, render to swap (ms)", "%.1f", slowestRenderMs);
        row("main thread waiting for a CPU (ms)", "%.0f", waitCpuMs);
        if (!addOnly) {
            row("progress updates", "%.0f", static_cast<double>(updates));
        }
        row("peak RSS (MiB)", "%.1f", peakRssMiB());

        // Where the worst gaps fall tells a slow start from a slow update or the summary.
        std::vector<Gap> worst = ticks;
        std::sort(worst.begin(), worst.end(),
                  [](const Gap& a, const Gap& b) { return a.ms > b.ms; });
        worst.resize(std::min<std::size_t>(worst.size(), 5));
        // A gap is the main thread computing, waiting for a CPU, or blocked; blocked beside a
        // slow frame means it waited for the render thread.
        std::printf(
            "largest tick gaps, in ms: main thread = computing + waiting for a CPU + "
            "blocked; slowest frame meanwhile = render thread computing + waiting for a "
            "CPU + blocked\n");
        for (const Gap& gap : worst) {
            const qint64 from = runStart + static_cast<qint64>(gap.startMs * 1e6);
            const qint64 to = from + static_cast<qint64>(gap.ms * 1e6);
            const Frame* slowest = nullptr;
            for (const Frame& frame : rendered) {
                if (frame.renderNs < to && frame.swappedNs > from &&
                    (slowest == nullptr || frame.ms() > slowest->ms())) {
                    slowest = &frame;
                }
            }
            std::printf("  at %7.3f s: %6.1f = %6.1f + %6.1f + %6.1f", gap.startMs / 1000.0, gap.ms,
                        gap.cpuMs, gap.waitCpuMs,
                        std::max(0.0, gap.ms - gap.cpuMs - gap.waitCpuMs));
            if (slowest != nullptr) {
                std::printf("; frame %6.1f = %6.1f + %6.1f + %6.1f", slowest->ms(),
                            slowest->cpuMs(), slowest->waitCpuMs(),
                            std::max(0.0, slowest->ms() - slowest->cpuMs() - slowest->waitCpuMs()));
            }
            std::printf("\n");
        }
        std::printf("%s at %.3f s, watched until %.3f s\n", addOnly ? "count arrived" : "run ended",
                    toMs(runEnd - runStart) / 1000.0, toMs(tailEnd - runStart) / 1000.0);
        std::fflush(stdout);
        QGuiApplication::exit(0);
    };

    QObject::connect(&files, &PendingItemsModel::totalsChanged, [&] {
        if (!addOnly || !started || finished || files.rowCount() != 1 || !files.totalKnown()) {
            return;
        }
        finished = true;
        runEnd = clock.nsecsElapsed();
        QTimer::singleShot(kTailMs, report);
    });

    QObject::connect(screen, &MainScreen::runChanged, [&] {
        if (addOnly || !started || finished) {
            return;
        }
        ++updates;
        totalFiles = screen->totalFiles();  // known once the background work has listed them
        if (screen->showCompletionAnimation()) {
            finished = true;
            runEnd = clock.nsecsElapsed();
            QTimer::singleShot(kTailMs, report);
        }
    });

    const auto start = [&] {
        recordFrames = true;
        recordTicks = true;
        started = true;
        runStart = clock.nsecsElapsed();
        tickTimes.push_back(runStart);
        tickSched.push_back(schedClock.sample());
        {
            const std::lock_guard lock(frameMutex);
            frameTimes.push_back(runStart);
        }
        if (!addOnly) {
            screen->startShredding();
        } else if (!addFolder()) {
            std::fputs("fendry-ui-bench: the folder was not taken into the list\n", stderr);
            QGuiApplication::exit(1);
        }
        startReturned = clock.nsecsElapsed();
    };

    // Settle from the first frame on, so the window is really up before the run.
    QTimer waitForFrame;
    QObject::connect(&waitForFrame, &QTimer::timeout, [&] {
        if (firstFrame) {
            waitForFrame.stop();
            QTimer::singleShot(kSettleMs, start);
        }
    });
    waitForFrame.start(10);

    return QGuiApplication::exec();
}
