#include <QtQml/qqmlextensionplugin.h>
#include <QDesktopServices>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>
#include <QtMath>

#include "AccessibleTree.h"
#include "HttpServer.h"
#include "ItemSearch.h"
#include "MailingListManager.h"
#include "OpenedUrls.h"
#include "ScreenReaderDesktop.h"
#include "TempFolder.h"

Q_IMPORT_QML_PLUGIN(Fendry_UiPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_NewsletterPlugin)

using namespace fendry;

namespace {

// The prompt over a window of its own, with a manager of its own that talks to a local service.
class Prompt {
public:
    explicit Prompt(const QByteArray& status)
        : server({{"/mailinglist.php", testing_support::http(status)}},
                 testing_support::HttpServer::Answers, false),
          manager({.subscribeUrl = server.url("/mailinglist.php")}) {
        host.engine()->addImportPath(QStringLiteral("qrc:/"));
        host.setInitialProperties({{"manager", QVariant::fromValue(&manager)}});
        host.setSource(QUrl(QStringLiteral("qrc:/Fendry/Newsletter/qml/MailingListPrompt.qml")));
        host.show();
    }

    // The sheet's window, which exists only while the prompt is presented.
    QQuickWindow* sheet() {
        QObject* prompt = host.rootObject();
        return prompt ? qobject_cast<QQuickWindow*>(prompt->property("sheet").value<QObject*>())
                      : nullptr;
    }
    QQuickItem* find(const char* name) {
        return sheet() ? testing_support::findItem(sheet()->contentItem(), name) : nullptr;
    }
    bool shown(const char* name) { return find(name) && find(name)->isVisible(); }
    void click(const char* name) {
        QQuickItem* item = find(name);
        QVERIFY2(item, name);
        QTest::qWait(30);  // let the layout place it
        QTest::mouseClick(sheet(), Qt::LeftButton, {},
                          item->mapToScene({item->width() / 2, item->height() / 2}).toPoint());
    }
    void type(const QString& text) {
        for (const QChar c : text) {
            QTest::keyClick(sheet(), c.toLatin1());
        }
    }
    QString field() { return find("emailField")->property("text").toString(); }
    // Presents the prompt and waits for its form on screen, with the keyboard in the field.
    bool present() {
        manager.setPresented(true);
        return QTest::qWaitFor([this] {
            return sheet() && QTest::qWaitForWindowExposed(sheet()) && find("emailField") &&
                   find("emailField")->hasActiveFocus();
        });
    }

    testing_support::HttpServer server;
    MailingListManager manager;
    QQuickView host;
};

}  // namespace

class MailingListPromptTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { testing_support::becomeScreenReaderDesktop(config_); }

    // The form checks the address, shows what went wrong in a sheet that grows to hold it,
    // reaches every control and the privacy link by Tab, and starts afresh when reopened.
    void theFormValidatesShowsFailuresAndStartsAfreshWhenClosed() {
        Prompt p("422 Unprocessable Entity");
        QVERIFY(p.host.rootObject());
        QVERIFY(!p.sheet());  // nothing hidden waits in the meantime
        QVERIFY(p.present());
        QCOMPARE(p.sheet()->transientParent(), &p.host);
        QCOMPARE(QAccessible::queryAccessibleInterface(p.sheet())->role(), QAccessible::Dialog);
        QVERIFY(!p.find("subscribeButton")->isEnabled());  // empty field
        QTest::keyClick(p.sheet(), Qt::Key_Return);        // does nothing while empty
        QCOMPARE(p.manager.status(), int(MailingListManager::Idle));
        // The sheet is as tall as what it shows, and the footer keeps its margin below.
        const auto footerMargin = [&] {
            QQuickItem* link = p.find("privacyLink");
            return p.sheet()->height() - link->mapToScene({0, link->height()}).y();
        };
        const int without = p.sheet()->height();
        QTRY_COMPARE(footerMargin(), 24.0);

        p.type(QStringLiteral(" "));
        QVERIFY(p.find("subscribeButton")->isEnabled());  // enabled before any trimming
        p.click("subscribeButton");
        QCOMPARE(p.manager.status(), int(MailingListManager::Failure));
        QTRY_VERIFY(p.shown("failureMessage"));
        QCOMPARE(p.find("failureMessage")->property("text").toString(),
                 QStringLiteral("Please enter a valid email address."));
        const int message = qCeil(p.find("failureMessage")->height());
        QTRY_COMPARE(p.sheet()->height(), without + message + 10);  // the form's spacing
        QTRY_COMPARE(footerMargin(), 24.0);
        QVERIFY(testing_support::AccessibleTree(*p.sheet()).find(QAccessible::Link,
                                                                 QStringLiteral("Privacy policy")));

        p.click("emailField");
        p.type(QStringLiteral("me@morvel.example"));
        testing_support::OpenedUrls opened;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &opened, "open");
        QStringList order;
        for (const auto key : {Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return,
                               Qt::Key_Tab}) {
            QTest::keyClick(p.sheet(), key);  // Return on the link follows it
            order << p.sheet()->activeFocusItem()->objectName();
        }
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(order, (QStringList{"declineButton", "snoozeButton", "subscribeButton",
                                     "privacyLink", "privacyLink", "emailField"}));
        QCOMPARE(opened.urls, QList<QUrl>{p.manager.privacyPolicyUrl()});
        QVERIFY(p.server.requests().isEmpty());

        QTest::keyClick(p.sheet(), Qt::Key_Return);  // the default action
        QCOMPARE(p.manager.status(), int(MailingListManager::Submitting));
        QTRY_VERIFY(p.shown("submittingIndicator"));
        QVERIFY(!p.find("emailField"));  // the form gives way while the request is under way
        QTRY_VERIFY(p.shown("failureMessage"));
        QCOMPARE(p.find("failureMessage")->property("text").toString(),
                 QStringLiteral("Please check your email address and try again."));
        QCOMPARE(p.field(), QStringLiteral(" me@morvel.example"));  // kept for correcting
        QCOMPARE(p.server.requests().size(), 1);

        p.manager.setPresented(false);
        QTRY_VERIFY(!p.sheet());
        QCOMPARE(p.manager.status(), int(MailingListManager::Idle));

        // Escape closes the sheet the way its window's close button does: it goes, the answer
        // stays as it was, and it can be offered again, afresh.
        for (const bool escape : {true, false}) {
            QVERIFY(p.present());
            QCOMPARE(p.field(), QString());
            QVERIFY(!p.shown("failureMessage"));
            p.type(QStringLiteral("me"));
            escape ? QTest::keyClick(p.sheet(), Qt::Key_Escape) : void(p.sheet()->close());
            QTRY_VERIFY(!p.sheet());
            QVERIFY(!p.manager.isPresented());
            QVERIFY(!p.manager.isOptedOut());
            QCOMPARE(p.manager.status(), int(MailingListManager::Idle));
        }
        QCOMPARE(p.server.requests().size(), 1);
    }

    void theThanksCloseTheSheetByThemselvesUnlessDoneCameFirst() {
        const auto thanked = [](Prompt& p) {
            QVERIFY(p.present());
            p.type(QStringLiteral("me@morvel.example"));
            p.click("subscribeButton");
            QTRY_VERIFY(p.shown("thanks"));
        };
        Prompt p("201 Created");
        thanked(p);
        QVERIFY(p.manager.isOptedOut());
        QTRY_VERIFY_WITH_TIMEOUT(!p.sheet(), 5000);
        QCOMPARE(p.manager.status(), int(MailingListManager::Idle));

        // "Done" first: the pending dismissal goes with the thanks, and a sheet opened again
        // right away stays open.
        Prompt q("201 Created");
        thanked(q);
        q.click("doneButton");
        QVERIFY(!q.manager.isPresented());
        q.manager.setPresented(true);
        QTest::qWait(4000);
        QVERIFY(q.manager.isPresented());
    }

private:
    testing_support::TempFolder config_;
};

QTEST_MAIN(MailingListPromptTest)
#include "MailingListPromptTest.moc"
