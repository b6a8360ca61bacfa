#include "UserIdle.h"

#include <QCoreApplication>
#include <QEvent>

namespace fendry {

UserIdle::UserIdle(std::chrono::milliseconds quiet, QObject* parent) : QObject(parent) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(quiet);
    connect(&quiet_, &QTimer::timeout, this, [this] {
        idle_ = true;
        emit becameIdle();
    });
    quiet_.start();
    QCoreApplication::instance()->installEventFilter(this);
}

UserIdle::~UserIdle() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool UserIdle::eventFilter(QObject* watched, QEvent* event) {
    // Each input reaches its window first: counted there, once.
    if (!watched->isWindowType()) {
        return false;
    }
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
            idle_ = false;
            quiet_.start();
            break;
        default: break;
    }
    return false;
}

}  // namespace fendry
