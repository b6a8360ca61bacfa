#include <QtQml/qqmlextensionplugin.h>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <memory>

#include "ItemSearch.h"
#include "MailingListManager.h"
#include "SubscribeServer.h"
#include "TempFolder.h"

Q_IMPORT_QML_PLUGIN(Fendry_UiPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_NewsletterPlugin)

using namespace fendry;
using testing_support::SubscribeServer;

namespace {

// The prompt's window over a manager of its own that talks to a local service.
class Prompt {
public:
    explicit Prompt(const QByteArray& response) : server(response), manager(options(server.url())) {
        engine.addImportPath(QStringLiteral("qrc:/"));
        QQmlComponent component(
            &engine, QUrl(QStringLiteral("qrc:/Fendry/Newsletter/qml/MailingListPrompt.qml")));
        window.reset(qobject_cast<QQuickWindow*>(
            component.createWithInitialProperties({{"manager", QVariant::fromValue(&manager)}})));
        if (!window) {
            qWarning() << component.errorString();
        }
    }

    QQuickItem* find(const QString& name) {
        return testing_support::findItem(window->contentItem(), name);
    }
    bool shown(const QString& name) {
        QQuickItem* item = find(name);
        return item && item->isVisible();
    }
    void click(const QString& name) {
        QQuickItem* item = find(name);
        QVERIFY2(item, qPrintable(name));
        QTest::qWait(30);  // let the layout place it
        QTest::mouseClick(window.get(), Qt::LeftButton, {},
                          item->mapToScene({item->width() / 2, item->height() / 2}).toPoint());
    }
    void type(const QString& text) {
        for (const QChar c : text) {
            QTest::keyClick(window.get(), c.toLatin1());
        }
    }
    QString field() { return find("emailField")->property("text").toString(); }

    SubscribeServer server;
    MailingListManager manager;
    QQmlEngine engine;
    std::unique_ptr<QQuickWindow> window;

private:
    static MailingListOptions options(const QUrl& url) {
        MailingListOptions options;
        options.subscribeUrl = url;
        return options;
    }
};

}  // namespace

class MailingListPromptTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config_.path().native()));
    }

    void theFormValidatesShowsFailuresAndStartsAfreshWhenReopened() {
        Prompt p(testing_support::http("422 Unprocessable Entity"));
        QVERIFY(p.window);
        QVERIFY(!p.window->isVisible());
        p.manager.setPresented(true);
        QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
        QCOMPARE(p.window->width(), 420);

        QTRY_VERIFY(p.find("emailField")->hasActiveFocus());
        QVERIFY(!p.find("subscribeButton")->isEnabled());  // empty field
        QTest::keyClick(p.window.get(), Qt::Key_Return);   // does nothing while empty
        QCOMPARE(p.manager.status(), int(MailingListManager::Idle));

        p.type(QStringLiteral(" "));
        QVERIFY(p.find("subscribeButton")->isEnabled());  // enabled before any trimming
        p.click("subscribeButton");
        QCOMPARE(p.manager.status(), int(MailingListManager::Failure));
        QTRY_VERIFY(p.shown("failureMessage"));
        QCOMPARE(p.find("failureMessage")->property("text").toString(),
                 QStringLiteral("Please enter a valid email address."));
        QVERIFY(p.server.requests().isEmpty());

        p.click("emailField");
        p.type(QStringLiteral("me@morvel.example"));
        QTest::keyClick(p.window.get(), Qt::Key_Return);  // the default action
        QCOMPARE(p.manager.status(), int(MailingListManager::Submitting));
        QTRY_VERIFY(p.shown("submittingIndicator"));
        QVERIFY(!p.find("emailField"));  // the form gives way while the request is under way
        QTRY_COMPARE(p.manager.status(), int(MailingListManager::Failure));
        QTRY_VERIFY(p.shown("failureMessage"));
        QCOMPARE(p.find("failureMessage")->property("text").toString(),
                 QStringLiteral("Please check your email address and try again."));
        QCOMPARE(p.field(), QStringLiteral(" me@morvel.example"));  // kept for correcting

        QCOMPARE(p.server.requests().size(), 1);
        p.manager.setPresented(false);
        QTRY_VERIFY(!p.window->isVisible());
        QCOMPARE(p.manager.status(), int(MailingListManager::Idle));
        p.manager.setPresented(true);
        QTRY_VERIFY(p.window->isVisible());
        QTRY_VERIFY(p.find("emailField"));
        QCOMPARE(p.field(), QString());
        QVERIFY(!p.shown("failureMessage"));
    }

    void theThanksCloseTheSheetByThemselvesUnlessDoneCameFirst() {
        Prompt p(testing_support::http("201 Created"));
        p.manager.setPresented(true);
        QVERIFY(QTest::qWaitForWindowExposed(p.window.get()));
        QTRY_VERIFY(p.find("emailField"));
        p.type(QStringLiteral("me@morvel.example"));
        p.click("subscribeButton");
        QTRY_VERIFY(p.shown("thanks"));
        QVERIFY(p.manager.isOptedOut());
        QTRY_VERIFY_WITH_TIMEOUT(!p.manager.isPresented(), 5000);
        QVERIFY(!p.window->isVisible());
        QCOMPARE(p.manager.status(), int(MailingListManager::Idle));

        // "Done" first: the pending dismissal goes with the thanks, and a sheet opened again
        // right away stays open.
        Prompt q(testing_support::http("201 Created"));
        q.manager.setPresented(true);
        QVERIFY(QTest::qWaitForWindowExposed(q.window.get()));
        QTRY_VERIFY(q.find("emailField"));
        q.type(QStringLiteral("me@morvel.example"));
        q.click("subscribeButton");
        QTRY_VERIFY(q.shown("thanks"));
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
