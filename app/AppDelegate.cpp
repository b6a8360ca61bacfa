#include "AppDelegate.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QWindow>

#include "QtRunEnvironment.h"

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

AppDelegate::AppDelegate(QObject* parent)
    : BaseAppDelegate(parent), screen_(files_, preferences_, qtRunEnvironment(this)) {}

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
