#include <QDesktopServices>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <QtQml/qqmlextensionplugin.h>
#include <atomic>

#include "Appcast.h"
#include "HttpServer.h"
#include "ItemSearch.h"
#include "Markup.h"
#include "OpenedUrls.h"
#include "Updater.h"

Q_IMPORT_QML_PLUGIN(Fendry_UiPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_AppPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_NewsletterPlugin)

using namespace fendry;
using namespace std::chrono_literals;
using testing_support::http;
using testing_support::HttpServer;

namespace {

QByteArray rss(const QByteArray& items) {
    return "<?xml version=\"1.0\"?><rss version=\"2.0\" "
           "xmlns:m=\"https://morvel.example/xmlns/release\">"
           "<channel><title>Fendry</title>" +
           items + "</channel></rss>";
}

QByteArray release(const QByteArray& version) {
    return "<item><title>Fendry " + version + "</title><m:shortVersionString>" + version +
           "</m:shortVersionString><enclosure url=\"https://morvel.example/fendry/" + version +
           "\" length=\"1\"/></item>";
}

const QByteArray releases = rss(release("1.9") + release("1.10") + release("1.2"));
constexpr qint64 kMaxFeed = 4096;

// Whom the client trusts; Plain: a server that speaks no TLS at all.
enum Server { Trusted, Untrusted, Plain };

std::pair<bool, bool> state(const Updater& updater) {
    return {updater.canCheckForUpdates(), updater.sessionInProgress()};
}

}  // namespace

class UpdaterTest : public QObject {
    Q_OBJECT

private slots:
    void versionsOrderAsDebianOrdersThem_data() {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<int>("order");
        const auto row = [](const char* name, const char* left, const char* right, int order) {
            QTest::newRow(name) << QString(left) << QString(right) << order;
        };
        // Each as `dpkg --compare-versions` answers.
        row("digits as numbers", "1.10", "1.9", 1);
        row("digits as numbers after letters", "1.0rc10", "1.0rc2", 1);
        row("beyond 64 bits", "1.123456789012345678901", "1.99", 1);
        row("leading zeros", "1.02", "1.2", 0);
        row("a missing part is less", "1.2", "1.2.0", -1);
        row("tilde before the end", "1.0~rc1", "1.0", -1);
        row("tilde before tilde", "1.0~~", "1.0~", -1);
        row("letters after the end", "1.0a", "1.0", 1);
        row("letters before other characters", "1.0a", "1.0+", -1);
        row("plus after the end", "1.2+deb1", "1.2", 1);
        row("leading v, same version", "v2.0", "2.0", 0);
        row("revision after the last hyphen", "1.0-2", "1.0-10", -1);
        row("no revision before one", "1.0", "1.0-1", -1);
        row("epoch first", "1:0.1", "9.9", 1);
    }
    void versionsOrderAsDebianOrdersThem() {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(int, order);
        QCOMPARE(appcast::compareVersions(left, right), order);
        QCOMPARE(appcast::compareVersions(right, left), -order);
    }

