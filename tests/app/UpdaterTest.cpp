#include <QTest>

#include "Appcast.h"

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

}  // namespace

class UpdaterTest : public QObject {
    Q_OBJECT

private slots:
    void versionsOrderByNumberThenText_data() {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<int>("order");
        const auto row = [](const char* name, const char* left, const char* right, int order) {
            QTest::newRow(name) << QString(left) << QString(right) << order;
        };
        row("numeric, not textual", "1.10", "1.9", 1);
        row("missing is zero", "1.2", "1.2.0", 0);
        row("leading zeros", "1.02", "1.2", 0);
        row("first component first", "2", "10.0", -1);
        row("beyond 64 bits", "1.123456789012345678901", "1.99", 1);
        row("pre-release below release", "1.0rc1", "1.0", -1);
        row("pre-release below shorter release", "1.2.0b", "1.2", -1);
        row("number before text", "1.1a", "1.0", 1);
        row("text after number", "1.0a", "1.0b", -1);
    }
    void versionsOrderByNumberThenText() {
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
        row("greatest version, not last", releases, "1.10", "https://morvel.example/fendry/1.10");
        row("namespaced elements, display version first, link",
            rss("<item><m:version>301</m:version><m:shortVersionString>3.1"
                "</m:shortVersionString><link>https://morvel.example/3.1</link></item>"),
            "3.1", "https://morvel.example/3.1");
        row("enclosure attributes, its url over the link",
            rss("<item><link>https://morvel.example/page</link><enclosure m:version=\"7\" "
                "url=\"https://morvel.example/7.tar.gz\"/></item>"),
            "7", "https://morvel.example/7.tar.gz");
        row("items lacking a version, a link or a web link are skipped",
            rss("<item><version>9</version></item>"
                "<item><version>8</version><link>ftp://morvel.example/8</link></item>"
                "<item><version>7</version><link>javascript:alert(1)</link></item>"
                "<item><link>https://morvel.example/none</link></item>" +
                release("1.0")),
            "1.0", "https://morvel.example/fendry/1.0");
        row("no usable item", rss("<item><title>x</title></item>"), "", "");
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
};

QTEST_MAIN(UpdaterTest)
#include "UpdaterTest.moc"
