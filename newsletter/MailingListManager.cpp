#include "MailingListManager.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QJSEngine>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimeZone>
#include <QTimer>
#include <algorithm>
#include <limits>

namespace fendry {

namespace {

const QString decisionKey = QStringLiteral("mailingList.shared.decision");
const QString snoozeUntilKey = QStringLiteral("mailingList.shared.snoozeUntil");
const QByteArray appSecret = "Brenmoss-4817";
constexpr int snoozeDays = 14;

// A stored date cut short reads back as a valid one at the start of the calendar (4714 BC) or
// some other long-gone day; nothing this application stored is older than 1970.
bool isDate(const QVariant& value) {
    return value.typeId() == QMetaType::QDateTime && value.toDateTime().isValid() &&
           value.toDateTime().date().year() >= 1970;
}

// A stored count: a number too large for 64 bits saturates instead of wrapping or being cut,
// anything else (a negative number, text) reads as 0.
qint64 storedCount(const QVariant& value) {
    const QString text = value.toString().trimmed();
    bool isNumber = false;
    const qint64 count = text.toLongLong(&isNumber);
    if (isNumber) {
        return std::max<qint64>(count, 0);
    }
    static const QRegularExpression digits(QStringLiteral("^\\+?[0-9]+$"));
    return digits.match(text).hasMatch() ? std::numeric_limits<qint64>::max() : 0;
}

// The secret must not cross the network in the clear.
bool maySendSecret(const QUrl& url) {
    if (url.scheme() == u"https") {
        return !url.host().isEmpty();
    }
    if (url.scheme() != u"http") {
        return false;
    }
    return url.host() == u"localhost" || QHostAddress(url.host()).isLoopback();
}

}  // namespace

std::function<bool()> MailingListManager::shouldSuppressPrompt = [] { return false; };

MailingListOptions MailingListOptions::defaults() {
    MailingListOptions options;
    const QString fromEnvironment = qEnvironmentVariable("FENDRY_NEWSLETTER_URL");
    options.subscribeUrl =
        QUrl(fromEnvironment.isEmpty() ? QStringLiteral(FENDRY_NEWSLETTER_URL) : fromEnvironment);
    return options;
}

MailingListManager::MailingListManager(QObject* parent)
    : MailingListManager(MailingListOptions::defaults(), parent) {}

MailingListManager::MailingListManager(MailingListOptions options, QObject* parent)
    : QObject(parent), options_(std::move(options)) {
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        if (exchange_ != nullptr) {
            exchange_->abort();
            exchange_->deleteLater();
            exchange_ = nullptr;
            setStatus(Failure, tr("The newsletter service did not answer in time."));
        }
    });
    const Decision decision = currentDecision();
    isOptedOut_ = decision == Decision::Subscribed || decision == Decision::Declined;
}

// An answer arriving while the members go away would report into a half-destroyed manager.
MailingListManager::~MailingListManager() {
    if (exchange_ != nullptr) {
        exchange_->abort();
    }
}

MailingListManager& MailingListManager::shared() {
    // Parented to the application so that it goes before the network stack does.
    static MailingListManager* const instance = [] {
        auto* manager = new MailingListManager(QCoreApplication::instance());
        QJSEngine::setObjectOwnership(manager, QJSEngine::CppOwnership);
        return manager;
    }();
    return *instance;
}

void MailingListManager::setPresented(bool presented) {
    if (presented == isPresented_) {
        return;
    }
    isPresented_ = presented;
    emit isPresentedChanged();
}

QUrl MailingListManager::privacyPolicyUrl() const {
    return QUrl(QStringLiteral(FENDRY_PRIVACY_URL), QUrl::StrictMode);
}

QString MailingListManager::appKey(const QString& suffix) const {
    const QString app = options_.appId.isEmpty() ? QStringLiteral("unknown.app") : options_.appId;
    return QStringLiteral("mailingList.") + app + suffix;
}

