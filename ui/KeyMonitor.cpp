#include "KeyMonitor.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QQuickItem>
#include <QQuickWindow>

namespace fendry {

namespace {

// Whether the keyboard is in an open menu: its arrow keys are the menu's.
bool inMenu(const QWindow* window) {
    const auto* quick = qobject_cast<const QQuickWindow*>(window);
    for (const QObject* object = quick ? quick->activeFocusItem() : nullptr; object != nullptr;
         object = object->parent()) {
        if (object->inherits("QQuickMenu")) {
            return true;
        }
    }
    return false;
}

}  // namespace

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
    if (event->type() == QEvent::KeyPress && watched->isWindowType() &&
        !inMenu(static_cast<QWindow*>(watched))) {
        return handler_(static_cast<QKeyEvent*>(event)->key());
    }
    return false;
}

}  // namespace fendry