    void theFeedYieldsItsNewestUsableRelease_data() {
        QTest::addColumn<QByteArray>("feed");
        QTest::addColumn<QString>("version");  // empty: nothing usable
        QTest::addColumn<QString>("link");
        const auto row = [](const char* name, const QByteArray& feed, const char* version,
                            const char* link) {
            QTest::newRow(name) << feed << QString(version) << QString(link);
        };
        row("namespaced elements, display version first, link",
            rss("<item><m:version>301</m:version><m:shortVersionString>3.1"
                "</m:shortVersionString><link>https://morvel.example/3.1</link></item>"),
            "3.1", "https://morvel.example/3.1");
        row("enclosure attributes, its url over the link",
            rss("<item><link>https://morvel.example/page</link><enclosure m:version=\"7\" "
                "url=\"https://morvel.example/7.tar.gz\"/></item>"),
            "7", "https://morvel.example/7.tar.gz");
        row("items lacking a version or a link are skipped",
            rss("<item><version>9</version></item>"
                "<item><link>https://morvel.example/none</link></item>" +
                release("1.0")),
            "1.0", "https://morvel.example/fendry/1.0");
        const auto linked = [](const QByteArray& link) {
            return rss("<item><version>2</version><link>" + link + "</link></item>");
        };
        row("http is never opened", linked("http://morvel.example/2"), "2", "");
        row("nor a link with user information", linked("https://me:pw@morvel.example/2"), "2", "");
        row("nor another scheme", linked("javascript:alert(1)"), "2", "");
        row("an unusable enclosure gives way to the link",
            rss("<item><version>2</version><enclosure url=\"http://morvel.example/2.tar\"/>"
                "<link>https://morvel.example/2</link></item>"),
            "2", "https://morvel.example/2");
        const auto paged = [](const QByteArray& version) {
            return "<item><m:shortVersionString>" + version +
                   "</m:shortVersionString><link>https://morvel.example/page</link></item>";
        };
        const QByteArray longest(64, '9');
        row("versions with markup, odd characters or too long are unreadable",
            rss(paged("9.0&lt;img src=&quot;http://morvel.example/x.png&quot;&gt;") + paged("9 0") +
                paged("9.0\xE2\x80\xAE") + paged(longest + "1") + paged("1.0~rc+1-2")),
            "1.0~rc+1-2", "https://morvel.example/page");
        row("no usable item", rss("<item><title>x</title></item>"), "", "");
        // Each holds a usable release, but more than a feed of releases needs.
        QByteArray attributes;
        for (int i = 0; i < 200000; ++i) {
            attributes += " a" + QByteArray::number(i) + "=\"\"";
        }
        row("200,000 attributes on one element",
            rss("<item><enclosure" + attributes +
                " url=\"https://morvel.example/2\"/>"
                "<version>2</version></item>"),
            "", "");
        QByteArray elements;
        for (int i = 0; i <= appcast::kMaxElements; ++i) {
            elements += "<x/>";
        }
        row("more elements than a feed needs", rss(elements + release("2")), "", "");
        row("nested deeper than a feed needs",
            rss(release("2") + QByteArray("<x>").repeated(appcast::kMaxDepth) +
                QByteArray("</x>").repeated(appcast::kMaxDepth)),
            "", "");
        row("a tag longer than a feed needs",
            rss("<item title=\"" + QByteArray(appcast::kMaxTagBytes, 'x') + "\"><version>2" +
                "</version><link>https://morvel.example/2</link></item>"),
            "", "");
        row("a document type, which could declare entities or attributes",
            "<?xml version=\"1.0\"?><!DOCTYPE rss [<!ENTITY v \"2\">]><rss><channel><item>"
            "<version>&v;</version><link>https://morvel.example/2</link></item></channel></rss>",
            "", "");
        // Encoded otherwise, the markup would hide from the check that the reader then reads.
        const QString document = QString::fromUtf8(rss(release("2")));
        row("not UTF-8",
            "\xFF\xFE" +
                QByteArray(reinterpret_cast<const char*>(document.utf16()), document.size() * 2),
            "", "");
        row("not RSS", "<feed xmlns=\"http://www.w3.org/2005/Atom\"><entry/></feed>", "", "");
        row("truncated", releases.left(releases.size() - 20), "", "");
        row("not XML", "{\"version\": \"9\"}", "", "");
    }
    void theFeedYieldsItsNewestUsableRelease() {
        QFETCH(QByteArray, feed);
        QFETCH(QString, version);
        QFETCH(QString, link);
        const std::optional<appcast::Release> newest = appcast::newestRelease(feed);
        QCOMPARE(newest.has_value(), !version.isEmpty());
        if (newest) {
            QCOMPARE(newest->version, version);
            QCOMPARE(newest->downloadUrl, QUrl(link));
        }
    }