// Resolved afresh for every access, so that a group store that comes or goes is noticed.
std::unique_ptr<QSettings> MailingListManager::groupStore() const {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       options_.groupStoreName);
}

// Where answers are written: the group's store, or the standard one when it cannot be written.
std::unique_ptr<QSettings> MailingListManager::store() const {
    auto group = groupStore();
    if (group->status() == QSettings::NoError && group->isWritable()) {
        return group;
    }
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("morvel"), QStringLiteral("Fendry"));
}

// What is stored under `key`: in the store written to, or else in a group store that can be
// read but not written, whose answers still hold.
QVariant MailingListManager::stored(const QString& key) const {
    const QVariant value = store()->value(key);
    if (value.isValid()) {
        return value;
    }
    const auto group = groupStore();
    return group->status() == QSettings::NoError ? group->value(key) : QVariant();
}

MailingListManager::Decision MailingListManager::currentDecision() const {
    const QVariant stored = this->stored(decisionKey);
    if (stored.typeId() != QMetaType::QString) {
        return Decision::None;
    }
    const QString text = stored.toString();
    if (text == u"snoozed") {
        return Decision::Snoozed;
    }
    if (text == u"declined") {
        return Decision::Declined;
    }
    if (text == u"subscribed") {
        return Decision::Subscribed;
    }
    return Decision::None;
}

// Whole days elapsed, not midnights passed: the largest n with install + n days <= now.
int MailingListManager::daysSinceInstall() const {
    const QVariant installed = stored(appKey(QStringLiteral(".installDate")));
    if (!isDate(installed)) {
        return 0;
    }
    const QDateTime install = installed.toDateTime();
    const QDateTime now = options_.clock();
    qint64 days = install.date().daysTo(now.date());
    while (install.addDays(days) > now) {
        --days;
    }
    while (install.addDays(days + 1) <= now) {
        ++days;
    }
    return static_cast<int>(days);
}

void MailingListManager::registerLaunch() {
    const std::unique_ptr<QSettings> settings = store();
    const QString installKey = appKey(QStringLiteral(".installDate"));
    if (!stored(installKey).isValid()) {
        settings->setValue(installKey, options_.clock());
    }
    const QString countKey = appKey(QStringLiteral(".launchCount"));
    const qint64 count = storedCount(stored(countKey));
    settings->setValue(countKey, count == std::numeric_limits<qint64>::max() ? count : count + 1);
    QTimer::singleShot(options_.promptDelay, this, [this] { considerAutomaticPrompt(); });
}

void MailingListManager::considerAutomaticPrompt() {
    const Decision decision = currentDecision();
    if (decision == Decision::Declined || decision == Decision::Subscribed) {
        return;
    }
    if (shouldSuppressPrompt && shouldSuppressPrompt()) {
        heldBack_ = true;
        return;
    }
    if (decision == Decision::Snoozed) {
        const QVariant until = stored(snoozeUntilKey);
        if (isDate(until) && until.toDateTime() > options_.clock()) {
            return;
        }
    }
    const qint64 launches = storedCount(stored(appKey(QStringLiteral(".launchCount"))));
    if (launches <= 2 && daysSinceInstall() < 2) {
        return;
    }
    present();
}

void MailingListManager::suppressionLifted() {
    if (!heldBack_) {
        return;
    }
    heldBack_ = false;
    // Not at once: the user has just finished something and deserves a moment with its result.
    QTimer::singleShot(options_.promptDelay, this, [this] { considerAutomaticPrompt(); });
}

void MailingListManager::presentOnDemand() {
    const Decision decision = currentDecision();
    if (decision == Decision::Declined || decision == Decision::Subscribed) {
        return;
    }
    present();
}

void MailingListManager::present() {
    setPresented(true);
    store()->setValue(appKey(QStringLiteral(".lastShownAt")), options_.clock());
}

