#pragma once

#include <QQuickItem>
#include <QTextDocument>

namespace testing_support {

// Texts on screen under `item` that carry `needle`, and of those the ones drawn as markup: Qt
// takes text that merely looks like markup for rich text unless told it is plain.
struct TextsCarrying {
    int count = 0;
    QStringList asMarkup;
};

inline void collectTexts(QQuickItem* item, const QString& needle, TextsCarrying& found) {
    if (item->inherits("QQuickText") || item->inherits("QQuickTextEdit")) {
        const QString text = item->property("text").toString();
        if (text.contains(needle)) {
            ++found.count;
            const int format = item->property("textFormat").toInt();
            constexpr int plain = 0, automatic = 2;  // Text.PlainText, Text.AutoText
            if (format != plain && (format != automatic || Qt::mightBeRichText(text))) {
                found.asMarkup << text;
            }
        }
    }
    for (QQuickItem* child : item->childItems()) {
        collectTexts(child, needle, found);
    }
}

inline TextsCarrying textsCarrying(QQuickItem* root, const QString& needle) {
    TextsCarrying found;
    collectTexts(root, needle, found);
    return found;
}

}  // namespace testing_support
