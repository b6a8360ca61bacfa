#include "AccessibleItems.h"

// Qt Quick's own accessible interfaces are private API; Debian ships their headers for the Qt
// it builds against.
#include <QtGui/private/qhighdpiscaling_p.h>
#include <QtQuick/private/qaccessiblequickitem_p.h>
#include <QtQuick/private/qaccessiblequickview_p.h>
#include <QtQuick/private/qquickitem_p.h>
#include <QAccessible>
#include <QAccessibleObject>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QScreen>
#include <typeinfo>

namespace fendry {

namespace {

bool showing(const QWindow* window) {
    return window != nullptr && window->isVisible() &&
           !(window->windowStates() & Qt::WindowMinimized);
}

bool shownInParent(const QQuickItem* item) {
    // A scroll indicator draws nothing until the view it belongs to moves.
    if (item->inherits("QQuickScrollIndicator") && !item->property("active").toBool()) {
        return false;
    }
    return item->isVisible() && !qFuzzyIsNull(item->opacity());
}

// Visible, not faded out, in a window that is showing.
bool onScreen(const QQuickItem* item) {
    if (!showing(item->window())) {
        return false;
    }
    for (; item != nullptr; item = item->parentItem()) {
        if (!shownInParent(item)) {
            return false;
        }
    }
    return true;
}

// Qt 6.4's AT-SPI bridge hands positions on as Qt keeps them, in device-independent pixels;
// readers and magnifiers work in the screen's.
QRect inScreenPixels(const QRect& rect, const QWindow* window) {
    return window == nullptr ? rect : QHighDpi::toNativePixels(rect, window);
}

// The nearest accessible items on each branch below `item` that are on screen.
void collectShownChildren(const QQuickItem* item, QList<QQuickItem*>& found) {
    for (QQuickItem* child : item->childItems()) {
        if (!shownInParent(child)) {
            continue;
        }
        if (QQuickItemPrivate::get(child)->isAccessible) {
            found << child;
        } else {
            collectShownChildren(child, found);
        }
    }
}

QList<QQuickItem*> shownChildren(const QQuickItem* item) {
    QList<QQuickItem*> found;
    if (item != nullptr && onScreen(item)) {
        collectShownChildren(item, found);
    }
    return found;
}

// Qt tells assistive technology that an item was hidden or shown from inside the item's
// destructor, after the destructors of its own class have run: its private part is still that
// of its class, its vtable that of a plain item. Asked for its role then (as the AT-SPI bridge
// asks whenever a screen reader listens), a control calls into the class that is gone.
bool halfDestroyed(QQuickItem* item) {
    return item != nullptr && typeid(*item) == typeid(QQuickItem) &&
           typeid(*QQuickItemPrivate::get(item)) != typeid(QQuickItemPrivate);
}

QAccessibleInterface* interfaceAt(const QList<QQuickItem*>& items, int index) {
    return index >= 0 && index < items.size() ? QAccessible::queryAccessibleInterface(items[index])
                                              : nullptr;
}

int indexIn(const QList<QQuickItem*>& items, const QAccessibleInterface* child) {
    return child == nullptr ? -1 : int(items.indexOf(qobject_cast<QQuickItem*>(child->object())));
}

class AccessibleItem final : public QAccessibleQuickItem {
public:
    using QAccessibleQuickItem::QAccessibleQuickItem;

