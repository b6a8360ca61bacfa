#include "Updater.h"

#include <QCoreApplication>
#include <QDesktopServices>

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
    reader_.setMaxThreadCount(1);
    // However slowly the server answers, and however long the feed takes to read.
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        fail(reading_ ? tr("The update information could not be read.")
                      : tr("The update server did not answer in time."));
    });
}

// An answer arriving while the members go away would report into a half-destroyed updater;
// the reading stops at its next step.
Updater::~Updater() {
    abandonCheck();
    reader_.waitForDone();
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
    if (!appcast::isOpenableLink(options_.feedUrl)) {
        setResult(Failed, {}, {}, tr("The update server's address is not a secure one."));
        return;
    }
    checking_ = true;
    redirects_ = 0;
    deadline_.start(options_.deadline);
    emit canCheckForUpdatesChanged();
    fetch(options_.feedUrl);
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
    if (outcome_ == UpdateAvailable && appcast::isOpenableLink(downloadUrl_)) {
        QDesktopServices::openUrl(downloadUrl_);
    }
    dismissResult();
}

void Updater::fetch(const QUrl& url) {
    HttpExchange::Request request;
    request.url = url;
    request.headers = {{"User-Agent", "Fendry/" + currentVersion().toUtf8()}};
    request.extraCaCertificates = options_.extraCaCertificates;
    request.maxBodyBytes = options_.maxFeedBytes;
    auto* exchange = new HttpExchange(std::move(request), this);
    exchange_ = exchange;
    connect(exchange, &HttpExchange::finished, this, [this, exchange] { fetched(exchange); });
    exchange->start();
}

void Updater::fetched(HttpExchange* exchange) {
    exchange->deleteLater();
    exchange_ = nullptr;
    const QString unreadable = tr("The update information could not be read.");
    switch (exchange->failure()) {
        case HttpExchange::Failure::None: break;
        case HttpExchange::Failure::Connection:
            fail(tr("The update server could not be reached. Check the network connection."));
            return;
        case HttpExchange::Failure::Tls:
            fail(tr("A secure connection to the update server could not be made."));
            return;
        case HttpExchange::Failure::TooLarge:
        case HttpExchange::Failure::Malformed: fail(unreadable); return;
    }
    const int status = exchange->status();
    const QString answered = tr("The update server answered with status %1.").arg(status);
    if (status == 301 || status == 302 || status == 303 || status == 307 || status == 308) {
        // Followed only to the same server over https, and only a few times: the feed may move
        // within its site, and nowhere else.
        constexpr int kMaxRedirects = 3;
        const QUrl next = exchange->url().resolved(
            QUrl::fromEncoded(exchange->header("Location"), QUrl::StrictMode));
        const QUrl& feed = options_.feedUrl;
        if (next.isValid() && next.scheme() != u"https") {
            fail(tr("A secure connection to the update server could not be made."));
        } else if (!appcast::isOpenableLink(next) || next.host() != feed.host() ||
                   next.port(443) != feed.port(443) || ++redirects_ > kMaxRedirects) {
            fail(answered);
        } else {
            fetch(next);
        }
        return;
    }
    if (status < 200 || status > 299) {
        fail(answered);
        return;
    }
    read(exchange->body());
}

// Reads the feed on the reader's thread; its answer comes back here, unless the check ended.
void Updater::read(const QByteArray& feed) {
    auto cancelled = std::make_shared<std::atomic<bool>>(false);
    reading_ = cancelled;
    reader_.start([this, feed, cancelled, readFeed = options_.readFeed] {
        std::optional<appcast::Release> release = readFeed(feed, *cancelled);
        QMetaObject::invokeMethod(
            this,
            [this, cancelled, release = std::move(release)] {
                if (reading_ == cancelled) {
                    finish(release);
                }
            },
            Qt::QueuedConnection);
    });
}

void Updater::finish(const std::optional<appcast::Release>& release) {
    deadline_.stop();
    reading_.reset();
    checking_ = false;
    if (!release) {
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

// Drops the check under way without a result, at whatever stage; true if there was one.
bool Updater::abandonCheck() {
    deadline_.stop();
    if (!checking_) {
        return false;
    }
    checking_ = false;
    if (exchange_ != nullptr) {
        exchange_->abort();
        exchange_->deleteLater();
        exchange_ = nullptr;
    }
    if (reading_) {
        *reading_ = true;
        reading_.reset();
    }
    return true;
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
