#include "PendingItemsModel.h"

#include <algorithm>
#include <numeric>

#include "LocalPaths.h"

PendingItemsModel::PendingItemsModel(QObject* parent) : QAbstractListModel(parent) {}

int PendingItemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

QVariant PendingItemsModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    const auto& entry = entries_[row];
    switch (role) {
        case KeyRole: return entryKeyOf(entry);
        case Qt::DisplayRole:
        case NameRole: return displayNameOf(entry);
        case IsFolderRole: return fendry::isFolder(entry);
        case ItemCountRole: return static_cast<qint64>(fileCounts_[row]);
        default: return {};
    }
}

QHash<int, QByteArray> PendingItemsModel::roleNames() const {
    return {{KeyRole, "key"},
            {NameRole, "name"},
            {IsFolderRole, "isFolder"},
            {ItemCountRole, "itemCount"}};
}

bool PendingItemsModel::add(const std::filesystem::path& received) {
    const std::filesystem::path entry = fendry::pendingEntryFor(received);
    if (fendry::refusalOf(received) ||
        std::find(entries_.begin(), entries_.end(), entry) != entries_.end()) {
        return false;
    }
    const int row = rowCount();
    beginInsertRows({}, row, row);
    fendry::addPendingItem(entries_, received);
    fileCounts_.push_back(fendry::countFiles(entry));
    endInsertRows();
    emit countChanged();
    return true;
}

bool PendingItemsModel::remove(const std::filesystem::path& entry) {
    const int row = indexOf(entry);
    if (row < 0) {
        return false;
    }
    beginRemoveRows({}, row, row);
    entries_.erase(entries_.begin() + row);
    fileCounts_.erase(fileCounts_.begin() + row);
    endRemoveRows();
    emit countChanged();
    return true;
}

void PendingItemsModel::clear() {
    if (entries_.empty() && fileCounts_.empty()) {
        return;
    }
    beginResetModel();
    entries_.clear();
    fileCounts_.clear();
    endResetModel();
    emit countChanged();
}

qint64 PendingItemsModel::totalFiles() const {
    return std::accumulate(fileCounts_.begin(), fileCounts_.end(), qint64{0});
}

QString PendingItemsModel::keyAt(int row) const {
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    return entryKeyOf(entries_[static_cast<std::size_t>(row)]);
}

int PendingItemsModel::indexOf(const std::filesystem::path& entry) const {
    const auto found = std::find(entries_.begin(), entries_.end(), entry);
    return found == entries_.end() ? -1 : static_cast<int>(found - entries_.begin());
}
