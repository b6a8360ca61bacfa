#pragma once

#include <QtQml/qqmlregistration.h>
#include <QObject>
#include <filesystem>
#include <vector>

#include "FreeSpaceWiper.h"
#include "MailingListManager.h"
#include "MainScreen.h"
#include "PendingItemsModel.h"
#include "SettingsPreferences.h"
#include "Updater.h"
#include "UserIdle.h"

class QQmlApplicationEngine;
class QQuickWindow;
class QWindow;

namespace fendry {

// Centres the window, frame included, on the free part of its screen (without panels and
// docks); a window taller or wider than that keeps its top left corner, and so its menus, on
// the screen.
void placeOnScreen(QWindow& window);

// Places the window once more when it first comes on screen, when its frame is known.
class FramePlacement final : public QObject {
public:
    explicit FramePlacement(QWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWindow& window_;
};

// What every window of ours needs from the application: the main window, the updater, and a
// close that keeps everything.
class BaseAppDelegate : public QObject {
    Q_OBJECT
    Q_PROPERTY(Updater* updater READ updater CONSTANT)
    Q_PROPERTY(MailingListManager* mailingList READ mailingList CONSTANT)

public:
    explicit BaseAppDelegate(QObject* parent = nullptr);

    Updater* updater() { return updaterController_.updater(); }
    MailingListManager* mailingList() { return &MailingListManager::shared(); }
    void setWindow(QWindow* window) { window_ = window; }

    // Closing the main window only minimises it: the list, a run and its summary stay.
    Q_INVOKABLE bool windowShouldClose();
    // Shows the main window in front, as when the application is launched again.
    Q_INVOKABLE void bringToFront();
    // Ends the application. Not through closing its windows: the main window refuses to close.
    Q_INVOKABLE virtual void quit();
    // Opens a new message to the support address in the desktop's mail application; without a
    // subject (a null string) the application's own is used.
    Q_INVOKABLE void openSupportEmail(const QString& subject = QString());

signals:
    // Nothing on the desktop took the support address; `text` is the address, to copy.
    void couldNotOpen(const QString& kind, const QString& text);

private:
    QWindow* window_ = nullptr;
    UpdaterController updaterController_;
};

// The application's own delegate: the pending list, the main screen, and the items opened
// with the application.
class AppDelegate : public BaseAppDelegate {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The application creates the one delegate.")
    Q_PROPERTY(MainScreen* screen READ screen CONSTANT)
    Q_PROPERTY(FreeSpaceWiper* wiper READ wiper CONSTANT)
    Q_PROPERTY(bool showQuitQuestion READ showQuitQuestion WRITE setShowQuitQuestion NOTIFY
                   showQuitQuestionChanged)

public:
    explicit AppDelegate(QObject* parent = nullptr);
    // Runs go through `environment` instead of Qt's thread pool.
    explicit AppDelegate(RunEnvironment environment, QObject* parent = nullptr);

    PendingItemsModel& files() { return files_; }
    MainScreen* screen() { return &screen_; }
    FreeSpaceWiper* wiper() { return &wiper_; }

    // During a run, asks first: quitting leaves the file being overwritten partly overwritten.
    void quit() override;
    // "Stop and Quit": the run stops and the application ends.
    Q_INVOKABLE void stopAndQuit();
    bool showQuitQuestion() const { return showQuitQuestion_; }
    void setShowQuitQuestion(bool show);

    // Builds the main window with the main screen inside and shows it; null if it failed.
    QQuickWindow* showMainWindow(QQmlApplicationEngine& engine);

    // Takes the items in on a later turn of the event loop, in the order given.
    void open(const std::vector<std::filesystem::path>& items);

signals:
    void showQuitQuestionChanged();

private:
    // The newsletter must not come over the confirmation, a run or the failure details, nor
    // while the user is at work: typing or clicking.
    bool promptMustWait();

    PendingItemsModel files_;
    SettingsPreferences preferences_;
    MainScreen screen_;
    FreeSpaceWiper wiper_;
    UserIdle userIdle_{std::chrono::seconds(5)};
    bool showQuitQuestion_ = false;
};

}  // namespace fendry
