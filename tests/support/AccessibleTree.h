#pragma once

#include <QAccessible>
#include <QQmlContext>
#include <QQmlProperty>
#include <QQuickItem>
#include <QQuickWindow>
#include <QStringList>

namespace testing_support {

// What a screen reader finds wrong in a window, walking its accessibility tree as an AT-SPI
// client does: nodes on the tree that are not on screen, controls without a name, a role or an
// action, controls disabled on screen but reported enabled, and texts on screen that no node of
// the tree reads.
class AccessibleTree {
public:
    explicit AccessibleTree(QQuickWindow& window) {
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window);
        if (root == nullptr) {
            problems << QStringLiteral("the window has no accessible interface");
            return;
        }
        walk(root);
        checkTexts(window.contentItem());
    }

    QStringList problems;
    // The node in the focused state, if any.
    QAccessibleInterface* focused = nullptr;

    // The first node with `role` whose name is `name`.
    QAccessibleInterface* find(QAccessible::Role role, const QString& name) const {
        for (QAccessibleInterface* node : interfaces_) {
            if (node->role() == role && node->text(QAccessible::Name) == name) {
                return node;
            }
        }
        return nullptr;
    }

private:
    static bool isPressable(QAccessible::Role role) {
        return role == QAccessible::Button || role == QAccessible::RadioButton ||
               role == QAccessible::CheckBox || role == QAccessible::MenuItem ||
               role == QAccessible::Link;
    }
    static bool isControl(QAccessible::Role role) {
        return isPressable(role) || role == QAccessible::ListItem ||
               role == QAccessible::EditableText || role == QAccessible::ProgressBar ||
               role == QAccessible::List;
    }

    // Looked at here as the user sees it, not as the interface reports it.
    static bool onScreen(const QObject* object) {
        if (const auto* window = qobject_cast<const QWindow*>(object)) {
            return window->isVisible() && !(window->windowStates() & Qt::WindowMinimized);
        }
        const auto* item = qobject_cast<const QQuickItem*>(object);
        if (item == nullptr || !item->isVisible() || !onScreen(item->window())) {
            return item == nullptr;
        }
        for (; item != nullptr; item = item->parentItem()) {
            if (qFuzzyIsNull(item->opacity())) {
                return false;
            }
        }
        return true;
    }

    static QString describe(QAccessibleInterface* node) {
        const QObject* object = node->object();
        return QStringLiteral("%1 \"%2\" (%3)")
            .arg(QString::number(node->role(), 16), node->text(QAccessible::Name),
                 object ? QString::fromLatin1(object->metaObject()->className()) : QString());
    }

    void walk(QAccessibleInterface* node) {
        interfaces_ << node;
        reached_ << node->object();
        const QAccessible::State state = node->state();
        const QAccessible::Role role = node->role();
        if (state.invisible || !onScreen(node->object())) {
            problems << QStringLiteral("not on screen but in the tree: ") + describe(node);
        }
        if (state.focused) {
            focused = node;
        }
        if (role == QAccessible::NoRole || role == QAccessible::Client) {
            if (!qobject_cast<QQuickWindow*>(node->object())) {
                problems << QStringLiteral("no role: ") + describe(node);
            }
        }
        if (isControl(role) && node->text(QAccessible::Name).trimmed().isEmpty()) {
            problems << QStringLiteral("control without a name: ") + describe(node);
        }
        if (isPressable(role)) {
            QAccessibleActionInterface* actions = node->actionInterface();
            if (actions == nullptr ||
                !actions->actionNames().contains(QAccessibleActionInterface::pressAction())) {
                problems << QStringLiteral("control without \"Press\": ") + describe(node);
            }
        }
        if (auto* item = qobject_cast<QQuickItem*>(node->object());
            item && !item->isEnabled() && !state.disabled) {
            problems << QStringLiteral("disabled but reported enabled: ") + describe(node);
        }
        for (int i = 0; i < node->childCount(); ++i) {
            if (QAccessibleInterface* child = node->child(i)) {
                walk(child);
            } else {
                problems << QStringLiteral("a missing child of ") + describe(node);
            }
        }
    }

    // A text on screen is read when a node of the tree reads it, in its name or description:
    // the text's own node, or the control it sits in.
    void checkTexts(QQuickItem* item) {
        if (!item->isVisible() || qFuzzyIsNull(item->opacity())) {
            return;
        }
        if (item->inherits("QQuickText") || item->inherits("QQuickTextEdit")) {
            const QString text = item->property("text").toString();
            if (!text.trimmed().isEmpty() && !readSomewhere(item, text)) {
                problems << QStringLiteral("a text on screen that nothing reads: \"") + text +
                                QLatin1Char('"');
            }
        }
        for (QQuickItem* child : item->childItems()) {
            checkTexts(child);
        }
    }

    bool readSomewhere(QQuickItem* item, const QString& text) const {
        for (QQuickItem* reader = item; reader != nullptr; reader = reader->parentItem()) {
            if (!reached_.contains(reader)) {
                continue;
            }
            QAccessibleInterface* node = QAccessible::queryAccessibleInterface(reader);
            QString read = node->text(QAccessible::Name) + QLatin1Char('\n') +
                           node->text(QAccessible::Description);
            if (QAccessibleTextInterface* content = node->textInterface()) {
                read += QLatin1Char('\n') + content->text(0, content->characterCount());
            }
            // A mnemonic's "&" is drawn as an underline, not read.
            return read.contains(text) || read.contains(QString(text).remove(QLatin1Char('&')));
        }
        return false;
    }

    QList<QAccessibleInterface*> interfaces_;
    QList<const QObject*> reached_;
};

}  // namespace testing_support
