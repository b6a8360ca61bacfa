#include "AppDelegate.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMetaObject>
#include <QPointer>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QWindow>

#include "QtRunEnvironment.h"
#include "SupportRequest.h"

BaseAppDelegate::BaseAppDelegate(QObject* parent) : QObject(parent) {}

bool BaseAppDelegate::windowShouldClose() {
    if (window_ != nullptr) {
        window_->showMinimized();
    }
    return false;
}

void BaseAppDelegate::bringToFront() {
    if (window_ == nullptr) {
        return;
    }
    if (window_->windowStates() & Qt::WindowMinimized) {
        window_->showNormal();
    } else {
        window_->show();
    }
    window_->raise();
    window_->requestActivate();
}

void BaseAppDelegate::quit() {
    QCoreApplication::exit(0);
}

void BaseAppDelegate::openSupportEmail(const QString& subject) {
    const QUrl url =
        supportMailUrl(QStringLiteral(FENDRY_SUPPORT_ADDRESS), QCoreApplication::applicationName(),
                       subject.isNull() ? std::nullopt : std::optional(subject));
    if (url.isValid()) {
        QDesktopServices::openUrl(url);  // whether a mail application answered is not ours to tell
    }
}

AppDelegate::AppDelegate(QObject* parent)
    : BaseAppDelegate(parent), screen_(files_, preferences_, qtRunEnvironment(this)) {}

QQuickWindow* AppDelegate::showMainWindow(QQmlApplicationEngine& engine) {
    // The newsletter waits while an update session is under way.
    MailingListManager::shouldSuppressPrompt = [delegate = QPointer<AppDelegate>(this)] {
        return delegate && delegate->updater()->sessionInProgress();
    };
    engine.addImportPath(QStringLiteral("qrc:/"));  // where the static modules keep their qmldir
    engine.setInitialProperties({{QStringLiteral("appDelegate"), QVariant::fromValue(this)}});
    engine.load(QUrl(QStringLiteral("qrc:/Fendry/App/qml/Main.qml")));
    auto* window = engine.rootObjects().isEmpty()
                       ? nullptr
                       : qobject_cast<QQuickWindow*>(engine.rootObjects().constFirst());
    setWindow(window);
    return window;
}

void AppDelegate::open(const std::vector<std::filesystem::path>& items) {
    QMetaObject::invokeMethod(
        this,
        [this, items] {
            for (const auto& item : items) {
                files_.add(item);
            }
        },
        Qt::QueuedConnection);
}
