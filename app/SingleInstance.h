#pragma once

#include <QLocalServer>
#include <QObject>
#include <filesystem>
#include <vector>

// One running application per user: a later launch hands its items to the running one over a
// local socket and leaves.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    using Items = std::vector<std::filesystem::path>;

    // The socket's path: in the user's runtime folder, or a per-user name in the temp folder.
    static QString defaultServerName();

    enum class HandOver { Taken, NoInstance, Failed };
    // Gives `items` to the running instance and waits until it has taken them.
    static HandOver handOver(const QString& serverName, const Items& items);

    explicit SingleInstance(QObject* parent = nullptr);

    // Starts taking launches; a socket left behind by an instance that is gone is replaced.
    bool listen(const QString& serverName);

signals:
    // Another launch, with its items (possibly none), in the order given.
    void launched(const SingleInstance::Items& items);

private:
    void takeConnection();

    QLocalServer server_;
};
