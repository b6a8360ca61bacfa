#pragma once

#include <QtQml/qqmlregistration.h>
#include <QAbstractListModel>
#include <vector>

#include "EraseRun.h"

namespace fendry {

// The items a run could not erase, each with the folder it is in and the reason, in the words
// of the command line.
class FailureListModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The main screen fills the failure list.")
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)

public:
    enum Role { KeyRole = Qt::UserRole + 1, NameRole, FolderRole, ReasonRole, StillThereRole };

    explicit FailureListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    void setFailures(std::vector<ItemFailure> failures);
    // The whole list as text, a line per item: its path, then the reason.
    QString text() const;

signals:
    void countChanged();

private:
    std::vector<ItemFailure> failures_;
};

}  // namespace fendry
