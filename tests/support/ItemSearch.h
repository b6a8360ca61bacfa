#pragma once

#include <QQuickItem>

namespace testing_support {

// Finds an item by object name among those on screen: list rows and popups have no object
// parent, so the item tree is searched rather than the object tree.
inline QQuickItem* findItem(QQuickItem* item, const QString& objectName) {
    if (item->objectName() == objectName) {
        return item;
    }
    for (QQuickItem* child : item->childItems()) {
        if (QQuickItem* found = findItem(child, objectName)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace testing_support
