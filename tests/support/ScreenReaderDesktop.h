#pragma once

#include <QAccessible>
#include <QByteArray>

#include "AccessibleItems.h"
#include "TempFolder.h"

namespace testing_support {

// The desktop the window's tests run on: settings kept in `config`, a screen reader running,
// and no application on the PATH to open anything unless a test installs a handler.
inline void becomeScreenReaderDesktop(const TempFolder& config) {
    const QByteArray folder = QByteArray::fromStdString(config.path().native());
    qputenv("XDG_CONFIG_HOME", folder);
    fendry::installAccessibleItems();
    QAccessible::setActive(true);
    qputenv("PATH", folder);
}

}  // namespace testing_support
