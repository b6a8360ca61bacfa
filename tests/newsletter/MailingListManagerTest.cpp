#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QDir>
#include <QJsonDocument>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include "HttpServer.h"
#include "MailingListManager.h"

using namespace fendry;
using namespace std::chrono_literals;
using testing_support::http;
using testing_support::HttpServer;

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

// How the prompt is asked for: at launch, at launch while the user is busy, from the menu.
enum Asked { AtLaunch, WhileBusy, FromTheMenu };

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

private slots:
    void initTestCase() {
        QVERIFY(config_.isValid());
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    }

    // Every test starts with stores nobody has written.
    void init() {
        groupName_ = QStringLiteral("group.test%1").arg(++serial_);
        standardStore().clear();
        now_ = QDateTime(QDate(2024, 5, 10), QTime(9, 30));
        MailingListManager::shouldSuppressPrompt = [] { return false; };
    }

    // What the group's store holds, as it may stand in the file, decides whether this launch
    // shows the prompt; the launch is counted and the install date kept.
    void theStoredValuesDecideThePromptAndCountTheLaunch_data() {
        QTest::addColumn<QVariant>("decision");
        QTest::addColumn<QVariant>("snoozeUntil");  // hours from now, or any other value as is
        QTest::addColumn<QVariant>("launches");     // stored before this launch
        QTest::addColumn<QVariant>("installed");    // minutes ago; a byte array as the file has it
        QTest::addColumn<int>("asked");
        QTest::addColumn<bool>("presented");
        QTest::addColumn<QByteArray>("countAfter");
        const QVariant none;
        const auto row = [](const char* name, QVariant decision, QVariant snooze, QVariant launches,
                            QVariant installed, bool presented, const char* countAfter,
                            Asked asked = AtLaunch) {
            QTest::newRow(name) << decision << snooze << launches << installed << int(asked)
                                << presented << QByteArray(countAfter);
        };
        const int day = 24 * 60;
        row("first launch", none, none, none, none, false, "1");
        row("third launch on the install day", none, none, 2, 60, true, "3");
        row("second launch two days after install", none, none, 1, 2 * day, true, "2");
        row("second launch a minute short of two days", none, none, 1, 2 * day - 1, false, "2");
        row("unreadable count counts as none", none, none, "many", 60, false, "1");
        row("install date of the wrong type gives 0 days", none, none, 1, "2020-01-01", false, "2");
        // Qt reads the missing bytes as zeros: a valid date in 4714 BC.
        row("a date cut short is no date", none, none, 1,
            QByteArray("@DateTime(\\0\\0\\0\\x10\\0\\0)"), false, "2");
        row("the largest int counts on", none, none, "2147483647", 0, true, "2147483648");
        row("beyond 32 bits is not cut", none, none, "99999999999", 0, true, "100000000000");
        row("beyond 64 bits saturates", none, none, "99999999999999999999999", 0, true,
            "9223372036854775807");
        row("a negative count reads as none", none, none, -7, 0, false, "1");
        row("snoozed until tomorrow", "snoozed", 24, 9, 30 * day, false, "10");
        row("snooze ended an hour ago", "snoozed", -1, 9, 30 * day, true, "10");
        row("snooze ending now has ended", "snoozed", 0, 9, 30 * day, true, "10");
        row("snooze end not a date", "snoozed", "tomorrow", 9, 30 * day, true, "10");
        row("snooze end without a snooze is ignored", none, 24, 9, 30 * day, true, "10");
        row("declined", "declined", none, 9, 30 * day, false, "10");
        row("subscribed", "subscribed", none, 9, 30 * day, false, "10");
        row("unknown answer counts as none", "Snoozed", 24, 9, 30 * day, true, "10");
        row("held back while the user is busy", none, none, 9, 30 * day, false, "10", WhileBusy);
        // Neither the suppression nor the launch thresholds nor a snooze apply on demand.
        row("on demand", none, none, none, none, true, "1", FromTheMenu);
        row("on demand while snoozed", "snoozed", 24, none, none, true, "1", FromTheMenu);
        row("on demand once declined", "declined", none, none, none, false, "1", FromTheMenu);
        row("on demand once subscribed", "subscribed", none, none, none, false, "1", FromTheMenu);
    }
    void theStoredValuesDecideThePromptAndCountTheLaunch() {
        QFETCH(QVariant, decision);
        QFETCH(QVariant, snoozeUntil);
        QFETCH(QVariant, launches);
        QFETCH(QVariant, installed);
        QFETCH(int, asked);
        QFETCH(bool, presented);
        QFETCH(QByteArray, countAfter);
        const auto fromNow = [this](const QVariant& value, int seconds) {
            return value.typeId() == QMetaType::Int ? QVariant(now_.addSecs(value.toInt() * seconds))
                                                    : value;
        };
        {
            QSettings store = groupStore();
            const QList<std::pair<QString, QVariant>> values{
                {decisionKey, decision},
                {snoozeKey, fromNow(snoozeUntil, 3600)},
                {countKey, launches},
                {installKey, fromNow(installed, -60)}};
            for (const auto& [key, value] : values) {
                if (value.isValid() && value.typeId() != QMetaType::QByteArray) {
                    store.setValue(key, value);
                }
            }
        }
        if (installed.typeId() == QMetaType::QByteArray) {
            QFile file(config_.filePath(groupName_ + QStringLiteral(".ini")));
            QVERIFY(file.open(QIODevice::Append));
            file.write(installKey.toUtf8() + '=' + installed.toByteArray() + '\n');
        }
        const QVariant installedBefore = groupStore().value(installKey);
        MailingListManager::shouldSuppressPrompt = [asked] { return asked != AtLaunch; };
        MailingListManager manager(options());

        manager.registerLaunch();
        asked == FromTheMenu ? manager.presentOnDemand() : manager.considerAutomaticPrompt();

        QCOMPARE(manager.isPresented(), presented);
        QCOMPARE(manager.isOptedOut(), decision == "declined" || decision == "subscribed");
        QSettings store = groupStore();
        QCOMPARE(store.value(shownKey).toDateTime(), presented ? now_ : QDateTime());
        QCOMPARE(store.value(decisionKey), decision);  // the check never answers for the user
        QCOMPARE(store.value(countKey).toByteArray(), countAfter);
        // What is there is never replaced, whatever it holds.
        QCOMPARE(store.value(installKey), installed.isValid() ? installedBefore : QVariant(now_));
    }

    // "Maybe later" puts the automatic prompt off for 14 calendar days; "Don't ask again" for
    // good.
    void anAnswerIsStoredAndClosesThePrompt_data() {
        QTest::addColumn<QDateTime>("clicked");
        QTest::addColumn<QDateTime>("until");  // null: declined
        QTest::newRow("later, within a month") << QDateTime(QDate(2024, 5, 10), QTime(9, 30, 15))
                                               << QDateTime(QDate(2024, 5, 24), QTime(9, 30, 15));
        QTest::newRow("later, across a leap day") << QDateTime(QDate(2024, 2, 20), QTime(23, 59))
                                                  << QDateTime(QDate(2024, 3, 5), QTime(23, 59));
        QTest::newRow("later, across the year") << QDateTime(QDate(2024, 12, 25), QTime(0, 0))
                                                << QDateTime(QDate(2025, 1, 8), QTime(0, 0));
        QTest::newRow("never") << QDateTime(QDate(2024, 5, 10), QTime(9, 30)) << QDateTime();
    }
    void anAnswerIsStoredAndClosesThePrompt() {
        QFETCH(QDateTime, clicked);
        QFETCH(QDateTime, until);
        now_ = clicked;
        MailingListManager manager(options());
        manager.presentOnDemand();
        QSignalSpy optedOut(&manager, &MailingListManager::isOptedOutChanged);

        until.isValid() ? manager.snooze() : manager.decline();

        QVERIFY(!manager.isPresented());
        QCOMPARE(optedOut.count(), until.isValid() ? 0 : 1);
        QCOMPARE(manager.isOptedOut(), !until.isValid());
        QCOMPARE(MailingListManager(options()).isOptedOut(), !until.isValid());
        QSettings store = groupStore();
        QCOMPARE(store.value(decisionKey).toString(), QString(until.isValid() ? "snoozed" : "declined"));
        QCOMPARE(store.value(snoozeKey).toDateTime(), until);
    }

    // A group store that cannot be written leaves the answers and counts to the standard store;
    // one that can still be read keeps its answers and counts on from its own.
    void aGroupStoreThatCannotBeWrittenGivesWayToTheStandardOne_data() {
        QTest::addColumn<bool>("readable");
        QTest::newRow("a folder in its place") << false;
        QTest::newRow("read-only") << true;
    }
    void aGroupStoreThatCannotBeWrittenGivesWayToTheStandardOne() {
        QFETCH(bool, readable);
        const QString file = config_.filePath(groupName_ + QStringLiteral(".ini"));
        if (readable) {
            QSettings store = groupStore();
            store.setValue(decisionKey, QStringLiteral("declined"));
            store.setValue(countKey, 9);
        }
        QVERIFY(readable ? QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup)
                         : QDir(config_.path()).mkpath(file));
        // Even root cannot write a file with the immutable flag.
        const bool readOnly = !readable || ::geteuid() != 0 || setImmutable(file, true);
        const auto writable = qScopeGuard([&] {
            setImmutable(file, false);
            QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        });
        if (!readOnly) {
            QSKIP("this file system cannot make a file read-only for root");
        }
        MailingListManager manager(options());
        QCOMPARE(manager.isOptedOut(), readable);
        manager.registerLaunch();
        manager.decline();

        QCOMPARE(standardStore().value(countKey).toInt(), readable ? 10 : 1);
        QCOMPARE(groupStore().value(countKey).toInt(), readable ? 9 : 0);
        QCOMPARE(standardStore().value(decisionKey).toString(), QStringLiteral("declined"));
        QVERIFY(MailingListManager(options()).isOptedOut());
    }

    void aSubmissionEndsInItsStatus_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("url");  // empty: the local server
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("requests");
        QTest::addColumn<bool>("known");  // the region, application id and time zone
        const auto row = [](const char* name, const QByteArray& response, const QString& message,
                            int requests = 1, HttpServer::Mode mode = HttpServer::Answers,
                            const QString& typed = QStringLiteral(" \t someone@morvel.example\n"),
                            const char* url = "", bool known = true) {
            QTest::newRow(name) << typed << response << int(mode) << QString(url)
                                << int(message.isEmpty() ? MailingListManager::Success
                                                         : MailingListManager::Failure)
                                << message << requests << known;
        };
        row("created", http("201 Created"), {});
        row("ok", http("200 OK"), {});
        // What is not known is left out; a lone "@" is an address.
        row("only what is known", http("201 Created"), {}, 1, HttpServer::Answers, "@", "", false);
        row("already subscribed", http("409 Conflict"), {});
        row("address refused", http("422 Unprocessable Entity"),
            "Please check your email address and try again.");
        row("server error", http("500 Internal Server Error"),
            "Server returned 500. Please try again later.");
        // The body is neither waited for nor kept: the code alone is the answer.
        row("a body that never ends", "HTTP/1.1 201 Created\r\nContent-Length: 1073741824\r\n\r\n",
            {}, 1, HttpServer::Drips);
        row("headers beyond a few KiB",
            http("201 Created", {}, "X-Padding: " + QByteArray(20000, 'x') + "\r\n"),
            "The newsletter service's answer could not be read.");
        // The secret goes to the address checked and nowhere else.
        row("a redirect is the answer, not a way elsewhere",
            http("307 Temporary Redirect", {}, "Location: /elsewhere\r\n"),
            "Server returned 307. Please try again later.");
        row("no answer in time", {}, "The newsletter service did not answer in time.", 0,
            HttpServer::Silent);
        row("refused", {}, "Connection refused", 0, HttpServer::Refused);
        row("empty", {}, invalidAddress, 0, HttpServer::Answers, QString());
        row("blank", {}, invalidAddress, 0, HttpServer::Answers, " \n\t\u00a0\u2003\n");
        row("no @", {}, invalidAddress, 0, HttpServer::Answers, "someone.morvel.example");
        row("the secret over plain http elsewhere", {},
            "The newsletter service's address is not a secure one.", 0, HttpServer::Answers,
            "someone@morvel.example", "http://morvel.example/mailinglist.php");
    }
    void aSubmissionEndsInItsStatus() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, response);
        QFETCH(int, mode);
        QFETCH(QString, url);
        QFETCH(int, status);
        QFETCH(QString, message);
        QFETCH(int, requests);
        QFETCH(bool, known);
        HttpServer server({{"/mailinglist.php", response}}, HttpServer::Mode(mode), false);
        MailingListOptions sending = options();
        sending.subscribeUrl = url.isEmpty() ? server.url("/mailinglist.php") : QUrl(url);
        sending.requestTimeout = mode == HttpServer::Silent ? 200ms : 10s;
        if (!known) {
            sending.territory = [] { return QLocale::AnyTerritory; };
            sending.appId.clear();
            sending.timeZoneId = nullptr;
        }
        MailingListManager manager(sending);
        QSignalSpy statuses(&manager, &MailingListManager::statusChanged);
        QSignalSpy optedOut(&manager, &MailingListManager::isOptedOutChanged);

        manager.submit(typed);
        QTRY_VERIFY_WITH_TIMEOUT(manager.status() == MailingListManager::Success ||
                                     manager.status() == MailingListManager::Failure,
                                 15000);

        QCOMPARE(manager.status(), status);
        QCOMPARE(manager.failureMessage(), message);
        // Submitting, then the outcome; never submitting for a bad address.
        QCOMPARE(statuses.count(), message == invalidAddress ? 1 : 2);
        const bool success = status == MailingListManager::Success;
        QCOMPARE(manager.isOptedOut(), success);
        QCOMPARE(optedOut.count(), success ? 1 : 0);
        QCOMPARE(groupStore().value(decisionKey), success ? QVariant("subscribed") : QVariant());
        QCOMPARE(server.requests().size(), requests);
        if (requests == 1) {  // the address trimmed, where the user is, compact
            const testing_support::Request& request = server.requests().first();
            QVERIFY(request.head.startsWith("POST /mailinglist.php HTTP/1.1\r\n"));
            QVERIFY(request.head.contains("\r\nContent-Type: application/json\r\n"));
            QVERIFY(request.head.contains("\r\nX-App-Secret: Brenmoss-4817\r\n"));
            QCOMPARE(request.body,
                     known ? QByteArray(R"({"app":"test.app","country":"Germany",)"
                                        R"("email":"someone@morvel.example","tz":"Europe/Berlin"})")
                           : "{\"app\":\"unknown.app\",\"email\":\"@\",\"tz\":\"" +
                                 QTimeZone::systemTimeZoneId() + "\"}");
        }

        manager.resetStatus();
        QCOMPARE(manager.status(), int(MailingListManager::Idle));
        QCOMPARE(manager.failureMessage(), QString());
    }
};

QTEST_GUILESS_MAIN(MailingListManagerTest)
#include "MailingListManagerTest.moc"
