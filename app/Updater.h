#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

// The application's updater: started once at launch, it tells whether a check can start now
// and whether an update session is under way.
class Updater : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The application owns the one updater.")
    Q_PROPERTY(bool canCheckForUpdates READ canCheckForUpdates NOTIFY canCheckForUpdatesChanged)
    Q_PROPERTY(bool sessionInProgress READ sessionInProgress NOTIFY sessionInProgressChanged)

public:
    explicit Updater(QObject* parent = nullptr);

    void start();
    bool isStarted() const { return started_; }
    // Idle and started: a check may begin.
    bool canCheckForUpdates() const { return started_ && !sessionInProgress_; }
    bool sessionInProgress() const { return sessionInProgress_; }

signals:
    void canCheckForUpdatesChanged();
    void sessionInProgressChanged();

private:
    bool started_ = false;
    bool sessionInProgress_ = false;
};

// Creates the updater and starts it at once, for the life of the application.
class UpdaterController final {
public:
    UpdaterController() { updater_.start(); }
    Updater* updater() { return &updater_; }

private:
    Updater updater_;
};
