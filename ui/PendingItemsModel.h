#pragma once

#include <QtQml/qqmlregistration.h>
#include <QAbstractListModel>
#include <QFileSystemWatcher>
#include <QSet>
#include <QThreadPool>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "EraseRun.h"
#include "PendingItems.h"
#include "StorageProbe.h"

namespace fendry {

// The pending list as the screen sees it: one row per entry, in order, with what each folder
// holds and what storage each entry lives on. Those facts are fetched away from the main thread,
// since walking a large folder takes longer than the screen may stand still; a folder's count is
// fetched when it comes in, when the screen asks, and when the folder changes.
class PendingItemsModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The application owns the one pending list.")
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
    Q_PROPERTY(qint64 totalFiles READ totalFiles NOTIFY totalsChanged)
    Q_PROPERTY(bool totalKnown READ totalKnown NOTIFY totalsChanged)
    Q_PROPERTY(bool isRefreshing READ isRefreshing NOTIFY isRefreshingChanged)

public:
    enum Role {
        KeyRole = Qt::UserRole + 1,
        NameRole,
        PathRole,
        IsFolderRole,
        ItemCountRole,
        CountedRole,
        LinkTargetRole
    };
    enum Fact : unsigned { Counts = 1, Storage = 2 };
    using Executor = std::function<void(Task)>;

    // `inBackground` runs the fetching, one task after another; by default a thread of the
    // model's own, which the model waits for when it goes.
    explicit PendingItemsModel(Executor inBackground = {},
                               std::shared_ptr<const StorageProbe> probe = nullptr,
                               QObject* parent = nullptr);
    ~PendingItemsModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The list itself, which a run copies when it starts.
    const PendingList& entries() const { return entries_; }

    // The intake rule: appends the entry unless it is refused or pending already.
    Intake add(const std::filesystem::path& received);
    // Appends an item chosen earlier, as it was chosen, unless it is pending already.
    Intake add(PendingItem item);
    // Removes the first entry equal to `entry`; returns whether there was one.
    bool remove(const std::filesystem::path& entry);
    void clear();

    // The header row's figure: the files all entries stand for, as far as they are counted.
    qint64 totalFiles() const;
    bool totalKnown() const;
    // Facts asked for have not all arrived yet.
    bool isRefreshing() const { return running_ || !requested_.empty(); }
    // Fetches the facts again for every entry (storage: only `Storage` asks for it).
    void refresh(unsigned facts);
    // While on, a pending folder that changes is counted again, a moment after it settles.
    void setWatching(bool watching);
    // What overwriting cannot reach on the storage of the entries looked at so far.
    std::vector<StorageCaution> cautions() const;
    // How the model looks at storage; a report of a run looks the same way.
    const StorageProbe& storageProbe() const { return *probe_; }

    Q_INVOKABLE QString keyAt(int row) const;
    int indexOf(const std::filesystem::path& entry) const;

signals:
    void countChanged();
    void totalsChanged();
    void isRefreshingChanged();

private:
    struct Row {
        std::uint64_t id = 0;
        std::optional<std::int64_t> fileCount;
        QString linkTarget;  // empty unless the entry is a symbolic link
        std::vector<StorageCaution> cautions;
    };
    struct Fetched {
        std::uint64_t id = 0;
        std::optional<std::int64_t> fileCount;
        std::optional<std::vector<StorageCaution>> cautions;
    };

    void request(const std::map<std::uint64_t, unsigned>& facts);
    void startFetching();
    void apply(const std::vector<Fetched>& fetched);
    void countChangedFolders();
    void refreshingMayHaveChanged(bool wasRefreshing);

    PendingList entries_;
    std::vector<Row> rows_;  // beside the entries, one for one
    std::uint64_t nextId_ = 1;
    std::map<std::uint64_t, unsigned> requested_;  // by row id: for the next fetch
    bool running_ = false;
    std::shared_ptr<const StorageProbe> probe_;
    QFileSystemWatcher watcher_;
    QSet<QString> changedFolders_;
    QTimer settle_;
    bool watching_ = false;
    Executor inBackground_;
    std::unique_ptr<QThreadPool> ownThread_;
    std::shared_ptr<std::atomic<bool>> stopping_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace fendry