    void aCheckEndsInItsOutcomeAndHoldsItUntilDismissed_data() {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("latest");  // or the failure reason
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("server");
        const auto row = [](const char* name, const QByteArray& response, const char* current,
                            Updater::Outcome outcome, const char* latest,
                            HttpServer::Mode mode = HttpServer::Answers, Server server = Trusted) {
            QTest::newRow(name) << response << QString(current) << int(outcome) << QString(latest)
                                << int(mode) << int(server);
        };
        const QByteArray ok = http("200 OK", releases);
        const char* secure = "A secure connection to the update server could not be made.";
        const char* late = "The update server did not answer in time.";
        const auto redirect = [](const QByteArray& location) {
            return http("302 Found", {}, "Location: " + location + "\r\n");
        };
        const char* unreadable = "The update information could not be read.";
        const char* moved = "The update server answered with status 302.";
        row("newer", ok, "1.9", Updater::UpdateAvailable, "1.10");
        const QByteArray longest(64, '9');
        row("newer, as long as a version may be", http("200 OK", rss(release(longest))), "1.9",
            Updater::UpdateAvailable, longest.constData());
        row("same", ok, "1.10.0", Updater::UpToDate, "1.10");
        row("older", ok, "2.0", Updater::UpToDate, "1.10");
        row("redirected within https", redirect("https://127.0.0.1:%PORT%/moved"), "1.9",
            Updater::UpdateAvailable, "1.10");
        row("redirected relatively", redirect("/moved"), "1.9", Updater::UpdateAvailable, "1.10");
        row("redirected to http", redirect("http://127.0.0.1:%PORT%/moved"), "1.9", Updater::Failed,
            secure);
        row("redirected to another host", redirect("https://localhost:%PORT%/moved"), "1.9",
            Updater::Failed, moved);
        row("redirected in circles", redirect("/appcast.xml"), "1.9", Updater::Failed, moved);
        row("headers beyond a few KiB",
            http("200 OK", releases, "X-Padding: " + QByteArray(20000, 'x') + "\r\n"), "1.9",
            Updater::Failed, unreadable);
        row("malformed feed", http("200 OK", "<rss><channel><item>"), "1.9", Updater::Failed,
            unreadable);
        row("not found", http("404 Not Found", "gone"), "1.9", Updater::Failed,
            "The update server answered with status 404.");
        row("too large",
            http("200 OK", rss(release("2.0") + "<!--" + QByteArray(kMaxFeed, 'x') + "-->")), "1.9",
            Updater::Failed, unreadable);
        row("drips a byte at a time", "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n", "1.9",
            Updater::Failed, late, HttpServer::Drips);
        row("silent after the handshake", {}, "1.9", Updater::Failed, late, HttpServer::Silent);
        row("silent before the handshake", {}, "1.9", Updater::Failed, late, HttpServer::Silent,
            Plain);
        row("refused", {}, "1.9", Updater::Failed,
            "The update server could not be reached. Check the network connection.",
            HttpServer::Refused);
        row("untrusted certificate", ok, "1.9", Updater::Failed, secure, HttpServer::Answers,
            Untrusted);
    }
    // The dialog shows what the check found, as it is and within the card however long it is;
    // opening the download shows its page and ends the session, as dismissing does.
    void aCheckEndsInItsOutcomeAndHoldsItUntilDismissed() {
        QFETCH(QByteArray, response);
        QFETCH(QString, current);
        QFETCH(int, outcome);
        QFETCH(QString, latest);
        QFETCH(int, mode);
        QFETCH(int, server);
        HttpServer feed({{"/appcast.xml", response}, {"/moved", http("200 OK", releases)}},
                        HttpServer::Mode(mode), server != Plain);
        const bool late = mode == HttpServer::Drips || mode == HttpServer::Silent;
        QUrl url = feed.url("/appcast.xml");
        url.setScheme("https");  // the plain server too, which is silent before any handshake
        Updater updater({url, late ? 300ms : 10s,
                         server == Trusted ? trusted : QList<QSslCertificate>{}, current,
                         kMaxFeed});
        QQmlApplicationEngine engine;
        engine.addImportPath(QStringLiteral("qrc:/"));
        engine.setInitialProperties({{QStringLiteral("updater"), QVariant::fromValue(&updater)}});
        engine.loadData(
            "import QtQuick\nimport QtQuick.Controls.Basic\nimport Fendry.App\n"
            "ApplicationWindow {\n id: window; required property Updater updater\n"
            " width: 400; height: 500; visible: true\n"
            " UpdateResultDialog { updater: window.updater }\n}\n");
        auto* window = qobject_cast<QQuickWindow*>(engine.rootObjects().value(0));
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        updater.checkForUpdates();  // ignored: not started
        QCOMPARE(state(updater), std::pair(false, false));
        updater.start();
        QSignalSpy canCheck(&updater, &Updater::canCheckForUpdatesChanged);
        QSignalSpy session(&updater, &Updater::sessionInProgressChanged);
        QSignalSpy result(&updater, &Updater::resultChanged);

        updater.checkForUpdates();
        updater.checkForUpdates();  // ignored: one check at a time
        QCOMPARE(state(updater), std::pair(false, true));
        QVERIFY(result.wait(10000));
        QCOMPARE(state(updater), std::pair(true, true));
        QCOMPARE(canCheck.count(), 2);
        QCOMPARE(session.count(), 1);
        QCOMPARE(result.count(), 1);
        QCOMPARE(int(updater.outcome()), outcome);
        const bool failed = outcome == Updater::Failed;
        QCOMPARE(updater.latestVersion(), failed ? QString() : latest);
        QCOMPARE(updater.failureReason(), failed ? latest : QString());
        const bool available = outcome == Updater::UpdateAvailable;
        const QUrl download(available ? "https://morvel.example/fendry/" + latest : QString());
        QCOMPARE(updater.downloadUrl(), download);

        const QString shown = outcome == Updater::UpToDate ? current : latest;
        QQuickItem* message = testing_support::findItem(window->contentItem(), "updateMessage");
        QTRY_VERIFY(message && message->isVisible() &&
                    message->property("text").toString().contains(shown));
        QTRY_VERIFY(message->width() > 0 &&
                    message->property("contentWidth").toReal() <= message->width());
        const auto texts = testing_support::textsCarrying(window->contentItem(), shown);
        QCOMPARE(texts.count, 1);
        QCOMPARE(texts.asMarkup, QStringList());
        testing_support::OpenedUrls opened;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &opened, "open");
        available ? updater.openDownload() : updater.dismissResult();
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(opened.urls, available ? QList{download} : QList<QUrl>());
        QCOMPARE(state(updater), std::pair(true, false));
        QCOMPARE(updater.outcome(), Updater::None);
        QVERIFY(updater.failureReason().isEmpty());
        QTRY_VERIFY(!message->isVisible());
    }

    // The feed is read away from the window's thread, within the check's time: cancelling, or
    // the deadline, ends the check at once while the reading is still busy, and stops it.
    void readingTheFeedHoldsNeitherTheWindowNorCancel() {
        HttpServer feed({{"/appcast.xml", http("200 OK", releases)}});
        for (const bool cancel : {true, false}) {
            std::atomic<bool> reading = false, stopped = false, onWindowThread = false;
            UpdaterOptions options{feed.url("/appcast.xml"), cancel ? 10s : 2s, trusted, "1.0"};
            options.readFeed = [&](const QByteArray&, const std::atomic<bool>& cancelled) {
                onWindowThread = QThread::currentThread() == qApp->thread();
                reading = true;
                while (!onWindowThread && !cancelled) {  // busy until told to stop
                    QThread::msleep(1);
                }
                stopped = true;
                return std::optional<appcast::Release>();
            };
            Updater updater(options);
            updater.start();
            QSignalSpy result(&updater, &Updater::resultChanged);
            updater.checkForUpdates();
            QTRY_VERIFY(reading);
            QVERIFY(!onWindowThread);
            if (cancel) {
                QCOMPARE(state(updater), std::pair(false, true));
                updater.dismissResult();
                QCOMPARE(state(updater), std::pair(true, false));
            } else {
                QTRY_COMPARE(updater.failureReason(),
                             QStringLiteral("The update information could not be read."));
            }
            QTRY_VERIFY(stopped);
            QVERIFY(!result.wait(300));  // what the stopped reading returns is dropped
        }
    }

    void aCheckNeedsAnHttpsFeed() {
        Updater updater({QUrl(QStringLiteral("http://127.0.0.1:1/appcast.xml")), 10s, {}, {}});
        updater.start();
        updater.checkForUpdates();
        QCOMPARE(state(updater), std::pair(true, true));
        QCOMPARE(updater.failureReason(),
                 QStringLiteral("The update server's address is not a secure one."));
    }

private:
    const QList<QSslCertificate> trusted{testing_support::testCertificate()};
};

QTEST_MAIN(UpdaterTest)
#include "UpdaterTest.moc"
