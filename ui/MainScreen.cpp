#include "MainScreen.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QStandardPaths>
#include <algorithm>

#include "EngineTexts.h"
#include "FileReveal.h"
#include "Format.h"
#include "LocalPaths.h"
#include "ReportFile.h"
#include "RunRecord.h"

namespace fendry {

namespace {

int rowOf(const ShredMethod& method) {
    const auto& methods = allMethods();
    return static_cast<int>(std::find(methods.begin(), methods.end(), method) - methods.begin());
}

}  // namespace

MainScreen::MainScreen(PendingItemsModel& files, Preferences& preferences,
                       RunEnvironment environment, QObject* parent)
    : QObject(parent),
      files_(files),
      preferences_(preferences),
      run_(std::move(environment)),
      selectedMethod_(loadSavedMethod(preferences)),
      verify_(loadVerify(preferences)),
      keyMonitor_([this](int key) { return handleArrowKey(key); }) {
    run_.setOnChange([this] {
        emit runChanged();
        followTheList();
    });
    connect(&files_, &PendingItemsModel::countChanged, this, &MainScreen::followTheList);
    connect(&files_, &PendingItemsModel::isRefreshingChanged, this,
            &MainScreen::storageCautionChanged);
}

QString MainScreen::currentFileName() const {
    const auto name = run_.state().currentFileName();
    return name ? displayNameOf(*name) : QString();
}

QString MainScreen::estimateText() const {
    const auto& estimate = run_.state().estimatedTimeRemaining;
    return estimate ? QString::fromStdString(formatTime(*estimate)) : QString();
}

void MainScreen::setShowConfirmationDialog(bool show) {
    if (show == showConfirmationDialog_) {
        return;
    }
    showConfirmationDialog_ = show;
    if (show) {
        // What the alert says must hold now, not when the items came in.
        files_.refresh(PendingItemsModel::Counts | PendingItemsModel::Storage);
    }
    emit showConfirmationDialogChanged();
}

QString MainScreen::storageCaution() const {
    return engine_texts::cautionSentence(files_.cautions());
}

void MainScreen::setShowFailureDetails(bool show) {
    if (show == showFailureDetails_) {
        return;
    }
    showFailureDetails_ = show;
    if (show) {
        failures_.setFailures(run_.state().failures);
    }
    emit showFailureDetailsChanged();
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
    for (const auto& method : allMethods()) {
        names << engine_texts::methodName(method);
    }
    return names;
}

int MainScreen::selectedMethodIndex() const {
    return rowOf(selectedMethod_);
}

void MainScreen::setSelectedMethodIndex(int row) {
    const auto& methods = allMethods();
    if (row < 0 || row >= static_cast<int>(methods.size()) || methods[row] == selectedMethod_) {
        return;
    }
    selectedMethod_ = methods[static_cast<std::size_t>(row)];
    saveSelectedMethod(preferences_, selectedMethod_);
    emit selectedMethodChanged();
}

QString MainScreen::selectedMethodDescription() const {
    return engine_texts::methodDescription(selectedMethod_);
}

void MainScreen::setVerifyAfterLastPass(bool verify) {
    if (verify == verify_) {
        return;
    }
    verify_ = verify;
    saveVerify(preferences_, verify);
    emit verifyAfterLastPassChanged();
}

bool MainScreen::readingBack() const {
    const auto& state = run_.state();
    return state.isShredding && state.readBack && state.readingBack();
}

bool MainScreen::canSaveReport() const {
    const auto& state = run_.state();
    return !state.isShredding && state.showCompletionAnimation && state.chosen != nullptr;
}

QString MainScreen::reportFileName() const {
    if (!canSaveReport()) {
        return {};
    }
    const auto started = std::chrono::duration_cast<std::chrono::milliseconds>(
        run_.state().startedAt.time_since_epoch());
    // No colons: the name may go to a USB stick formatted FAT.
    return tr("Erasure report %1.pdf")
        .arg(QDateTime::fromMSecsSinceEpoch(started.count())
                 .toString(QStringLiteral("yyyy-MM-dd HH-mm")));
}

QUrl MainScreen::reportFolder() const {
    auto folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    return QUrl::fromLocalFile(folder);
}

bool MainScreen::saveReport(const QUrl& file) {
    QString error;
    // Qt's own save dialog hands back a typed name as a bare absolute path, not a file URL.
    const bool barePath = file.scheme().isEmpty() && file.path().startsWith(QLatin1Char('/'));
    const auto path = localPathOf(barePath ? QUrl::fromLocalFile(file.toString()) : file);
    if (!canSaveReport()) {
        error = tr("there is no finished run to report on");
    } else if (!path || path->empty()) {
        error = tr("it can only be saved as a file on this computer");
    } else {
        const QString name = QFile::decodeName(QByteArray::fromStdString(path->native()));
        RunRecord record = recordOf(run_.state(), files_.storageProbe());
        record.version = QCoreApplication::applicationVersion().toStdString();
        error = writeReport(record, name, reportFormatOf(name).value_or(ReportFormat::Pdf));
    }
    reportError_ = error.isEmpty() ? QString() : tr("The report was not saved: %1").arg(error);
    emit reportErrorChanged();
    return error.isEmpty();
}

void MainScreen::takeIn(const std::vector<std::filesystem::path>& items) {
    const bool wait = run_.state().isShredding || run_.state().showCompletionAnimation;
    const auto waitingBefore = waiting_.size();
    QStringList refused;
    for (const auto& item : items) {
        if (const auto reason = refusalOf(item)) {
            refused << tr("\u201C%1\u201D was not added: %2")
                           .arg(displayPathOf(item), engine_texts::refusalText(*reason));
        } else if (wait) {
            addPendingItem(waiting_, item);
        } else {
            files_.add(item);
        }
    }
    if (waiting_.size() != waitingBefore) {
        emit waitingChanged();
    }
    // Told once for the whole batch, however many there were.
    if (refused.size() == 1) {
        setIntakeNotice(refused.front());
    } else if (!refused.isEmpty()) {
        setIntakeNotice(
            tr("%1 (and %n more)", nullptr, int(refused.size() - 1)).arg(refused.front()));
    }
}

bool MainScreen::handleDrop(const QList<QUrl>& urls) {
    std::vector<std::filesystem::path> items;
    for (const QUrl& url : urls) {
        if (auto path = localPathOf(url)) {
            items.push_back(std::move(*path));
        }
    }
    takeIn(items);
    return true;
}

void MainScreen::startShredding() {
    setShowConfirmationDialog(false);
    if (otherWork_ && otherWork_()) {
        return;
    }
    run_.startShredding(files_.entries(), selectedMethod_, verify_);
}

void MainScreen::startAgain() {
    setShowFailureDetails(false);
    files_.clear();
    run_.startAgain();
    // What came in meanwhile is the new list.
    const PendingList waiting = std::exchange(waiting_, {});
    for (const auto& item : waiting) {
        files_.add(item);
    }
    if (!waiting.empty()) {
        emit waitingChanged();
    }
}

void MainScreen::removeFile(const QString& key) {
    const std::filesystem::path entry = entryOfKey(key);
    if (!files_.remove(entry)) {
        return;
    }
    if (selectedFile_ == entry) {
        const auto& entries = files_.entries();
        setSelectedFile(entries.empty() ? QString() : entryKeyOf(entries.front().path));
    }
}

void MainScreen::clearAll() {
    files_.clear();  // the selection is kept on purpose: the same item dropped again shows selected
}

void MainScreen::reveal(const QString& key) {
    revealInFileManager(entryOfKey(key),
                        [screen = QPointer(this)](const std::filesystem::path& folder) {
                            if (screen) {
                                emit screen->couldNotOpen(
                                    QStringLiteral("folder"),
                                    QFile::decodeName(QByteArray::fromStdString(folder.native())));
                            }
                        });
}

void MainScreen::refreshCounts() {
    if (listShown()) {
        files_.refresh(PendingItemsModel::Counts);
    }
}

void MainScreen::copyFailureList() {
    QGuiApplication::clipboard()->setText(failures_.text());
}

QString MainScreen::formatBytes(qint64 bytes) const {
    return engine_texts::bytesText(bytes);
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
        setSelectedFile(entryKeyOf(entries.front().path));
        return true;
    }
    if (key == Qt::Key_Up && i >= 1) {
        setSelectedFile(entryKeyOf(entries[static_cast<std::size_t>(i - 1)].path));
    } else if (key == Qt::Key_Down && i < count - 1) {
        setSelectedFile(entryKeyOf(entries[static_cast<std::size_t>(i + 1)].path));
    }
    return true;
}

bool MainScreen::listShown() const {
    const auto& state = run_.state();
    return !state.isShredding && !state.showCompletionAnimation && files_.rowCount() > 0;
}

// The arrow keys and the watch on the folders belong to the pending list, which is on screen
// only before a run.
void MainScreen::followTheList() {
    const bool shown = listShown();
    files_.setWatching(shown);
    if (shown != keyMonitor_.isInstalled()) {
        keyMonitor_.setInstalled(shown);
        emit keyMonitorInstalledChanged();
    }
}

void MainScreen::setIntakeNotice(const QString& notice) {
    intakeNotice_ = notice;
    emit intakeNoticeChanged();  // also for the same words again: they are news again
}

}  // namespace fendry
