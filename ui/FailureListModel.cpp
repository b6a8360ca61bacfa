#include "FailureListModel.h"

#include <sys/stat.h>

#include "EngineTexts.h"
#include "FolderWalk.h"
#include "LocalPaths.h"

namespace fendry {

namespace {

QString reasonOf(const ItemFailure& failure) {
    return engine_texts::failureText(failure.failure);
}

}  // namespace

FailureListModel::FailureListModel(QObject* parent) : QAbstractListModel(parent) {}

int FailureListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(failures_.size());
}

QVariant FailureListModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid)) {
        return {};
    }
    const auto& failure = failures_[static_cast<std::size_t>(index.row())];
    const std::filesystem::path item = withoutTrailingSlash(failure.item);
    switch (role) {
        case KeyRole: return entryKeyOf(failure.item);
        case Qt::DisplayRole:
        case NameRole: return displayNameOf(failure.item);
        case FolderRole: return displayPathOf(item.parent_path());
        case ReasonRole: return reasonOf(failure);
        case StillThereRole: {
            // Asked as the row comes into view, so that it says how things stand now.
            struct stat info {};
            return ::lstat(item.c_str(), &info) == 0;
        }
        default: return {};
    }
}

QHash<int, QByteArray> FailureListModel::roleNames() const {
    return {{KeyRole, "key"},
            {NameRole, "name"},
            {FolderRole, "folder"},
            {ReasonRole, "reason"},
            {StillThereRole, "stillThere"}};
}

void FailureListModel::setFailures(std::vector<ItemFailure> failures) {
    beginResetModel();
    failures_ = std::move(failures);
    endResetModel();
    emit countChanged();
}

QString FailureListModel::text() const {
    QString text;
    for (const auto& failure : failures_) {
        text += displayPathOf(withoutTrailingSlash(failure.item)) + QStringLiteral(": ") +
                reasonOf(failure) + QLatin1Char('\n');
    }
    return text;
}

}  // namespace fendry
