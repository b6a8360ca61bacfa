#include <QtQml/qqmlextensionplugin.h>
#include <QDesktopServices>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QQuickWindow>
#include <QTest>
#include <QtMath>
#include <memory>

#include "AccessibleItems.h"
#include "AccessibleTree.h"
#include "ItemSearch.h"
#include "MailingListManager.h"
#include "OpenedUrls.h"
#include "SubscribeServer.h"
#include "TempFolder.h"

Q_IMPORT_QML_PLUGIN(Fendry_UiPlugin)
Q_IMPORT_QML_PLUGIN(Fendry_NewsletterPlugin)

using namespace fendry;
using testing_support::SubscribeServer;

namespace {

// The prompt over a window of its own, with a manager of its own that talks to a local service.
class Prompt {
public:
    explicit Prompt(const QByteArray& response) : server(response), manager(options(server.url())) {
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
    // The sheet is there and on screen.
    bool shownOnScreen() { return sheet() && QTest::qWaitForWindowExposed(sheet()); }
    QQuickItem* find(const QString& name) {
        return sheet() ? testing_support::findItem(sheet()->contentItem(), name) : nullptr;
    }
    bool shown(const QString& name) {
        QQuickItem* item = find(name);
        return item && item->isVisible();
    }
    void click(const QString& name) {
        QQuickItem* item = find(name);
        QVERIFY2(item, qPrintable(name));
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
    // Presents the prompt and waits for its form, with the keyboard in the address field.
    bool present() {
        manager.setPresented(true);
        return QTest::qWaitFor([this] {
            return shownOnScreen() && find("emailField") && find("emailField")->hasActiveFocus();
        });
    }

    SubscribeServer server;
    MailingListManager manager;
    QQuickView host;

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
        installAccessibleItems();
        QAccessible::setActive(true);  // as when a screen reader is running
    }

    void theFormValidatesShowsFailuresAndStartsAfreshWhenReopened() {
        Prompt p(testing_support::http("422 Unprocessable Entity"));
        QVERIFY(p.host.rootObject());
        QVERIFY(!p.sheet());  // nothing hidden waits in the meantime
        QVERIFY(p.present());
        QCOMPARE(p.sheet()->transientParent(), &p.host);
        QCOMPARE(QAccessible::queryAccessibleInterface(p.sheet())->role(), QAccessible::Dialog);
        QVERIFY(!p.find("subscribeButton")->isEnabled());  // empty field
        QTest::keyClick(p.sheet(), Qt::Key_Return);        // does nothing while empty
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
        QTest::keyClick(p.sheet(), Qt::Key_Return);  // the default action
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
        QTRY_VERIFY(!p.sheet());
        QCOMPARE(p.manager.status(), int(MailingListManager::Idle));
        QVERIFY(p.present());
        QCOMPARE(p.field(), QString());
        QVERIFY(!p.shown("failureMessage"));
    }

    void theThanksCloseTheSheetByThemselvesUnlessDoneCameFirst() {
        const auto thanked = [](Prompt& p) {
            QVERIFY(p.present());
            p.type(QStringLiteral("me@morvel.example"));
            p.click("subscribeButton");
            QTRY_VERIFY(p.shown("thanks"));
        };
        Prompt p(testing_support::http("201 Created"));
        thanked(p);
        QVERIFY(p.manager.isOptedOut());
        QTRY_VERIFY_WITH_TIMEOUT(!p.manager.isPresented(), 5000);
        QTRY_VERIFY(!p.sheet());
        QCOMPARE(p.manager.status(), int(MailingListManager::Idle));

        // "Done" first: the pending dismissal goes with the thanks, and a sheet opened again
        // right away stays open.
        Prompt q(testing_support::http("201 Created"));
        thanked(q);
        q.click("doneButton");
        QVERIFY(!q.manager.isPresented());
        q.manager.setPresented(true);
        QTest::qWait(4000);
        QVERIFY(q.manager.isPresented());
    }

    // Escape closes the sheet the way its window's close button does: it goes, the answer
    // stays as it was, and it can be offered again.
    void escapeClosesTheSheetAsItsCloseButtonDoes() {
        Prompt p(testing_support::http("201 Created"));
        const bool optedOut = p.manager.isOptedOut();
        for (const bool escape : {true, false}) {
            QVERIFY(p.present());
            p.type(QStringLiteral("me"));
            if (escape) {
                QTest::keyClick(p.sheet(), Qt::Key_Escape);
            } else {
                p.sheet()->close();
            }
            QTRY_VERIFY(!p.sheet());
            QVERIFY(!p.manager.isPresented());
            QCOMPARE(p.manager.isOptedOut(), optedOut);
            QCOMPARE(p.manager.status(), int(MailingListManager::Idle));
        }
        QVERIFY(p.server.requests().isEmpty());
    }

    // Tab reaches every control of the sheet, the privacy link too, and Return follows the link.
    void tabReachesEveryControlAndTheLink() {
        Prompt p(testing_support::http("201 Created"));
        testing_support::OpenedUrls opened;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &opened, "open");
        QVERIFY(p.present());
        p.type(QStringLiteral("me@morvel.example"));
        QStringList order;
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(p.sheet(), Qt::Key_Tab);
            order << p.sheet()->activeFocusItem()->objectName();
        }
        QCOMPARE(order, (QStringList{"declineButton", "snoozeButton", "subscribeButton",
                                     "privacyLink", "emailField"}));
        QTest::keyClick(p.sheet(), Qt::Key_Backtab);
        QTest::keyClick(p.sheet(), Qt::Key_Return);
        QCOMPARE(opened.urls, QList<QUrl>{p.manager.privacyPolicyUrl()});
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));

        testing_support::AccessibleTree tree(*p.sheet());
        QVERIFY2(tree.problems.isEmpty(), qPrintable(tree.problems.join('\n')));
        QVERIFY(tree.find(QAccessible::Link, QStringLiteral("Privacy policy")));
    }

    // The sheet is as tall as what it shows: a failure message makes it grow, and the footer
    // keeps its margin below.
    void theSheetIsAsTallAsItsContent() {
        Prompt p(testing_support::http("422 Unprocessable Entity"));
        QVERIFY(p.present());
        const auto footerMargin = [&] {
            QQuickItem* link = p.find("privacyLink");
            return p.sheet()->height() - link->mapToScene({0, link->height()}).y();
        };
        const int without = p.sheet()->height();
        QTRY_COMPARE(footerMargin(), 24.0);

        p.type(QStringLiteral(" "));
        p.click("subscribeButton");
        QTRY_VERIFY(p.shown("failureMessage"));
        const int message = qCeil(p.find("failureMessage")->height());
        QTRY_COMPARE(p.sheet()->height(), without + message + 10);  // the form's spacing
        QTRY_COMPARE(footerMargin(), 24.0);
        testing_support::AccessibleTree tree(*p.sheet());
        QVERIFY2(tree.problems.isEmpty(), qPrintable(tree.problems.join('\n')));
    }

private:
    testing_support::TempFolder config_;
};

QTEST_MAIN(MailingListPromptTest)
#include "MailingListPromptTest.moc"
