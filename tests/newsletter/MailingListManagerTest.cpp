#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>
#include <memory>
#include <optional>

#include "MailingListManager.h"
#include "SubscribeServer.h"

using namespace fendry;
using namespace std::chrono_literals;
using testing_support::http;
using testing_support::Request;
using testing_support::SubscribeServer;

namespace {

const QString decisionKey = QStringLiteral("mailingList.shared.decision");
const QString snoozeKey = QStringLiteral("mailingList.shared.snoozeUntil");
const QString installKey = QStringLiteral("mailingList.test.app.installDate");
const QString countKey = QStringLiteral("mailingList.test.app.launchCount");
const QString shownKey = QStringLiteral("mailingList.test.app.lastShownAt");
const QString invalidAddress = QStringLiteral("Please enter a valid email address.");

QSettings standardStore() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "morvel", "Fendry");
}

// Read-only even for root: the immutable flag. False where the file system has none.
bool setImmutable(const QString& path, bool immutable) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0) {
        ::close(fd);
    }
    return done;
}

QByteArray header(const Request& request, const QByteArray& name) {
    for (const QByteArray& line : request.head.split('\n')) {
        if (line.toLower().startsWith(name.toLower() + ':')) {
            return line.mid(name.size() + 1).trimmed();
        }
    }
    return {};
}

}  // namespace

class MailingListManagerTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir config_;
    QDateTime now_;
    QString groupName_;
    int serial_ = 0;

    MailingListOptions options() {
        MailingListOptions options;
        options.clock = [this] { return now_; };
        options.promptDelay = 1h;  // the tests run the check themselves, unless they wait for it
        options.groupStoreName = groupName_;
        options.appId = QStringLiteral("test.app");
        options.territory = [] { return QLocale::Germany; };
        options.timeZoneId = [] { return QStringLiteral("Europe/Berlin"); };
        options.requestTimeout = 10s;
        return options;
    }

    QSettings groupStore() const {
        return QSettings(QSettings::IniFormat, QSettings::UserScope, groupName_);
    }

    // Sends one address and waits for the outcome.
    void submitAndWait(MailingListManager& manager, const QString& email) {
        manager.submit(email);
        QTRY_VERIFY_WITH_TIMEOUT(manager.status() == MailingListManager::Success ||
                                     manager.status() == MailingListManager::Failure,
                                 15000);
    }

