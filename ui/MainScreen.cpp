#include "MainScreen.h"

#include <QCoreApplication>
#include <algorithm>

#include "FileReveal.h"
#include "Format.h"
#include "LocalPaths.h"

namespace {

int rowOf(const fendry::ShredMethod& method) {
    const auto& methods = fendry::allMethods();
    return static_cast<int>(std::find(methods.begin(), methods.end(), method) - methods.begin());
}

}  // namespace

MainScreen::MainScreen(PendingItemsModel& files, fendry::Preferences& preferences,
                       fendry::RunEnvironment environment, QObject* parent)
    : QObject(parent),
      files_(files),
      preferences_(preferences),
      run_(std::move(environment)),
      selectedMethod_(fendry::loadSavedMethod(preferences)),
      keyMonitor_([this](int key) { return handleArrowKey(key); }) {
    run_.setOnChange([this] {
        emit runChanged();
        updateKeyMonitor();
    });
    connect(&files_, &PendingItemsModel::countChanged, this, &MainScreen::updateKeyMonitor);
}

QString MainScreen::currentFileName() const {
    const auto name = run_.state().currentFileName();
    return name ? displayNameOf(*name) : QString();
}

QString MainScreen::estimateText() const {
    const auto& estimate = run_.state().estimatedTimeRemaining;
    return estimate ? QString::fromStdString(fendry::formatTime(*estimate)) : QString();
}

void MainScreen::setShowConfirmationDialog(bool show) {
    if (show != showConfirmationDialog_) {
        showConfirmationDialog_ = show;
        emit showConfirmationDialogChanged();
    }
}

QString MainScreen::selectedFile() const {
    return selectedFile_ ? entryKeyOf(*selectedFile_) : QString();
}

void MainScreen::setSelectedFile(const QString& key) {
    std::optional<std::filesystem::path> selected;
    if (!key.isEmpty()) {
        selected = entryOfKey(key);
    }
    if (selected != selectedFile_) {
        selectedFile_ = std::move(selected);
        emit selectedFileChanged();
    }
}

QStringList MainScreen::methodNames() const {
    QStringList names;
    for (const auto& method : fendry::allMethods()) {
        names << QCoreApplication::translate("ShredMethod", method.name.c_str());
    }
    return names;
}

int MainScreen::selectedMethodIndex() const {
    return rowOf(selectedMethod_);
}

void MainScreen::setSelectedMethodIndex(int row) {
    const auto& methods = fendry::allMethods();
    if (row < 0 || row >= static_cast<int>(methods.size()) || methods[row] == selectedMethod_) {
        return;
    }
    selectedMethod_ = methods[static_cast<std::size_t>(row)];
    fendry::saveSelectedMethod(preferences_, selectedMethod_);
    emit selectedMethodChanged();
}

QString MainScreen::selectedMethodDescription() const {
    return QCoreApplication::translate("ShredMethod", selectedMethod_.description.c_str());
}

bool MainScreen::handleDrop(const QList<QUrl>& urls) {
    for (const QUrl& url : urls) {
        if (const auto path = localPathOf(url)) {
            files_.add(*path);
        }
    }
    return true;
}

void MainScreen::startShredding() {
    setShowConfirmationDialog(false);
    run_.startShredding(files_.entries(), selectedMethod_);
}

void MainScreen::startAgain() {
    files_.clear();
    run_.startAgain();
}

void MainScreen::removeFile(const QString& key) {
    const std::filesystem::path entry = entryOfKey(key);
    if (!files_.remove(entry)) {
        return;
    }
    if (selectedFile_ == entry) {
        const auto& entries = files_.entries();
        setSelectedFile(entries.empty() ? QString() : entryKeyOf(entries.front()));
    }
}

void MainScreen::clearAll() {
    files_.clear();  // the selection is kept on purpose: the same item dropped again shows selected
}

void MainScreen::reveal(const QString& key) {
    revealInFileManager(entryOfKey(key));
}

QString MainScreen::formatBytes(qint64 bytes) const {
    return QString::fromStdString(fendry::formatBytes(bytes));
}

bool MainScreen::handleArrowKey(int key) {
    if (key != Qt::Key_Up && key != Qt::Key_Down) {
        return false;
    }
    const auto& entries = files_.entries();
    const int count = static_cast<int>(entries.size());
    const int i = selectedFile_ ? files_.indexOf(*selectedFile_) : -1;
    if (i < 0) {
        if (count == 0) {
            return false;
        }
        setSelectedFile(entryKeyOf(entries.front()));
        return true;
    }
    if (key == Qt::Key_Up && i >= 1) {
        setSelectedFile(entryKeyOf(entries[static_cast<std::size_t>(i - 1)]));
    } else if (key == Qt::Key_Down && i < count - 1) {
        setSelectedFile(entryKeyOf(entries[static_cast<std::size_t>(i + 1)]));
    }
    return true;
}

// The arrow keys belong to the pending list, which is on screen only before a run.
void MainScreen::updateKeyMonitor() {
    const auto& state = run_.state();
    const bool listShown =
        !state.isShredding && !state.showCompletionAnimation && files_.rowCount() > 0;
    if (listShown != keyMonitor_.isInstalled()) {
        keyMonitor_.setInstalled(listShown);
        emit keyMonitorInstalledChanged();
    }
}
