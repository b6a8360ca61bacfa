#pragma once

#include <QtQml/qqmlregistration.h>
#include <QDateTime>
#include <QLocale>
#include <QObject>
#include <QPointer>
#include <QSettings>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>

#include "HttpExchange.h"

namespace fendry {

// What the manager depends on, so that tests can choose it.
struct MailingListOptions {
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    std::chrono::milliseconds promptDelay{2500};
    // The store shared by every application of the group; the standard one stands in for it
    // when it cannot be opened or written.
    QString groupStoreName = QStringLiteral("group.Q3DXT7K52W.co.morvel.shared");
    // Empty: "unknown.app".
    QString appId = QStringLiteral("co.morvel.Fendry");
    QUrl subscribeUrl;
    // For the whole request, however slowly the service answers.
    std::chrono::milliseconds requestTimeout{60000};
    // AnyTerritory: the user has no region.
    std::function<QLocale::Territory()> territory = [] { return QLocale::system().territory(); };
    std::function<QString()> timeZoneId;  // empty: the system's

    // The service built in, or FENDRY_NEWSLETTER_URL from the environment when set.
    static MailingListOptions defaults();
};

// The user's answer to the newsletter offer, when to offer it, and the subscription request.
// Confined to the main thread.
class MailingListManager : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The application owns the one newsletter manager.")
    Q_PROPERTY(bool isPresented READ isPresented WRITE setPresented NOTIFY isPresentedChanged)
    Q_PROPERTY(int status READ status NOTIFY statusChanged)
    Q_PROPERTY(QString failureMessage READ failureMessage NOTIFY statusChanged)
    Q_PROPERTY(bool isOptedOut READ isOptedOut NOTIFY isOptedOutChanged)
    Q_PROPERTY(QUrl privacyPolicyUrl READ privacyPolicyUrl CONSTANT)

public:
    enum SubmitState { Idle, Submitting, Success, Failure };
    Q_ENUM(SubmitState)

    enum class Decision { None, Snoozed, Declined, Subscribed };

    explicit MailingListManager(QObject* parent = nullptr);
    explicit MailingListManager(MailingListOptions options, QObject* parent = nullptr);
    ~MailingListManager() override;

    // The one instance of the process, created on first use.
    static MailingListManager& shared();
    // Asked before the prompt is offered on its own; true holds it back until
    // suppressionLifted().
    static std::function<bool()> shouldSuppressPrompt;

    bool isPresented() const { return isPresented_; }
    void setPresented(bool presented);
    int status() const { return status_; }
    QString failureMessage() const { return failureMessage_; }
    bool isOptedOut() const { return isOptedOut_; }
    QUrl privacyPolicyUrl() const;

    // Counts the launch and looks at the prompt once the delay has passed.
    Q_INVOKABLE void registerLaunch();
    // The menu command: shows the prompt unless the user has already answered for good.
    Q_INVOKABLE void presentOnDemand();
    // "Maybe later": no automatic prompt for 14 days.
    Q_INVOKABLE void snooze();
    // "Don't ask again".
    Q_INVOKABLE void decline();
    // Sends the address; the outcome is left in status.
    Q_INVOKABLE void submit(const QString& email);
    // The sheet has closed.
    Q_INVOKABLE void resetStatus();

    // Runs after the launch delay; shows the prompt when the user is due to be asked.
    void considerAutomaticPrompt();
    // What held the prompt back is over: a prompt held back is considered again after the delay.
    void suppressionLifted();
    Decision currentDecision() const;
    int daysSinceInstall() const;
    QString appKey(const QString& suffix) const;

    // The English name of the region, or its code when it has no name.
    static QString countryName(QLocale::Territory territory);

signals:
    void isPresentedChanged();
    void statusChanged();
    void isOptedOutChanged();

private:
    std::unique_ptr<QSettings> groupStore() const;
    std::unique_ptr<QSettings> store() const;
    QVariant stored(const QString& key) const;
    void present();
    void setOptedOut();
    void setStatus(SubmitState state, const QString& message = {});
    void finish();

    MailingListOptions options_;
    QPointer<HttpExchange> exchange_;  // the request under way
    QTimer deadline_;
    bool isPresented_ = false;
    SubmitState status_ = Idle;
    QString failureMessage_;
    bool isOptedOut_ = false;
    bool heldBack_ = false;
};

}  // namespace fendry
