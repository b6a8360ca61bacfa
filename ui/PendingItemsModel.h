#pragma once

#include <QtQml/qqmlregistration.h>
#include <QAbstractListModel>
#include <cstdint>
#include <vector>

#include "PendingItems.h"

// The pending list as the screen sees it: one row per entry, in order, with each folder's file
// count taken when the entry came in.
class PendingItemsModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The application owns the one pending list.")
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
    Q_PROPERTY(qint64 totalFiles READ totalFiles NOTIFY countChanged)

public:
    enum Role { KeyRole = Qt::UserRole + 1, NameRole, IsFolderRole, ItemCountRole };

    explicit PendingItemsModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The list itself, which a run copies when it starts.
    const fendry::PendingList& entries() const { return entries_; }

    // The intake rule; returns whether the entry was appended (not when it is refused).
    bool add(const std::filesystem::path& received);
    // Removes the first entry equal to `entry`; returns whether there was one.
    bool remove(const std::filesystem::path& entry);
    void clear();

    // The header row's figure: the files all entries stand for.
    qint64 totalFiles() const;
    Q_INVOKABLE QString keyAt(int row) const;
    int indexOf(const std::filesystem::path& entry) const;

signals:
    void countChanged();

private:
    fendry::PendingList entries_;
    // Kept beside the entries: walking a large folder on every redraw would stall the screen.
    std::vector<std::int64_t> fileCounts_;
};
