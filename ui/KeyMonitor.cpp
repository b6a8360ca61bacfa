#include "KeyMonitor.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>

namespace fendry {

KeyMonitor::KeyMonitor(Handler handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {}

KeyMonitor::~KeyMonitor() {
    setInstalled(false);
}

void KeyMonitor::setInstalled(bool installed) {
    if (installed == installed_ || QCoreApplication::instance() == nullptr) {
        return;
    }
    installed_ = installed;
    if (installed) {
        QCoreApplication::instance()->installEventFilter(this);
    } else {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

bool KeyMonitor::eventFilter(QObject* watched, QEvent* event) {
    // A key press reaches its window first and is then passed on to the focused item; taking
    // it at the window sees each press once, before any control.
    if (event->type() == QEvent::KeyPress && watched->isWindowType()) {
        return handler_(static_cast<QKeyEvent*>(event)->key());
    }
    return false;
}

}  // namespace fendry