    bool isValid() const override {
        return QAccessibleQuickItem::isValid() && !halfDestroyed(item());
    }
    QRect rect() const override {
        return inScreenPixels(QAccessibleQuickItem::rect(), item()->window());
    }
    QAccessible::Role role() const override {
        if (halfDestroyed(item())) {
            return QAccessible::NoRole;
        }
        // Qt 6.4 calls each title of a menu bar a menu bar of its own, and a busy indicator an
        // indicator, which AT-SPI does not know: it is a progress bar without a value.
        if (item()->inherits("QQuickMenuBarItem")) {
            return QAccessible::MenuItem;
        }
        if (item()->inherits("QQuickBusyIndicator")) {
            return QAccessible::ProgressBar;
        }
        return QAccessibleQuickItem::role();
    }
    QString text(QAccessible::Text type) const override {
        // Qt 6.4 leaves an open menu without a name; it is its title's.
        if (type == QAccessible::Name && role() == QAccessible::PopupMenu) {
            for (const QObject* object = item(); object != nullptr; object = object->parent()) {
                if (object->inherits("QQuickMenu")) {
                    return object->property("title").toString().remove(QLatin1Char('&'));
                }
            }
        }
        return QAccessibleQuickItem::text(type);
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleQuickItem::state();
        state.invisible = !onScreen(item());
        state.disabled = !item()->isEnabled();
        // Off the screen's edges, both in the screen's pixels (Qt compares its own pixels
        // with the screen's).
        const QScreen* screen = item()->window() ? item()->window()->screen() : nullptr;
        state.offscreen = screen != nullptr &&
                          !inScreenPixels(screen->geometry(), item()->window()).intersects(rect());
        // A text is read, not focused, unless the keyboard can really reach it.
        if (role() == QAccessible::StaticText) {
            state.focusable = item()->activeFocusOnTab();
        }
        // Only the item the keys go to, not the scopes around it; and not in a window that is
        // hidden or in the background, where Qt Quick keeps its focus.
        const QQuickWindow* window = item()->window();
        state.focused = !state.invisible && window == QGuiApplication::focusWindow() &&
                        window->activeFocusItem() == item();
        return state;
    }
    // Qt 6.4 offers a value only for controls the user sets; a progress bar has one too.
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface && role() == QAccessible::ProgressBar &&
            item()->property("value").isValid()) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleQuickItem::interface_cast(type);
    }
    QStringList actionNames() const override {
        // A "Press" handled in QML comes on top of the one Qt offers by the item's role.
        QStringList names = QAccessibleQuickItem::actionNames();
        names.removeDuplicates();
        if (role() == QAccessible::ProgressBar) {  // shown, not set
            names.removeAll(QAccessibleActionInterface::increaseAction());
            names.removeAll(QAccessibleActionInterface::decreaseAction());
        }
        return names;
    }
    void setCurrentValue(const QVariant& value) override {
        if (role() != QAccessible::ProgressBar) {
            QAccessibleQuickItem::setCurrentValue(value);
        }
    }
    int childCount() const override { return int(shownChildren(item()).size()); }
    QAccessibleInterface* child(int index) const override {
        return interfaceAt(shownChildren(item()), index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return indexIn(shownChildren(item()), child);
    }
};

class AccessibleWindow final : public QAccessibleQuickWindow {
public:
    explicit AccessibleWindow(QQuickWindow* window) : QAccessibleQuickWindow(window) {}

    QRect rect() const override { return inScreenPixels(QAccessibleQuickWindow::rect(), quick()); }
    // A window of its own that asks something of the user (the newsletter's sheet) is a dialog,
    // whose words a screen reader reads as it opens; Qt 6.4 calls every window a frame.
    QAccessible::Role role() const override {
        return quick()->type() == Qt::Dialog ? QAccessible::Dialog : QAccessibleQuickWindow::role();
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleQuickWindow::state();
        if (!showing(quick())) {
            state.invisible = true;
            state.active = false;
        }
        return state;
    }
    QAccessibleInterface* focusChild() const override {
        return showing(quick()) ? QAccessibleQuickWindow::focusChild() : nullptr;
    }
    int childCount() const override { return int(shownChildren(quick()->contentItem()).size()); }
    QAccessibleInterface* child(int index) const override {
        return interfaceAt(shownChildren(quick()->contentItem()), index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return indexIn(shownChildren(quick()->contentItem()), child);
    }

private:
    QQuickWindow* quick() const { return static_cast<QQuickWindow*>(object()); }
};

// The application's windows, without the hidden ones.
class AccessibleApplication final : public QAccessibleApplication {
public:
    int childCount() const override { return int(shownWindows().size()); }
    QAccessibleInterface* child(int index) const override {
        const QWindowList windows = shownWindows();
        return index >= 0 && index < windows.size() ? windows[index]->accessibleRoot() : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child == nullptr ? -1 : int(shownWindows().indexOf(child->window()));
    }

private:
    static QWindowList shownWindows() {
        QWindowList shown;
        for (QWindow* window : QGuiApplication::topLevelWindows()) {
            if (window->isVisible() && window->type() != Qt::Popup &&
                window->type() != Qt::Desktop && window->accessibleRoot() != nullptr) {
                shown << window;
            }
        }
        return shown;
    }
};

QAccessibleInterface* interfaceFor(const QString& className, QObject* object) {
    // Qt asks for each class of the object in turn, the most derived first; answering for the
    // object's own class comes before Qt's answers, which are for its base classes.
    if (object == nullptr || className != QLatin1StringView(object->metaObject()->className())) {
        return nullptr;
    }
    if (object == QCoreApplication::instance()) {
        return new AccessibleApplication;
    }
    if (auto* window = qobject_cast<QQuickWindow*>(object)) {
        return new AccessibleWindow(window);
    }
    if (auto* item = qobject_cast<QQuickItem*>(object);
        item != nullptr && QQuickItemPrivate::get(item)->isAccessible) {
        return new AccessibleItem(item);
    }
    return nullptr;
}

}  // namespace

void installAccessibleItems() {
    QAccessible::installFactory(interfaceFor);
}

}  // namespace fendry