private slots:
    void initTestCase() {
        QVERIFY(config_.isValid());
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    }

    // Every test starts with stores nobody has written.
    void init() {
        groupName_ = QStringLiteral("group.test%1").arg(++serial_);
        QSettings standard = standardStore();
        standard.clear();
        now_ = QDateTime(QDate(2024, 5, 10), QTime(9, 30));
        MailingListManager::shouldSuppressPrompt = [] { return false; };
    }

    void automaticPromptFollowsTheStoredAnswerAndTheLaunches_data() {
        QTest::addColumn<QVariant>("decision");
        QTest::addColumn<QVariant>("snoozeUntil");  // hours from now, or any other value as is
        QTest::addColumn<QVariant>("launches");     // stored before this launch
        QTest::addColumn<QVariant>("installed");    // minutes ago, or any other value as is
        QTest::addColumn<bool>("suppressed");
        QTest::addColumn<bool>("presented");
        const QVariant none;
        const auto row = [](const char* name, QVariant decision, QVariant snooze, QVariant launches,
                            QVariant installed, bool suppressed, bool presented) {
            QTest::newRow(name) << decision << snooze << launches << installed << suppressed
                                << presented;
        };
        const int day = 24 * 60;
        row("first launch", none, none, none, none, false, false);
        row("third launch on the install day", none, none, 2, 60, false, true);
        row("second launch two days after install", none, none, 1, 2 * day, false, true);
        row("second launch a minute short of two days", none, none, 1, 2 * day - 1, false, false);
        row("second launch one day after install", none, none, 1, day, false, false);
        row("unreadable count counts as none", none, none, "many", 60, false, false);
        row("install date of the wrong type gives 0 days", none, none, 1, "2020-01-01", false,
            false);
        row("snoozed until tomorrow", "snoozed", 24, 9, 30 * day, false, false);
        row("snooze ended an hour ago", "snoozed", -1, 9, 30 * day, false, true);
        row("snooze ending now has ended", "snoozed", 0, 9, 30 * day, false, true);
        row("snooze end not a date", "snoozed", "tomorrow", 9, 30 * day, false, true);
        row("snooze end without a snooze is ignored", none, 24, 9, 30 * day, false, true);
        row("declined", "declined", none, 9, 30 * day, false, false);
        row("subscribed", "subscribed", none, 9, 30 * day, false, false);
        row("unknown answer counts as none", "Snoozed", 24, 9, 30 * day, false, true);
        row("suppressed during an update", none, none, 9, 30 * day, true, false);
    }
    void automaticPromptFollowsTheStoredAnswerAndTheLaunches() {
        QFETCH(QVariant, decision);
        QFETCH(QVariant, snoozeUntil);
        QFETCH(QVariant, launches);
        QFETCH(QVariant, installed);
        QFETCH(bool, suppressed);
        QFETCH(bool, presented);
        {
            QSettings store = groupStore();
            if (decision.isValid()) {
                store.setValue(decisionKey, decision);
            }
            if (snoozeUntil.typeId() == QMetaType::Int) {
                store.setValue(snoozeKey, now_.addSecs(snoozeUntil.toInt() * 3600));
            } else if (snoozeUntil.isValid()) {
                store.setValue(snoozeKey, snoozeUntil);
            }
            if (launches.isValid()) {
                store.setValue(countKey, launches);
            }
            if (installed.typeId() == QMetaType::Int) {
                store.setValue(installKey, now_.addSecs(-60 * installed.toInt()));
            } else if (installed.isValid()) {
                store.setValue(installKey, installed);
            }
        }
        MailingListManager::shouldSuppressPrompt = [suppressed] { return suppressed; };
        MailingListManager manager(options());

        manager.registerLaunch();
        manager.considerAutomaticPrompt();

        QCOMPARE(manager.isPresented(), presented);
        QSettings store = groupStore();
        QCOMPARE(store.value(shownKey).toDateTime(), presented ? now_ : QDateTime());
        QCOMPARE(store.value(decisionKey), decision);  // the check never answers for the user
    }

    void aLaunchIsCountedAndTheInstallDateKept_data() {
        QTest::addColumn<QVariant>("installed");
        QTest::addColumn<QVariant>("launches");
        QTest::addColumn<int>("counted");
        const QDateTime earlier(QDate(2023, 1, 2), QTime(3, 4));
        QTest::newRow("first launch") << QVariant() << QVariant() << 1;
        QTest::newRow("later launch") << QVariant(earlier) << QVariant(4) << 5;
        QTest::newRow("install date not a date is not replaced")
            << QVariant(QStringLiteral("yesterday")) << QVariant(1) << 2;
        QTest::newRow("unreadable count restarts") << QVariant(earlier) << QVariant("x") << 1;
    }
    void aLaunchIsCountedAndTheInstallDateKept() {
        QFETCH(QVariant, installed);
        QFETCH(QVariant, launches);
        QFETCH(int, counted);
        {
            QSettings store = groupStore();
            if (installed.isValid()) {
                store.setValue(installKey, installed);
            }
            if (launches.isValid()) {
                store.setValue(countKey, launches);
            }
        }
        MailingListManager manager(options());
        manager.registerLaunch();

        QSettings store = groupStore();
        QCOMPARE(store.value(installKey), installed.isValid() ? installed : QVariant(now_));
        QCOMPARE(store.value(countKey).toInt(), counted);
        QVERIFY(!manager.isPresented());
    }

    // Held back by something the user is doing, the prompt waits for the next chance and then
    // gives the user the same moment as at launch.
    void aPromptHeldBackComesOnceNothingHoldsItBack() {
        groupStore().setValue(countKey, 9);
        bool busy = true;
        MailingListManager::shouldSuppressPrompt = [&busy] { return busy; };
        MailingListOptions delayed = options();
        delayed.promptDelay = 50ms;
        MailingListManager manager(delayed);
        QSignalSpy presented(&manager, &MailingListManager::isPresentedChanged);

        manager.considerAutomaticPrompt();
        QVERIFY(!manager.isPresented());
        manager.suppressionLifted();  // still busy when the delay is over: held back again
        QTest::qWait(150);
        QVERIFY(!manager.isPresented());
        busy = false;
        manager.suppressionLifted();
        QVERIFY(!manager.isPresented());
        QVERIFY(presented.wait(5000));
        QVERIFY(manager.isPresented());

        manager.snooze();
        manager.suppressionLifted();  // nothing was held back this time
        QTest::qWait(150);
        QVERIFY(!manager.isPresented());
        MailingListManager::shouldSuppressPrompt = [] { return false; };
    }

    void theMenuShowsThePromptUntilTheUserHasAnsweredForGood_data() {
        QTest::addColumn<QVariant>("decision");
        QTest::addColumn<bool>("optedOut");
        QTest::newRow("no answer") << QVariant() << false;
        QTest::newRow("snoozed until tomorrow") << QVariant("snoozed") << false;
        QTest::newRow("unknown answer") << QVariant("yes please") << false;
        QTest::newRow("declined") << QVariant("declined") << true;
        QTest::newRow("subscribed") << QVariant("subscribed") << true;
    }
    void theMenuShowsThePromptUntilTheUserHasAnsweredForGood() {
        QFETCH(QVariant, decision);
        QFETCH(bool, optedOut);
        if (decision.isValid()) {
            groupStore().setValue(decisionKey, decision);
            groupStore().setValue(snoozeKey, now_.addDays(1));
        }
        // Neither the suppression nor the launch thresholds apply on demand.
        MailingListManager::shouldSuppressPrompt = [] { return true; };
        MailingListManager manager(options());
        QCOMPARE(manager.isOptedOut(), optedOut);

        manager.presentOnDemand();

        QCOMPARE(manager.isPresented(), !optedOut);
        QCOMPARE(groupStore().value(shownKey).toDateTime(), optedOut ? QDateTime() : now_);
    }

    void maybeLaterSnoozesForFourteenCalendarDays_data() {
        QTest::addColumn<QDateTime>("clicked");
        QTest::addColumn<QDateTime>("until");
        QTest::newRow("within a month") << QDateTime(QDate(2024, 5, 10), QTime(9, 30, 15))
                                        << QDateTime(QDate(2024, 5, 24), QTime(9, 30, 15));
        QTest::newRow("across a leap day") << QDateTime(QDate(2024, 2, 20), QTime(23, 59))
                                           << QDateTime(QDate(2024, 3, 5), QTime(23, 59));
        QTest::newRow("across the year") << QDateTime(QDate(2024, 12, 25), QTime(0, 0))
                                         << QDateTime(QDate(2025, 1, 8), QTime(0, 0));
    }
    void maybeLaterSnoozesForFourteenCalendarDays() {
        QFETCH(QDateTime, clicked);
        QFETCH(QDateTime, until);
        now_ = clicked;
        MailingListManager manager(options());
        manager.presentOnDemand();
        QSignalSpy optedOut(&manager, &MailingListManager::isOptedOutChanged);

        manager.snooze();

        QVERIFY(!manager.isPresented());
        QVERIFY(!manager.isOptedOut());
        QCOMPARE(optedOut.count(), 0);
        QSettings store = groupStore();
        QCOMPARE(store.value(decisionKey).toString(), QStringLiteral("snoozed"));
        QCOMPARE(store.value(snoozeKey).toDateTime(), until);
    }

    void dontAskAgainOptsOut() {
        MailingListManager manager(options());
        manager.presentOnDemand();
        QSignalSpy optedOut(&manager, &MailingListManager::isOptedOutChanged);

        manager.decline();

        QVERIFY(!manager.isPresented());
        QVERIFY(manager.isOptedOut());
        QCOMPARE(optedOut.count(), 1);
        QCOMPARE(groupStore().value(decisionKey).toString(), QStringLiteral("declined"));
        QVERIFY(MailingListManager(options()).isOptedOut());
    }

    void anUnwritableGroupStoreFallsBackToTheStandardOne() {
        // A directory where the group's file belongs cannot be written, even by root.
        QVERIFY(QDir(config_.path()).mkpath(groupName_ + QStringLiteral(".ini")));
        MailingListManager manager(options());
        manager.registerLaunch();
        manager.decline();

        QSettings standard = standardStore();
        QCOMPARE(standard.value(decisionKey).toString(), QStringLiteral("declined"));
        QCOMPARE(standard.value(countKey).toInt(), 1);
        QVERIFY(MailingListManager(options()).isOptedOut());
    }

    // Even root cannot write a file with the immutable flag; the test is skipped where the file
    // system has no such flag.
    void aGroupStoreThatCanOnlyBeReadStillHoldsTheAnswer() {
        {
            QSettings store = groupStore();
            store.setValue(decisionKey, QStringLiteral("declined"));
            store.setValue(countKey, 9);
        }
        const QString file = config_.filePath(groupName_ + QStringLiteral(".ini"));
        QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup));
        const bool immutable = ::geteuid() != 0 || setImmutable(file, true);
        const auto writable = qScopeGuard([&] {
            setImmutable(file, false);
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        });
        if (!immutable) {
            QSKIP("this file system cannot make a file read-only for root");
        }
        QVERIFY(!groupStore().isWritable());

        MailingListManager manager(options());
        QVERIFY(manager.isOptedOut());
        manager.registerLaunch();
        manager.presentOnDemand();
        QVERIFY(!manager.isPresented());
        QCOMPARE(standardStore().value(countKey).toInt(), 10);  // counted on from the group's 9
        QCOMPARE(groupStore().value(countKey).toInt(), 9);
    }

    // Values as they may stand in the file: counts beyond any integer, dates cut short.
    void storedValuesReadBackWholeOrNotAtAll_data() {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QByteArray>("countAfter");
        QTest::addColumn<bool>("presented");
        const QByteArray recent =
            "installDate=@DateTime(\\0\\0\\0\\x10\\0\\0\\0\\0\\0\\0%\\x8b\\x19"
            "\\x2\\t\\xd9\\xc0\\0)\n";  // 2024-05-10 09:30, as Qt writes it
        const auto row = [](const char* name, const QByteArray& lines, const char* countAfter,
                            bool presented) {
            QTest::newRow(name) << lines << QByteArray(countAfter) << presented;
        };
        row("the largest int counts on", recent + "launchCount=2147483647\n", "2147483648", true);
        row("beyond 32 bits is not cut", recent + "launchCount=99999999999\n", "100000000000",
            true);
        row("beyond 64 bits saturates", recent + "launchCount=99999999999999999999999\n",
            "9223372036854775807", true);
        row("a negative count reads as none", recent + "launchCount=-7\n", "1", false);
        // Qt reads the missing bytes as zeros: a valid date in 4714 BC.
        row("a date cut short is no date", "installDate=@DateTime(\\0\\0\\0\\x10\\0\\0)\n", "2",
            false);
    }
    void storedValuesReadBackWholeOrNotAtAll() {
        QFETCH(QByteArray, lines);
        QFETCH(QByteArray, countAfter);
        QFETCH(bool, presented);
        QFile file(config_.filePath(groupName_ + QStringLiteral(".ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\n" + lines.replace("installDate", "mailingList.test.app.installDate")
                                       .replace("launchCount", "mailingList.test.app.launchCount"));
        if (!lines.contains("launchCount")) {
            file.write("mailingList.test.app.launchCount=1\n");
        }
        file.close();
        MailingListManager manager(options());

        manager.registerLaunch();
        manager.considerAutomaticPrompt();

        QCOMPARE(groupStore().value(countKey).toByteArray(), countAfter);
        QCOMPARE(manager.isPresented(), presented);
        QVERIFY(groupStore().contains(installKey));  // what is there is never replaced
    }

    void anAnswerBecomesTheStatus_data() {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("endless");  // the body never ends: judged by the code alone
        const auto row = [](const char* name, const QByteArray& response,
                            MailingListManager::SubmitState status, const QString& message,
                            bool endless = false) {
            QTest::newRow(name) << response << int(status) << message << endless;
        };
        row("created", http("201 Created"), MailingListManager::Success, {});
        row("ok", http("200 OK"), MailingListManager::Success, {});
        row("already subscribed", http("409 Conflict"), MailingListManager::Success, {});
        row("address refused", http("422 Unprocessable Entity"), MailingListManager::Failure,
            "Please check your email address and try again.");
        row("server error", http("500 Internal Server Error"), MailingListManager::Failure,
            "Server returned 500. Please try again later.");
        row("a body that never ends", "HTTP/1.1 201 Created\r\nContent-Length: 1073741824\r\n\r\n",
            MailingListManager::Success, {}, true);
        row("headers beyond a few KiB",
            http("201 Created", {}, "X-Padding: " + QByteArray(20000, 'x') + "\r\n"),
            MailingListManager::Failure, "The newsletter service's answer could not be read.");
    }
    void anAnswerBecomesTheStatus() {
        QFETCH(QByteArray, response);
        QFETCH(int, status);
        QFETCH(QString, message);
        QFETCH(bool, endless);
        SubscribeServer server(response,
                               endless ? SubscribeServer::KeepSending : SubscribeServer::HangUp);
        MailingListOptions sending = options();
        sending.subscribeUrl = server.url();
        MailingListManager manager(sending);
        QSignalSpy statuses(&manager, &MailingListManager::statusChanged);
        QSignalSpy optedOut(&manager, &MailingListManager::isOptedOutChanged);

        submitAndWait(manager, QStringLiteral("someone@morvel.example"));

        QCOMPARE(manager.status(), status);
        QCOMPARE(manager.failureMessage(), message);
        QCOMPARE(statuses.count(), 2);  // submitting, then the outcome
        const bool success = status == MailingListManager::Success;
        QCOMPARE(manager.isOptedOut(), success);
        QCOMPARE(optedOut.count(), success ? 1 : 0);
        QCOMPARE(groupStore().value(decisionKey),
                 success ? QVariant(QStringLiteral("subscribed")) : QVariant());
        QCOMPARE(server.requests().size(), 1);

        manager.resetStatus();
        QCOMPARE(manager.status(), int(MailingListManager::Idle));
        QCOMPARE(manager.failureMessage(), QString());
    }

    void aFailedTransferIsSaid_data() {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<bool>("listening");
        QTest::addColumn<QString>("message");
        QTest::newRow("no answer in time")
            << QByteArray() << true << "The newsletter service did not answer in time.";
        QTest::newRow("refused") << QByteArray() << false << "Connection refused";
    }
    void aFailedTransferIsSaid() {
        QFETCH(QByteArray, response);
        QFETCH(bool, listening);
        QFETCH(QString, message);
        std::optional<SubscribeServer> server(std::in_place, response);
        MailingListOptions sending = options();
        sending.subscribeUrl = server->url();
        sending.requestTimeout = 200ms;
        if (!listening) {
            server.reset();
        }
        MailingListManager manager(sending);

        submitAndWait(manager, QStringLiteral("someone@morvel.example"));

        QCOMPARE(manager.status(), int(MailingListManager::Failure));
        QCOMPARE(manager.failureMessage(), message);
        QVERIFY(!manager.isOptedOut());
        QCOMPARE(groupStore().value(decisionKey), QVariant());
    }

    void theRequestCarriesTheAddressAndWhereTheUserIs_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("territory");
        QTest::addColumn<QString>("appId");
        QTest::addColumn<QByteArray>("body");  // %TZ% stands for the system's time zone
        QTest::newRow("trimmed, with a region")
            << QStringLiteral(" \t someone@morvel.example\n") << int(QLocale::Germany)
            << QStringLiteral("test.app")
            << QByteArray(
                   R"({"app":"test.app","country":"Germany","email":"someone@morvel.example",)"
                   R"("tz":"Europe/Berlin"})");
        QTest::newRow("no region")
            << QStringLiteral("someone@morvel.example") << int(QLocale::AnyTerritory)
            << QStringLiteral("test.app")
            << QByteArray(
                   R"({"app":"test.app","email":"someone@morvel.example","tz":"Europe/Berlin"})");
        QTest::newRow("a lone @ is sent, without an application id")
            << QStringLiteral("@") << int(QLocale::UnitedKingdom) << QString()
            << QByteArray(R"({"app":"unknown.app","country":"United Kingdom","email":"@",)"
                          R"("tz":"Europe/Berlin"})");
        QTest::newRow("the system's time zone by default")
            << QStringLiteral("someone@morvel.example") << int(QLocale::AnyTerritory)
            << QStringLiteral("test.app")
            << QByteArray(R"({"app":"test.app","email":"someone@morvel.example","tz":"%TZ%"})");
    }
    void theRequestCarriesTheAddressAndWhereTheUserIs() {
        QFETCH(QString, typed);
        QFETCH(int, territory);
        QFETCH(QString, appId);
        QFETCH(QByteArray, body);
        SubscribeServer server(http("201 Created"));
        MailingListOptions sending = options();
        sending.subscribeUrl = server.url();
        sending.territory = [territory] { return QLocale::Territory(territory); };
        sending.appId = appId;
        if (body.contains("%TZ%")) {
            sending.timeZoneId = nullptr;
            body.replace("%TZ%", QTimeZone::systemTimeZoneId());
        }
        MailingListManager manager(sending);

        submitAndWait(manager, typed);

        QCOMPARE(manager.status(), int(MailingListManager::Success));
        QCOMPARE(server.requests().size(), 1);
        const Request& request = server.requests().first();
        QVERIFY(request.head.startsWith("POST /mailinglist.php HTTP/1.1\r\n"));
        QCOMPARE(header(request, "Content-Type"), QByteArray("application/json"));
        QCOMPARE(header(request, "X-App-Secret"), QByteArray("Brenmoss-4817"));
        // Compact: no spaces or line breaks between the members.
        QVERIFY(!request.body.contains('\n') && !request.body.contains("\": "));
        QCOMPARE(QJsonDocument::fromJson(request.body).toJson(QJsonDocument::Compact), body);
    }

    // The secret goes to the address checked and nowhere else.
    void aRedirectIsTheAnswerNotAWayElsewhere() {
        SubscribeServer elsewhere(http("201 Created"));
        SubscribeServer server(
            "HTTP/1.1 307 Temporary Redirect\r\nLocation: " + elsewhere.url().toEncoded() +
            "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        MailingListOptions sending = options();
        sending.subscribeUrl = server.url();
        MailingListManager manager(sending);

        submitAndWait(manager, QStringLiteral("someone@morvel.example"));

        QCOMPARE(manager.failureMessage(),
                 QStringLiteral("Server returned 307. Please try again later."));
        QCOMPARE(server.requests().size(), 1);
        QVERIFY(elsewhere.requests().isEmpty());
    }

    void nothingIsSentWithoutAnAddress_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("url");  // empty: the local server
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QString() << QString() << invalidAddress;
        QTest::newRow("blank") << QStringLiteral(" \n\t\u00a0\u2003\n") << QString()
                               << invalidAddress;
        QTest::newRow("no @") << QStringLiteral("someone.morvel.example") << QString()
                              << invalidAddress;
        QTest::newRow("the secret over plain http elsewhere")
            << QStringLiteral("someone@morvel.example")
            << QStringLiteral("http://morvel.example/mailinglist.php")
            << QStringLiteral("The newsletter service's address is not a secure one.");
    }
    void nothingIsSentWithoutAnAddress() {
        QFETCH(QString, typed);
        QFETCH(QString, url);
        QFETCH(QString, message);
        SubscribeServer server(http("201 Created"));
        MailingListOptions sending = options();
        sending.subscribeUrl = url.isEmpty() ? server.url() : QUrl(url);
        MailingListManager manager(sending);
        QSignalSpy statuses(&manager, &MailingListManager::statusChanged);

        manager.submit(typed);

        QCOMPARE(manager.status(), int(MailingListManager::Failure));
        QCOMPARE(manager.failureMessage(), message);
        QCOMPARE(statuses.count(), url.isEmpty() ? 1 : 2);  // never submitting for a bad address
        QTest::qWait(50);
        QVERIFY(server.requests().isEmpty());
        QVERIFY(!manager.isOptedOut());
    }
};

QTEST_GUILESS_MAIN(MailingListManagerTest)
#include "MailingListManagerTest.moc"
