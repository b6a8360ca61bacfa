#pragma once

#include <QtQml/qqmlregistration.h>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSslCertificate>
#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "Appcast.h"
#include "HttpExchange.h"

namespace fendry {

// Where the updater looks and what it compares with.
struct UpdaterOptions {
    QUrl feedUrl;  // must be https
    // For the whole check, however slowly the server answers.
    std::chrono::milliseconds deadline{30000};
    // Trusted besides the system's certificate authorities.
    QList<QSslCertificate> extraCaCertificates;
    // Empty: the application's version.
    QString currentVersion;
    // A feed larger than this is not read.
    qint64 maxFeedBytes = 8 * 1024 * 1024;
    // Reads the feed, away from the window's thread; it gives up when told to.
    std::function<std::optional<appcast::Release>(const QByteArray&, const std::atomic<bool>&)>
        readFeed = appcast::newestRelease;

    // The feed built in, or FENDRY_APPCAST_URL from the environment when set.
    static UpdaterOptions defaults();
};

// The application's updater: started once at launch, it checks the release feed when asked and
// holds the result until the user dismisses it. It never checks on its own and downloads
// nothing; a newer release is opened in the browser. The feed is fetched, and read on a thread
// of its own, within the deadline; dismissing ends the check at once, whatever its stage.
class Updater : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The application owns the one updater.")
    Q_PROPERTY(bool canCheckForUpdates READ canCheckForUpdates NOTIFY canCheckForUpdatesChanged)
    Q_PROPERTY(bool sessionInProgress READ sessionInProgress NOTIFY sessionInProgressChanged)
    Q_PROPERTY(int outcome READ outcome NOTIFY resultChanged)
    Q_PROPERTY(QString latestVersion READ latestVersion NOTIFY resultChanged)
    Q_PROPERTY(QString currentVersion READ currentVersion NOTIFY resultChanged)
    Q_PROPERTY(QUrl downloadUrl READ downloadUrl NOTIFY resultChanged)
    Q_PROPERTY(QString failureReason READ failureReason NOTIFY resultChanged)

public:
    enum Outcome { None, UpToDate, UpdateAvailable, Failed };
    Q_ENUM(Outcome)

    explicit Updater(QObject* parent = nullptr);
    explicit Updater(UpdaterOptions options, QObject* parent = nullptr);
    ~Updater() override;

    void start();
    // Started and not checking: a check may begin, even while a result is still shown.
    bool canCheckForUpdates() const { return started_ && !checking_; }
    // From a check until its result is dismissed.
    bool sessionInProgress() const { return sessionInProgress_; }

    Outcome outcome() const { return outcome_; }
    QString latestVersion() const { return latestVersion_; }
    QString currentVersion() const;
    QUrl downloadUrl() const { return downloadUrl_; }
    QString failureReason() const { return failureReason_; }

    // Fetches the feed; ignored unless canCheckForUpdates.
    Q_INVOKABLE void checkForUpdates();
    // Clears the result and ends the session, abandoning a check under way.
    Q_INVOKABLE void dismissResult();
    // Opens the newer release's page in the browser, if it may be opened, and ends the session.
    Q_INVOKABLE void openDownload();

signals:
    void canCheckForUpdatesChanged();
    void sessionInProgressChanged();
    void resultChanged();

private:
    void fetch(const QUrl& url);
    void fetched(HttpExchange* exchange);
    void read(const QByteArray& feed);
    void finish(const std::optional<appcast::Release>& release);
    void fail(const QString& reason);
    bool abandonCheck();
    void setResult(Outcome outcome, const QString& latestVersion = {}, const QUrl& downloadUrl = {},
                   const QString& failureReason = {});
    void setSessionInProgress(bool inProgress);

    UpdaterOptions options_;
    QPointer<HttpExchange> exchange_;  // while the feed is fetched
    int redirects_ = 0;
    // While the feed is read: tells the reading to stop.
    std::shared_ptr<std::atomic<bool>> reading_;
    QThreadPool reader_;
    QTimer deadline_;
    bool checking_ = false;
    bool started_ = false;
    bool sessionInProgress_ = false;
    Outcome outcome_ = None;
    QString latestVersion_;
    QUrl downloadUrl_;
    QString failureReason_;
};

// Creates the updater and starts it at once, for the life of the application.
class UpdaterController final {
public:
    UpdaterController() { updater_.start(); }
    Updater* updater() { return &updater_; }

private:
    Updater updater_;
};

}  // namespace fendry