void MailingListManager::snooze() {
    const QDateTime now = options_.clock();
    const QDateTime until = now.addDays(snoozeDays);
    const std::unique_ptr<QSettings> settings = store();
    settings->setValue(decisionKey, QStringLiteral("snoozed"));
    settings->setValue(snoozeUntilKey, until.isValid() ? until : now);
    setPresented(false);
}

void MailingListManager::decline() {
    store()->setValue(decisionKey, QStringLiteral("declined"));
    setOptedOut();
    setPresented(false);
}

void MailingListManager::setOptedOut() {
    if (isOptedOut_) {
        return;
    }
    isOptedOut_ = true;
    emit isOptedOutChanged();
}

void MailingListManager::setStatus(SubmitState state, const QString& message) {
    if (state == status_ && message == failureMessage_) {
        return;
    }
    status_ = state;
    failureMessage_ = message;
    emit statusChanged();
}

void MailingListManager::resetStatus() {
    setStatus(Idle);
}

QString MailingListManager::countryName(QLocale::Territory territory) {
    const QString name = QLocale::territoryToString(territory);
    return name.isEmpty() ? QLocale::territoryToCode(territory) : name;
}

void MailingListManager::submit(const QString& email) {
    const QString address = email.trimmed();
    if (address.isEmpty() || !address.contains(u'@')) {
        setStatus(Failure, tr("Please enter a valid email address."));
        return;
    }
    setStatus(Submitting);
    const QUrl& url = options_.subscribeUrl;
    if (!maySendSecret(url)) {
        setStatus(Failure, tr("The newsletter service's address is not a secure one."));
        return;
    }

    QJsonObject body{
        {QStringLiteral("email"), address},
        {QStringLiteral("app"),
         options_.appId.isEmpty() ? QStringLiteral("unknown.app") : options_.appId},
        {QStringLiteral("tz"), options_.timeZoneId
                                   ? options_.timeZoneId()
                                   : QString::fromUtf8(QTimeZone::systemTimeZoneId())},
    };
    if (const QLocale::Territory territory = options_.territory();
        territory != QLocale::AnyTerritory) {
        body.insert(QStringLiteral("country"), countryName(territory));
    }

    // A redirect would carry the secret to a host that was never checked: it is the answer.
    HttpExchange::Request request;
    request.method = "POST";
    request.url = url;
    request.headers = {{"Content-Type", "application/json"}, {"X-App-Secret", appSecret}};
    request.body = QJsonDocument(body).toJson(QJsonDocument::Compact);
    // The answer's code is all that counts: the body is neither waited for nor kept.
    request.maxBodyBytes = 0;
    if (exchange_ != nullptr) {
        exchange_->abort();
        exchange_->deleteLater();
    }
    exchange_ = new HttpExchange(std::move(request), this);
    connect(exchange_, &HttpExchange::finished, this, &MailingListManager::finish);
    deadline_.start(options_.requestTimeout);
    exchange_->start();
}

void MailingListManager::finish() {
    deadline_.stop();
    HttpExchange* exchange = exchange_;
    exchange_ = nullptr;
    exchange->deleteLater();
    switch (exchange->failure()) {
        case HttpExchange::Failure::None: break;
        case HttpExchange::Failure::Connection:
        case HttpExchange::Failure::Tls: setStatus(Failure, exchange->errorString()); return;
        case HttpExchange::Failure::TooLarge:
        case HttpExchange::Failure::Malformed:
            setStatus(Failure, tr("The newsletter service's answer could not be read."));
            return;
    }
    const int code = exchange->status();
    if ((code >= 200 && code <= 299) || code == 409) {
        store()->setValue(decisionKey, QStringLiteral("subscribed"));
        setOptedOut();
        setStatus(Success);
    } else if (code == 422) {
        setStatus(Failure, tr("Please check your email address and try again."));
    } else {
        setStatus(Failure, tr("Server returned %1. Please try again later.").arg(code));
    }
}

}  // namespace fendry
