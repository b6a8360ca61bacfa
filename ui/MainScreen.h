#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <QStringList>
#include <QUrl>
#include <filesystem>
#include <optional>

#include "EraseRun.h"
#include "KeyMonitor.h"
#include "MethodPreference.h"
#include "PendingItemsModel.h"

// The state behind the main screen: the erase run, the method choice, the confirmation step and
// the list selection. Its views are functions of these properties.
class MainScreen : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The application creates the one main screen.")

    Q_PROPERTY(PendingItemsModel* files READ files CONSTANT)

    Q_PROPERTY(bool isShredding READ isShredding NOTIFY runChanged)
    Q_PROPERTY(double shreddingProgress READ shreddingProgress NOTIFY runChanged)
    Q_PROPERTY(qint64 currentFileIndex READ currentFileIndex NOTIFY runChanged)
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
    Q_PROPERTY(qint64 passesPerFile READ passesPerFile NOTIFY runChanged)
    Q_PROPERTY(bool showCompletionAnimation READ showCompletionAnimation NOTIFY runChanged)

    Q_PROPERTY(bool showConfirmationDialog READ showConfirmationDialog WRITE
                   setShowConfirmationDialog NOTIFY showConfirmationDialogChanged)
    Q_PROPERTY(
        QString selectedFile READ selectedFile WRITE setSelectedFile NOTIFY selectedFileChanged)
    Q_PROPERTY(bool keyMonitorInstalled READ keyMonitorInstalled NOTIFY keyMonitorInstalledChanged)

    Q_PROPERTY(QStringList methodNames READ methodNames CONSTANT)
    Q_PROPERTY(int selectedMethodIndex READ selectedMethodIndex WRITE setSelectedMethodIndex NOTIFY
                   selectedMethodChanged)
    Q_PROPERTY(QString selectedMethodDescription READ selectedMethodDescription NOTIFY
                   selectedMethodChanged)
    Q_PROPERTY(qint64 selectedMethodPasses READ selectedMethodPasses NOTIFY selectedMethodChanged)

public:
    // `files` and `preferences` must outlive the screen.
    MainScreen(PendingItemsModel& files, fendry::Preferences& preferences,
               fendry::RunEnvironment environment, QObject* parent = nullptr);

    PendingItemsModel* files() { return &files_; }

    bool isShredding() const { return run_.state().isShredding; }
    double shreddingProgress() const { return run_.state().shreddingProgress; }
    qint64 currentFileIndex() const { return run_.state().currentFileIndex; }
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
    // Of the method the run started with, which the picker may no longer show.
    qint64 passesPerFile() const { return run_.state().passesPerFile; }
    bool showCompletionAnimation() const { return run_.state().showCompletionAnimation; }

    bool showConfirmationDialog() const { return showConfirmationDialog_; }
    void setShowConfirmationDialog(bool show);
    QString selectedFile() const;
    void setSelectedFile(const QString& key);
    bool keyMonitorInstalled() const { return keyMonitor_.isInstalled(); }

    QStringList methodNames() const;
    int selectedMethodIndex() const;
    void setSelectedMethodIndex(int row);
    QString selectedMethodDescription() const;
    qint64 selectedMethodPasses() const { return selectedMethod_.passes; }

    // Takes in the file URLs of a drop; anything that is not a local file is ignored.
    Q_INVOKABLE bool handleDrop(const QList<QUrl>& urls);
    Q_INVOKABLE void startShredding();
    Q_INVOKABLE void startAgain();
    // Stops a run under way before its next chunk, for an application that is quitting.
    void stopRun() { run_.stop(); }
    Q_INVOKABLE void removeFile(const QString& key);
    Q_INVOKABLE void clearAll();
    Q_INVOKABLE void reveal(const QString& key);
    Q_INVOKABLE QString formatBytes(qint64 bytes) const;

    // The list's arrow keys; answers whether the key was consumed.
    bool handleArrowKey(int key);

signals:
    void runChanged();
    void showConfirmationDialogChanged();
    void selectedFileChanged();
    void selectedMethodChanged();
    void keyMonitorInstalledChanged();

private:
    void updateKeyMonitor();

    PendingItemsModel& files_;
    fendry::Preferences& preferences_;
    fendry::EraseRun run_;
    fendry::ShredMethod selectedMethod_;
    bool showConfirmationDialog_ = false;
    std::optional<std::filesystem::path> selectedFile_;
    KeyMonitor keyMonitor_;
};
