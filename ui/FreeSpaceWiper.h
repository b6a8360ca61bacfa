#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QStringList>
#include <QUrl>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "EraseRun.h"
#include "FreeSpaceWipe.h"
#include "StorageProbe.h"

namespace fendry {

// What looks at a folder and what wipes; tests stand in for the real ones.
struct WipeEngine {
    std::function<std::variant<FreeSpaceTarget, WipeRefusal>(const std::filesystem::path&)>
        inspect = inspectFreeSpace;
    std::function<WipeResult(const FreeSpaceTarget&, const WipeContext&)> wipe = wipeFreeSpace;
};

// The state behind "Wipe Free Space…": the folder chosen, the alert that says what a wipe
// there will and will not reach, the wipe under way and its summary. The wipe runs as one work
// item away from the main thread and reaches the screen only through updates queued onto it.
class FreeSpaceWiper : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The application creates the one wiper.")

    Q_PROPERTY(State state READ state NOTIFY stateChanged)
    Q_PROPERTY(QUrl startFolder READ startFolder CONSTANT)

    Q_PROPERTY(QString fileSystem READ fileSystem NOTIFY stateChanged)
    Q_PROPERTY(QString amount READ amount NOTIFY stateChanged)
    Q_PROPERTY(QString duration READ duration NOTIFY stateChanged)
    Q_PROPERTY(QString fullDisk READ fullDisk CONSTANT)
    Q_PROPERTY(QString reserve READ reserve NOTIFY stateChanged)
    Q_PROPERTY(QString caution READ caution NOTIFY stateChanged)
    Q_PROPERTY(QString refusal READ refusal NOTIFY stateChanged)
    Q_PROPERTY(QString folder READ folder NOTIFY stateChanged)

    Q_PROPERTY(double progress READ progress NOTIFY progressChanged)
    Q_PROPERTY(int step READ step NOTIFY progressChanged)
    Q_PROPERTY(int stepCount READ stepCount CONSTANT)
    Q_PROPERTY(QString stepText READ stepText NOTIFY progressChanged)
    Q_PROPERTY(QString writtenText READ writtenText NOTIFY progressChanged)
    Q_PROPERTY(bool hasEstimate READ hasEstimate NOTIFY progressChanged)
    Q_PROPERTY(QString estimateText READ estimateText NOTIFY progressChanged)

    Q_PROPERTY(QString title READ title NOTIFY stateChanged)
    Q_PROPERTY(QStringList doneLines READ doneLines NOTIFY stateChanged)
    Q_PROPERTY(QStringList notReachedLines READ notReachedLines NOTIFY stateChanged)

public:
    enum class State {
        Idle,
        Inspecting,  // looking at the folder chosen
        Confirming,  // the alert asks
        Refused,     // the alert says why not
        Wiping,
        Finished,  // the summary is on screen
    };
    Q_ENUM(State)

    // `otherWorkBusy` tells whether an erase is under way, which a wipe must not start beside.
    FreeSpaceWiper(RunEnvironment environment, std::function<bool()> otherWorkBusy,
                   std::shared_ptr<const StorageProbe> probe = nullptr, WipeEngine engine = {},
                   QObject* parent = nullptr);

    State state() const { return state_; }
    // Where the folder picker opens: the user's home folder.
    QUrl startFolder() const;
    // Whether a wipe is asked about, under way or on screen: no erase may start meanwhile.
    bool isActive() const { return state_ != State::Idle; }

    QString fileSystem() const;
    QString amount() const;
    QString duration() const;
    QString fullDisk() const;
    QString reserve() const;
    QString caution() const { return caution_; }
    QString refusal() const { return refusal_; }
    // The folder chosen, as the screen shows a path.
    QString folder() const { return folder_; }

    double progress() const;
    int step() const { return static_cast<int>(progress_.step) + 1; }
    int stepCount() const { return 3; }
    QString stepText() const;
    QString writtenText() const;
    bool hasEstimate() const { return estimate_.has_value(); }
    QString estimateText() const;

    QString title() const;
    QStringList doneLines() const;
    QStringList notReachedLines() const;

    // Looks at the file system under the folder a folder picker gave, then asks or refuses.
    Q_INVOKABLE void inspect(const QUrl& folder);
    // "Wipe now".
    Q_INVOKABLE void start();
    // Closes the alert without wiping.
    Q_INVOKABLE void cancel();
    // Back from the summary.
    Q_INVOKABLE void finish();
    // Stops a wipe under way before its next chunk, for an application that is quitting; what
    // it made is let go.
    void stop();

signals:
    void stateChanged();
    void progressChanged();

private:
    void setState(State state);
    void showProgress(const WipeProgress& progress);

    RunEnvironment environment_;
    std::function<bool()> otherWorkBusy_;
    std::shared_ptr<const StorageProbe> probe_;
    WipeEngine engine_;
    State state_ = State::Idle;
    std::optional<FreeSpaceTarget> target_;
    std::optional<bool> rotational_;
    QString caution_;
    QString refusal_;
    QString folder_;
    WipeProgress progress_;
    std::optional<RunClock::time_point> fillStart_;
    std::optional<double> estimate_;
    std::optional<WipeResult> result_;
    std::shared_ptr<std::atomic<bool>> stopRequested_;
};

}  // namespace fendry
