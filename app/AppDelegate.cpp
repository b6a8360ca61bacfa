#include "AppDelegate.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QMetaObject>
#include <QPointer>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "QtRunEnvironment.h"
#include "SupportRequest.h"

namespace fendry {

void placeOnScreen(QWindow& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        return;
    }
    const QRect free = screen->availableGeometry();
    const QSize outer = window.size().grownBy(window.frameMargins());
    window.setFramePosition(QPoint(free.x() + std::max(0, (free.width() - outer.width()) / 2),
                                   free.y() + std::max(0, (free.height() - outer.height()) / 2)));
}

FramePlacement::FramePlacement(QWindow& window) : window_(window) {
    window.installEventFilter(this);
}

bool FramePlacement::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Expose && window_.isExposed()) {
        window_.removeEventFilter(this);
        // Before the user could move it: placed again with the frame the window manager gave it.
        if (!window_.frameMargins().isNull()) {
            placeOnScreen(window_);
        }
        deleteLater();
    }
    return false;
}

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
    // Whether a mail application that was found then sent the message is not ours to tell.
    if (url.isValid() && !QDesktopServices::openUrl(url)) {
        emit couldNotOpen(QStringLiteral("mail"), QStringLiteral(FENDRY_SUPPORT_ADDRESS));
    }
}

// The environment only keeps the pointer; the delegate is its main-thread context.
AppDelegate::AppDelegate(QObject* parent) : AppDelegate(qtRunEnvironment(this), parent) {}

AppDelegate::AppDelegate(RunEnvironment environment, QObject* parent)
    : BaseAppDelegate(parent),
      screen_(files_, preferences_, environment),
      wiper_(std::move(environment), [this] { return screen_.isShredding(); }) {
    // A wipe of free space and an erase never run side by side.
    screen_.setOtherWork([this] { return wiper_.isActive(); });
    // A newsletter prompt held back is offered again once nothing holds it back any more.
    const auto offerAgain = [this] {
        if (!promptMustWait()) {
            mailingList()->suppressionLifted();
        }
    };
    connect(&screen_, &MainScreen::showConfirmationDialogChanged, this, offerAgain);
    connect(&screen_, &MainScreen::showFailureDetailsChanged, this, offerAgain);
    connect(&screen_, &MainScreen::runChanged, this, offerAgain);
    connect(&wiper_, &FreeSpaceWiper::stateChanged, this, offerAgain);
    connect(updater(), &Updater::sessionInProgressChanged, this, offerAgain);
    connect(&userIdle_, &UserIdle::becameIdle, this, offerAgain);
    // The question is about a run under way; once the run is over there is nothing to ask.
    connect(&screen_, &MainScreen::runChanged, this, [this] {
        if (!screen_.isShredding()) {
            setShowQuitQuestion(false);
        }
    });
}

bool AppDelegate::promptMustWait() {
    return updater()->sessionInProgress() || screen_.showConfirmationDialog() ||
           screen_.isShredding() || screen_.showFailureDetails() || wiper_.isActive() ||
           !userIdle_.isIdle();
}

void AppDelegate::quit() {
    if (screen_.isShredding()) {
        setShowQuitQuestion(true);
    } else {
        BaseAppDelegate::quit();
    }
}

void AppDelegate::stopAndQuit() {
    setShowQuitQuestion(false);
    screen_.stopRun();
    wiper_.stop();
    BaseAppDelegate::quit();
}

void AppDelegate::setShowQuitQuestion(bool show) {
    if (show != showQuitQuestion_) {
        showQuitQuestion_ = show;
        emit showQuitQuestionChanged();
    }
}

QQuickWindow* AppDelegate::showMainWindow(QQmlApplicationEngine& engine) {
    MailingListManager::shouldSuppressPrompt = [delegate = QPointer<AppDelegate>(this)] {
        return delegate && delegate->promptMustWait();
    };
    engine.addImportPath(QStringLiteral("qrc:/"));  // where the static modules keep their qmldir
    engine.setInitialProperties({{QStringLiteral("appDelegate"), QVariant::fromValue(this)}});
    engine.load(QUrl(QStringLiteral("qrc:/Fendry/App/qml/Main.qml")));
    auto* window = engine.rootObjects().isEmpty()
                       ? nullptr
                       : qobject_cast<QQuickWindow*>(engine.rootObjects().constFirst());
    setWindow(window);
    if (window != nullptr) {
        placeOnScreen(*window);
        window->show();
        // The window manager's frame is known only once the window is on screen.
        auto* placement = new FramePlacement(*window);
        placement->setParent(window);
    }
    return window;
}

void AppDelegate::open(const std::vector<std::filesystem::path>& items) {
    QMetaObject::invokeMethod(
        this, [this, items] { screen_.takeIn(items); }, Qt::QueuedConnection);
}

}  // namespace fendry
