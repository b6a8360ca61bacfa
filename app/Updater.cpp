#include "Updater.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>

#include "Appcast.h"

namespace fendry {

UpdaterOptions UpdaterOptions::defaults() {
    UpdaterOptions options;
    const QString fromEnvironment = qEnvironmentVariable("FENDRY_APPCAST_URL");
    options.feedUrl =
        QUrl(fromEnvironment.isEmpty() ? QStringLiteral(FENDRY_APPCAST_URL) : fromEnvironment);
    return options;
}

Updater::Updater(QObject* parent) : Updater(UpdaterOptions::defaults(), parent) {}

Updater::Updater(UpdaterOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options)) {
    network_.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    // Qt's transfer time-out starts again with every byte; a server that drips would never end.
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this,
            [this] { fail(tr("The update server did not answer in time.")); });
}

// A reply finishing while the members go away would report into a half-destroyed updater.
Updater::~Updater() {
    abandonCheck();
}

void Updater::start() {
    if (started_) {
        return;
    }
    started_ = true;
    emit canCheckForUpdatesChanged();
}

QString Updater::currentVersion() const {
    return options_.currentVersion.isEmpty() ? QCoreApplication::applicationVersion()
                                             : options_.currentVersion;
}

void Updater::checkForUpdates() {
    if (!canCheckForUpdates()) {
        return;
    }
    setResult(None);
    setSessionInProgress(true);
    const QUrl& feed = options_.feedUrl;
    if (!feed.isValid() || feed.scheme() != u"https" || feed.host().isEmpty()) {
        setResult(Failed, {}, {}, tr("The update server's address is not a secure one."));
        return;
    }

    QNetworkRequest request(feed);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("Fendry/%1").arg(currentVersion()));
    if (!options_.extraCaCertificates.isEmpty()) {
        // Setting the authorities replaces the system's, so both go in.
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setCaCertificates(QSslConfiguration::systemCaCertificates() +
                              options_.extraCaCertificates);
        request.setSslConfiguration(tls);
    }
    QNetworkReply* reply = network_.get(request);
    reply_ = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finish(reply); });
    connect(reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        if (received > options_.maxFeedBytes || total > options_.maxFeedBytes) {
            fail(tr("The update information could not be read."));
        }
    });
    deadline_.start(options_.deadline);
    emit canCheckForUpdatesChanged();
}

void Updater::dismissResult() {
    const bool wasChecking = abandonCheck();
    setResult(None);
    if (wasChecking) {
        emit canCheckForUpdatesChanged();
    }
    setSessionInProgress(false);
}

void Updater::openDownload() {
    if (outcome_ == UpdateAvailable) {
        QDesktopServices::openUrl(downloadUrl_);
    }
    dismissResult();
}

void Updater::finish(QNetworkReply* reply) {
    deadline_.stop();
    reply->deleteLater();
    reply_ = nullptr;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status < 200 || status > 299) {
        setResult(Failed, {}, {}, failureReasonFor(*reply));
    } else if (const auto release = appcast::newestRelease(reply->readAll()); !release) {
        setResult(Failed, {}, {}, tr("The update information could not be read."));
    } else if (appcast::compareVersions(release->version, currentVersion()) > 0) {
        setResult(UpdateAvailable, release->version, release->downloadUrl);
    } else {
        setResult(UpToDate, release->version);
    }
    emit canCheckForUpdatesChanged();
}

// Ends the check under way with `reason`.
void Updater::fail(const QString& reason) {
    if (abandonCheck()) {
        setResult(Failed, {}, {}, reason);
        emit canCheckForUpdatesChanged();
    }
}

// Drops the check under way without a result; true if there was one.
bool Updater::abandonCheck() {
    deadline_.stop();
    QNetworkReply* reply = reply_;
    if (reply == nullptr) {
        return false;
    }
    reply_ = nullptr;
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
    // An aborted reply leaves its connection open in the manager's cache, waiting on a server
    // that may never answer; the check is over, and so is the connection.
    network_.clearConnectionCache();
    return true;
}

QString Updater::failureReasonFor(const QNetworkReply& reply) const {
    switch (reply.error()) {
        case QNetworkReply::TimeoutError: return tr("The update server did not answer in time.");
        case QNetworkReply::SslHandshakeFailedError:
        case QNetworkReply::InsecureRedirectError:
            return tr("A secure connection to the update server could not be made.");
        default: break;
    }
    if (const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        status != 0) {
        return tr("The update server answered with status %1.").arg(status);
    }
    return tr("The update server could not be reached. Check the network connection.");
}

void Updater::setResult(Outcome outcome, const QString& latestVersion, const QUrl& downloadUrl,
                        const QString& failureReason) {
    if (outcome == outcome_ && latestVersion == latestVersion_ && downloadUrl == downloadUrl_ &&
        failureReason == failureReason_) {
        return;
    }
    outcome_ = outcome;
    latestVersion_ = latestVersion;
    downloadUrl_ = downloadUrl;
    failureReason_ = failureReason;
    emit resultChanged();
}

void Updater::setSessionInProgress(bool inProgress) {
    if (inProgress == sessionInProgress_) {
        return;
    }
    sessionInProgress_ = inProgress;
    emit sessionInProgressChanged();
}

}  // namespace fendry
