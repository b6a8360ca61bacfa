#pragma once

#include <QLocalServer>
#include <QObject>
#include <chrono>
#include <filesystem>
#include <vector>

class QLocalSocket;

namespace fendry {

// One running application per user: a later launch hands its items to the running one over a
// local socket and leaves. The socket lives in a folder only this user can enter, and a launch
// hands its items only to a socket of its own user. The running one takes the items in only
// once the launch, told that they arrived, answers that it is still there: a launch that gave
// up waiting and told its user to try again never has them taken in later.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    using Items = std::vector<std::filesystem::path>;

    // What one launch may send. A path can be no longer on Linux. A launch carries what a
    // file manager's selection or a shell's wildcard put on its command line, at most a few
    // thousand paths (a command line holds 2 MiB in all); anything more is refused whole, so
    // that no message can make the window hold or take in more.
    static constexpr qsizetype kMaxPathBytes = 4096;
    static constexpr std::size_t kMaxItems = 4096;
    static constexpr qint64 kMaxMessageBytes = 1024 * 1024;
    // A launch delivers its items at once, and answers at once; one that does not is dropped
    // after this long.
    static constexpr std::chrono::milliseconds kConnectionDeadline{3000};
    // How long a launch waits for each step of the running one.
    static constexpr std::chrono::milliseconds kHandOverTimeout{5000};

    // The socket's path in privateFolder() of the user's runtime folder and the temporary
    // folder; empty when no private folder can be had.
    static QString defaultServerName();
    // A folder only this user can enter: `runtime` when it is a real folder owned by the user
    // with mode 0700, otherwise a folder of our own under `temp`, made with an unguessable name
    // and found again among those named for the user by its owner and mode. Empty when none.
    static QString privateFolder(const QString& runtime, const QString& temp);

    // Held while a launch decides whether it is the one that runs: it hands its items over or
    // starts listening before the next launch may look, so that two launches at once leave one
    // window. Qt's server binds a fresh socket and renames it over the path, so listening
    // alone never finds the address in use. A file beside the socket; nothing is held without
    // a private folder.
    class LaunchLock final {
    public:
        explicit LaunchLock(const QString& serverName);
        ~LaunchLock();
        LaunchLock(const LaunchLock&) = delete;
        LaunchLock& operator=(const LaunchLock&) = delete;

    private:
        int fd_ = -1;
    };

    enum class HandOver { Taken, NoInstance, Refused, Failed, TooMany };
    // Gives `items` to the running instance and waits until it has them. Refused: the socket
    // belongs to another user, who is told nothing. TooMany: more than one launch may carry;
    // nothing was sent. Failed: the running one did not answer in time, and will not take them.
    static HandOver handOver(const QString& serverName, const Items& items,
                             std::chrono::milliseconds timeout = kHandOverTimeout);

    explicit SingleInstance(std::chrono::milliseconds connectionDeadline = kConnectionDeadline,
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // Starts taking launches; a socket left behind by an instance that is gone is replaced.
    bool listen(const QString& serverName);

signals:
    // Another launch, with its items (possibly none), in the order given.
    void launched(const SingleInstance::Items& items);

private:
    struct Launch;
    void takeConnections();
    void read(QLocalSocket* socket, Launch& launch);

    QLocalServer server_;
    std::chrono::milliseconds connectionDeadline_;
    int connections_ = 0;
};

}  // namespace fendry
