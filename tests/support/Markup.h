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

inline TextsCarrying textsCarrying(QQuickItem* item, const QString& needle) {
    TextsCarrying found;
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
        const TextsCarrying below = textsCarrying(child, needle);
        found.count += below.count;
        found.asMarkup += below.asMarkup;
    }
    return found;
}

}  // namespace testing_support
