#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QStringList>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

#include "EraseRun.h"
#include "FailureListModel.h"
#include "KeyMonitor.h"
#include "MethodPreference.h"
#include "PendingItemsModel.h"

namespace fendry {

// The state behind the main screen: the erase run, the method choice, the confirmation step,
// the list selection and the items waiting for the next list. Its views are functions of these
// properties.
class MainScreen : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The application creates the one main screen.")

    Q_PROPERTY(PendingItemsModel* files READ files CONSTANT)
    Q_PROPERTY(FailureListModel* failures READ failures CONSTANT)

    Q_PROPERTY(bool isShredding READ isShredding NOTIFY runChanged)
    Q_PROPERTY(double shreddingProgress READ shreddingProgress NOTIFY runChanged)
    Q_PROPERTY(qint64 currentFileNumber READ currentFileNumber NOTIFY runChanged)
    Q_PROPERTY(qint64 currentPass READ currentPass NOTIFY runChanged)
    Q_PROPERTY(qint64 totalFiles READ totalFiles NOTIFY runChanged)
    Q_PROPERTY(bool hasWorkList READ hasWorkList NOTIFY runChanged)
    Q_PROPERTY(QString currentFileName READ currentFileName NOTIFY runChanged)
    Q_PROPERTY(bool hasEstimate READ hasEstimate NOTIFY runChanged)
    Q_PROPERTY(QString estimateText READ estimateText NOTIFY runChanged)
    Q_PROPERTY(qint64 erasedFileCount READ erasedFileCount NOTIFY runChanged)
    Q_PROPERTY(qint64 erasedTotalSize READ erasedTotalSize NOTIFY runChanged)
    Q_PROPERTY(qint64 erasedLinkCount READ erasedLinkCount NOTIFY runChanged)
    Q_PROPERTY(qint64 failedCount READ failedCount NOTIFY runChanged)
    Q_PROPERTY(qint64 filesNotErased READ filesNotErased NOTIFY runChanged)
    Q_PROPERTY(qint64 foldersKept READ foldersKept NOTIFY runChanged)
    Q_PROPERTY(qint64 passesPerFile READ passesPerFile NOTIFY runChanged)
    Q_PROPERTY(bool showCompletionAnimation READ showCompletionAnimation NOTIFY runChanged)

    Q_PROPERTY(bool showConfirmationDialog READ showConfirmationDialog WRITE
                   setShowConfirmationDialog NOTIFY showConfirmationDialogChanged)
    Q_PROPERTY(QString storageCaution READ storageCaution NOTIFY storageCautionChanged)
    Q_PROPERTY(bool showFailureDetails READ showFailureDetails WRITE setShowFailureDetails NOTIFY
                   showFailureDetailsChanged)
    Q_PROPERTY(int waitingCount READ waitingCount NOTIFY waitingChanged)
    Q_PROPERTY(QString intakeNotice READ intakeNotice NOTIFY intakeNoticeChanged)
    Q_PROPERTY(
        QString selectedFile READ selectedFile WRITE setSelectedFile NOTIFY selectedFileChanged)
    Q_PROPERTY(bool keyMonitorInstalled READ keyMonitorInstalled NOTIFY keyMonitorInstalledChanged)

    Q_PROPERTY(QStringList methodNames READ methodNames CONSTANT)
    Q_PROPERTY(int selectedMethodIndex READ selectedMethodIndex WRITE setSelectedMethodIndex NOTIFY
                   selectedMethodChanged)
    Q_PROPERTY(QString selectedMethodDescription READ selectedMethodDescription NOTIFY
                   selectedMethodChanged)
    Q_PROPERTY(qint64 selectedMethodPasses READ selectedMethodPasses NOTIFY selectedMethodChanged)
    Q_PROPERTY(bool verifyAfterLastPass READ verifyAfterLastPass WRITE setVerifyAfterLastPass NOTIFY
                   verifyAfterLastPassChanged)
    // The ring's step is "Verifying": the file shown is being read back after its last pass.
    Q_PROPERTY(bool readingBack READ readingBack NOTIFY runChanged)

    // The report of the run on screen ("Save Report…"): whether there is one, a name to offer
    // in the save dialog, and why the last save failed (empty after one that worked).
    Q_PROPERTY(bool canSaveReport READ canSaveReport NOTIFY runChanged)
    Q_PROPERTY(QString reportFileName READ reportFileName NOTIFY runChanged)
    Q_PROPERTY(QUrl reportFolder READ reportFolder CONSTANT)
    Q_PROPERTY(QString reportError READ reportError NOTIFY reportErrorChanged)

public:
    // `files` and `preferences` must outlive the screen.
    MainScreen(PendingItemsModel& files, Preferences& preferences, RunEnvironment environment,
               QObject* parent = nullptr);

    PendingItemsModel* files() { return &files_; }
    FailureListModel* failures() { return &failures_; }

