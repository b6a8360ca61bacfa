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
// hands its items only to a socket of its own user.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    using Items = std::vector<std::filesystem::path>;

    // What one launch may send: a path can be no longer on Linux, and the whole message is
    // capped so that no launch can make the running one hold more.
    static constexpr qsizetype kMaxPathBytes = 4096;
    static constexpr qint64 kMaxMessageBytes = 64 * 1024 * 1024;
    // A launch delivers its items at once; one that does not is dropped after this long.
    static constexpr std::chrono::milliseconds kConnectionDeadline{3000};

    // The socket's path in privateFolder() of the user's runtime folder and the temporary
    // folder; empty when no private folder can be had.
    static QString defaultServerName();
    // A folder only this user can enter: `runtime` when it is a real folder owned by the user
    // with mode 0700, otherwise a folder of our own under `temp`, made with an unguessable name
    // and found again among those named for the user by its owner and mode. Empty when none.
    static QString privateFolder(const QString& runtime, const QString& temp);

    enum class HandOver { Taken, NoInstance, Refused, Failed };
    // Gives `items` to the running instance and waits until it has taken them. Refused: the
    // socket belongs to another user, who is told nothing.
    static HandOver handOver(const QString& serverName, const Items& items);

    explicit SingleInstance(std::chrono::milliseconds connectionDeadline = kConnectionDeadline,
                            QObject* parent = nullptr);
    ~SingleInstance() override;

    // Starts taking launches; a socket left behind by an instance that is gone is replaced.
    bool listen(const QString& serverName);

signals:
    // Another launch, with its items (possibly none), in the order given.
    void launched(const SingleInstance::Items& items);

private:
    void takeConnections();
    void read(QLocalSocket* socket);

    QLocalServer server_;
    std::chrono::milliseconds connectionDeadline_;
    int connections_ = 0;
};

}  // namespace fendry
