#include "AltKeyTap.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace fendry {

AltKeyTap::AltKeyTap(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
}

AltKeyTap::~AltKeyTap() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool AltKeyTap::eventFilter(QObject* watched, QEvent* event) {
    // Each key reaches its window first and then the focused item: the window sees it once.
    if (!watched->isWindowType()) {
        return false;
    }
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            // Whether Alt itself is counted among the modifiers differs between platforms.
            armed_ = key->key() == Qt::Key_Alt && !key->isAutoRepeat() &&
                     (key->modifiers() & ~Qt::AltModifier) == Qt::NoModifier;
            break;
        }
        case QEvent::KeyRelease:
            if (armed_ && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Alt) {
                armed_ = false;
                emit tapped();
            }
            break;
        // Alt with a click or a drag is the window manager's, not ours.
        case QEvent::MouseButtonPress:
        case QEvent::Wheel:
        case QEvent::FocusOut: armed_ = false; break;
        default: break;
    }
    return false;
}

}  // namespace fendry