    bool isShredding() const { return run_.state().isShredding; }
    double shreddingProgress() const { return run_.state().shreddingProgress; }
    // "Processing file N of M": one more than the files done.
    qint64 currentFileNumber() const { return run_.state().currentFileNumber(); }
    qint64 currentPass() const { return run_.state().currentPass; }
    qint64 totalFiles() const { return run_.state().totalFiles; }
    bool hasWorkList() const { return run_.state().workList != nullptr; }
    QString currentFileName() const;
    bool hasEstimate() const { return run_.state().estimatedTimeRemaining.has_value(); }
    QString estimateText() const;
    qint64 erasedFileCount() const { return run_.state().stats.fileCount; }
    qint64 erasedTotalSize() const { return run_.state().stats.totalSize; }
    qint64 erasedLinkCount() const { return run_.state().stats.linkCount; }
    qint64 failedCount() const { return run_.state().failedCount(); }
    qint64 filesNotErased() const { return run_.state().filesNotErased(); }
    qint64 foldersKept() const { return run_.state().foldersKept(); }
    // Of the method the run started with, which the picker may no longer show.
    qint64 passesPerFile() const { return run_.state().passesPerFile; }
    bool showCompletionAnimation() const { return run_.state().showCompletionAnimation; }

    bool showConfirmationDialog() const { return showConfirmationDialog_; }
    // Opening the confirmation counts the pending folders afresh and looks at their storage.
    void setShowConfirmationDialog(bool show);
    // One sentence on what overwriting cannot reach where the pending items are; empty if none.
    QString storageCaution() const;
    bool showFailureDetails() const { return showFailureDetails_; }
    void setShowFailureDetails(bool show);
    int waitingCount() const { return static_cast<int>(waiting_.size()); }
    QString intakeNotice() const { return intakeNotice_; }
    QString selectedFile() const;
    void setSelectedFile(const QString& key);
    bool keyMonitorInstalled() const { return keyMonitor_.isInstalled(); }

    QStringList methodNames() const;
    int selectedMethodIndex() const;
    void setSelectedMethodIndex(int row);
    QString selectedMethodDescription() const;
    qint64 selectedMethodPasses() const { return selectedMethod_.passes; }
    bool verifyAfterLastPass() const { return verify_; }
    void setVerifyAfterLastPass(bool verify);
    bool readingBack() const;

    bool canSaveReport() const;
    QString reportFileName() const;
    // Where the save dialog opens: the user's documents, else home.
    QUrl reportFolder() const;
    QString reportError() const { return reportError_; }
    // Writes the report of the run on screen to the local file `file`: JSON when its name ends
    // in ".json", PDF otherwise. False, with `reportError` saying why, when it could not be.
    Q_INVOKABLE bool saveReport(const QUrl& file);

    // Items handed in, in order: onto the list, or while a run or its summary is on screen,
    // kept for the next list.
    void takeIn(const std::vector<std::filesystem::path>& items);
    // Takes in the file URLs of a drop; anything that is not a local file is ignored.
    Q_INVOKABLE bool handleDrop(const QList<QUrl>& urls);
    Q_INVOKABLE void startShredding();
    Q_INVOKABLE void startAgain();
    // Stops a run under way before its next chunk, for an application that is quitting.
    void stopRun() { run_.stop(); }
    // While `busy` answers true (a wipe of free space is on), no run starts.
    void setOtherWork(std::function<bool()> busy) { otherWork_ = std::move(busy); }
    Q_INVOKABLE void removeFile(const QString& key);
    Q_INVOKABLE void clearAll();
    Q_INVOKABLE void reveal(const QString& key);
    Q_INVOKABLE QString formatBytes(qint64 bytes) const;
    // Counts the pending folders again, as when the window comes back to the front.
    Q_INVOKABLE void refreshCounts();
    // Puts the list of items that could not be erased on the clipboard.
    Q_INVOKABLE void copyFailureList();

    // The list's arrow keys; answers whether the key was consumed.
    bool handleArrowKey(int key);

signals:
    void runChanged();
    void showConfirmationDialogChanged();
    void storageCautionChanged();
    void showFailureDetailsChanged();
    void waitingChanged();
    void intakeNoticeChanged();
    void selectedFileChanged();
    void selectedMethodChanged();
    void verifyAfterLastPassChanged();
    void reportErrorChanged();
    void keyMonitorInstalledChanged();
    // Nothing on the desktop could open a folder; `text` is its path, for the user to copy.
    void couldNotOpen(const QString& kind, const QString& text);

private:
    bool listShown() const;
    void followTheList();
    void setIntakeNotice(const QString& notice);

    PendingItemsModel& files_;
    FailureListModel failures_;
    Preferences& preferences_;
    EraseRun run_;
    ShredMethod selectedMethod_;
    bool verify_ = false;
    QString reportError_;
    bool showConfirmationDialog_ = false;
    bool showFailureDetails_ = false;
    PendingList waiting_;
    QString intakeNotice_;
    std::optional<std::filesystem::path> selectedFile_;
    KeyMonitor keyMonitor_;
    std::function<bool()> otherWork_;
};

}  // namespace fendry
