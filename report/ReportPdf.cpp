#include "ReportPdf.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <functional>
#include <memory>
#include <vector>

#include "EngineTexts.h"
#include "ReportTexts.h"

namespace fendry {

namespace {

// The window's colours: its text, and the marks of a run that ended well, with issues, or early.
const QColor kText(0x1d, 0x1d, 0x1f);
const QColor kSecondary(0x86, 0x86, 0x8b);
const QColor kGreen(0x28, 0xcd, 0x41);
const QColor kOrange(0xff, 0x95, 0x00);
const QColor kRed(0xff, 0x3b, 0x30);
const QColor kRule(0xd0, 0xd0, 0xd0);
const QColor kHeaderBackground(0xf0, 0xf0, 0xf0);

QColor markColour(RunRecord::Outcome outcome) {
    switch (outcome) {
        case RunRecord::Outcome::Erased: return kGreen;
        case RunRecord::Outcome::ErasedWithIssues: return kOrange;
        case RunRecord::Outcome::Stopped: return kRed;
    }
    return kOrange;
}

QFont fontOf(qreal points, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    // Ligatures would turn "fi" into one glyph that searching and copying do not find.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// Sets the report on pages: text laid out as plain text (never read as markup), wrapped at
// words or, for a path with no space to break at, anywhere; a table row stays whole on one page
// (unless it is taller than a page) and a table's header comes again on each page it runs onto.
// Without a painter it only counts the pages, for the footers' "Page N of M".
class Pages {
public:
    Pages(QPdfWriter& writer, QPainter* painter, QString footer, int pageCount)
        : writer_(writer), painter_(painter), footer_(std::move(footer)), pageCount_(pageCount) {
        const QRectF area = writer.pageLayout().paintRectPixels(writer.resolution());
        width_ = area.width();
        footerHeight_ = QFontMetricsF(fontOf(8), &writer).height() * 2;
        bottom_ = area.height() - footerHeight_;
        padding_ = millimetres(1);
    }

    qreal width() const { return width_; }
    int pages() const { return page_ + 1; }
    qreal millimetres(qreal length) const { return length * writer_.resolution() / 25.4; }

    void mark(const QString& words, const QColor& colour) {
        const auto layout = laidOut(words, fontOf(22, true), width_ - 2 * millimetres(4));
        const qreal height = layout->boundingRect().height() + 2 * millimetres(3);
        if (painter_) {
            painter_->fillRect(QRectF(0, y_, width_, height), colour);
            painter_->setPen(kText);
            layout->draw(painter_, QPointF(millimetres(4), y_ + millimetres(3)));
        }
        y_ += height + millimetres(2);
    }

    // A heading stays with at least the first lines of what follows it.
    void heading(const QString& words) {
        const auto layout = laidOut(words, fontOf(13, true), width_);
        const qreal height = layout->boundingRect().height();
        y_ += millimetres(4);
        if (y_ + height + millimetres(12) > bottom_) {
            newPage();
        }
        draw(*layout, 0, kText);
        y_ += height + millimetres(1.5);
    }

    void paragraph(const QString& words, const QColor& colour = kText) {
        Row row;
        row.cells.push_back(laidOut(words, fontOf(9.5), width_));
        row.height = row.cells.back()->boundingRect().height();
        place(row, {0}, colour, {});
    }

    // Columns take the given shares of the width; `header` may be empty.
    void table(const QStringList& header, const QList<QStringList>& rows,
               const QList<qreal>& shares, bool boldFirstColumn = false) {
        std::vector<qreal> columns;
        std::vector<qreal> xs;
        qreal x = 0;
        for (const qreal share : shares) {
            xs.push_back(x);
            columns.push_back(share * width_);
            x += share * width_;
        }
        Row heading = header.isEmpty() ? Row{} : lay(header, columns, true);
        const auto repeatHeader = [&] {
            if (!header.isEmpty()) {
                rule(true, heading.height);
                place(heading, xs, kText, {});
            }
        };
        repeatHeader();
        for (const QStringList& cells : rows) {
            Row row = lay(cells, columns, false, boldFirstColumn);
            if (y_ + row.height > bottom_ && row.height <= bottom_ - top()) {
                newPage();
                repeatHeader();
            }
            place(row, xs, kText, repeatHeader);
            rule(false, 0);
        }
    }

    // Ends the last page: its footer.
    void finish() { drawFooter(); }

private:
    struct Row {
        std::vector<std::unique_ptr<QTextLayout>> cells;
        qreal height = 0;  // padding included
    };

    qreal top() const { return 0; }

    std::unique_ptr<QTextLayout> laidOut(const QString& text, const QFont& font,
                                         qreal width) const {
        auto layout = std::make_unique<QTextLayout>(text, font, &writer_);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout->setTextOption(option);
        layout->beginLayout();
        qreal y = 0;
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout->endLayout();
        return layout;
    }

    Row lay(const QStringList& texts, const std::vector<qreal>& columns, bool bold,
            bool boldFirstColumn = false) const {
        Row row;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const QString text = i < std::size_t(texts.size()) ? texts[qsizetype(i)] : QString();
            row.cells.push_back(laidOut(text, fontOf(9.5, bold || (boldFirstColumn && i == 0)),
                                        columns[i] - 2 * padding_));
            row.height = std::max(row.height, row.cells.back()->boundingRect().height());
        }
        row.height += 2 * padding_;
        return row;
    }

    // A rule under the row just placed, or a shaded band for a header about to be placed.
    void rule(bool band, qreal height) {
        if (!painter_) {
            return;
        }
        if (band) {
            if (y_ + height <= bottom_) {
                painter_->fillRect(QRectF(0, y_, width_, height), kHeaderBackground);
            }
        } else {
            painter_->setPen(QPen(kRule, millimetres(0.15)));
            painter_->drawLine(QPointF(0, y_), QPointF(width_, y_));
        }
    }

    // Places the row at the current position; a row taller than the room left on a fresh page
    // goes on over the next pages, broken between lines, each part under the header again.
    void place(const Row& row, const std::vector<qreal>& xs, const QColor& colour,
               const std::function<void()>& header) {
        qreal from = 0;  // how much of the row is on earlier pages
        for (;;) {
            const qreal room = bottom_ - y_;
            if (row.height - from <= room) {
                drawRow(row, xs, colour, from, row.height);
                y_ += row.height - from;
                return;
            }
            // Break before the first line, of any cell, that would cross the bottom.
            qreal cut = from + room;
            for (const auto& cell : row.cells) {
                for (int i = 0; i < cell->lineCount(); ++i) {
                    const QTextLine line = cell->lineAt(i);
                    const qreal lineTop = padding_ + line.y();
                    if (lineTop >= from && lineTop + line.height() > from + room) {
                        cut = std::min(cut, lineTop);
                    }
                }
            }
            if (cut <= from) {
                if (y_ > top()) {  // nothing fits here: all of it on the next page
                    newPage();
                    if (header) {
                        header();
                    }
                    continue;
                }
                cut = from + room;  // a single line taller than a page
            }
            drawRow(row, xs, colour, from, cut);
            newPage();
            if (header) {
                header();
            }
            from = cut;
        }
    }

    // Draws the lines of the row that lie between `from` and `until`, from the current position.
    void drawRow(const Row& row, const std::vector<qreal>& xs, const QColor& colour, qreal from,
                 qreal until) {
        if (!painter_) {
            return;
        }
        painter_->setPen(colour);
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const QTextLayout& cell = *row.cells[c];
            for (int i = 0; i < cell.lineCount(); ++i) {
                const QTextLine line = cell.lineAt(i);
                const qreal lineTop = padding_ + line.y();
                if (lineTop >= from && lineTop < until) {
                    line.draw(painter_, QPointF(xs[c] + padding_, y_ - from + padding_));
                }
            }
        }
    }

    void draw(const QTextLayout& layout, qreal x, const QColor& colour) {
        if (painter_) {
            painter_->setPen(colour);
            layout.draw(painter_, QPointF(x, y_));
        }
    }

    void newPage() {
        drawFooter();
        if (painter_) {
            writer_.newPage();
        }
        ++page_;
        y_ = top();
    }

    void drawFooter() {
        if (!painter_) {
            return;
        }
        painter_->setFont(fontOf(8));
        painter_->setPen(kSecondary);
        const QRectF footer(0, bottom_ + footerHeight_ / 2, width_, footerHeight_ / 2);
        painter_->drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, footer_);
        painter_->drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                           ReportTexts::tr("Page %1 of %2").arg(page_ + 1).arg(pageCount_));
    }

    QPdfWriter& writer_;
    QPainter* painter_;
    QString footer_;
    int pageCount_;
    qreal width_ = 0;
    qreal bottom_ = 0;
    qreal footerHeight_ = 0;
    qreal padding_ = 0;
    qreal y_ = 0;
    int page_ = 0;
};

QString yesNo(bool on) {
    return on ? ReportTexts::tr("On") : ReportTexts::tr("Off");
}

void write(Pages& out, const RunRecord& record) {
    out.mark(ReportTexts::outcome(record.outcome), markColour(record.outcome));

    out.heading(ReportTexts::tr("Erasure report"));
    const QString method = ReportTexts::tr("%1, %n pass(es)", nullptr, int(record.method.passes))
                               .arg(engine_texts::methodName(record.method));
    out.table({},
              {{ReportTexts::tr("Fendry version"), QString::fromStdString(record.version)},
               {ReportTexts::tr("Computer"), QString::fromStdString(record.host)},
               {ReportTexts::tr("User"), QString::fromStdString(record.user)},
               {ReportTexts::tr("Started"), isoTime(record.startedAt, true)},
               {ReportTexts::tr("Ended"), isoTime(record.endedAt, true)},
               {ReportTexts::tr("Method"), method},
               {ReportTexts::tr("Verify after the last pass"), yesNo(record.verify)}},
              {0.32, 0.68}, true);

    out.heading(ReportTexts::tr("Items chosen (%1)").arg(record.items.size()));
    QList<QStringList> items;
    for (const auto& item : record.items) {
        const bool missing = item.kind == ItemRecord::Kind::Missing;
        items << QStringList{
            shownPath(item.path), ReportTexts::kind(item.kind),
            missing ? QStringLiteral("\u2014") : engine_texts::bytesText(item.size),
            ReportTexts::result(item, record)};
    }
    out.table({ReportTexts::tr("Item"), ReportTexts::tr("Kind"), ReportTexts::tr("Size"),
               ReportTexts::tr("Result")},
              items, {0.42, 0.11, 0.13, 0.34});

    out.heading(ReportTexts::tr("File systems"));
    QList<QStringList> fileSystems;
    for (const auto& fileSystem : record.fileSystems) {
        const StorageFacts facts = fileSystem.facts.value_or(StorageFacts{});
        QString caution = engine_texts::cautionSentence(fileSystem.cautions);
        if (!fileSystem.facts) {
            caution = ReportTexts::tr("It could not be looked at after the run.");
        } else if (caution.isEmpty()) {
            caution = ReportTexts::tr("None");
        }
        if (fileSystem.readThroughCache) {
            caution +=
                QLatin1Char(' ') + ReportTexts::tr(
                                       "Files were read back through the page cache here, since "
                                       "the file system does not read past it.");
        }
        fileSystems << QStringList{shownPath(facts.mountPoint), shownPath(facts.source),
                                   QString::fromStdString(facts.fileSystemType), caution};
    }
    out.table({ReportTexts::tr("Mount point"), ReportTexts::tr("Device"), ReportTexts::tr("Type"),
               ReportTexts::tr("Caution")},
              fileSystems, {0.22, 0.22, 0.10, 0.46});

    out.heading(ReportTexts::tr("Totals"));
    out.paragraph(
        ReportTexts::tr("%n files securely erased", nullptr, int(record.stats.fileCount)));
    out.paragraph(ReportTexts::tr("%1 of data deleted from disk")
                      .arg(engine_texts::bytesText(record.stats.totalSize)));
    out.paragraph(ReportTexts::tr("%n link(s) and special file(s) removed, none followed", nullptr,
                                  int(record.stats.linkCount)));
    out.paragraph(
        ReportTexts::tr("%n file(s) could not be erased", nullptr, int(record.filesNotErased)));
    out.paragraph(ReportTexts::tr("%n folder(s) not removed", nullptr, int(record.foldersKept)));
    if (record.stopped) {
        out.paragraph(ReportTexts::tr("Stopped before the end."));
        out.paragraph(ReportTexts::tr("%n item(s) not reached, left as they were", nullptr,
                                      int(record.notReached)));
    }

    if (!record.failures.empty()) {
        out.heading(ReportTexts::tr("Not erased or not removed (%1)").arg(record.failures.size()));
        QList<QStringList> lines;
        for (const auto& line : record.failures) {
            lines << QStringList{shownPath(line.item), engine_texts::failureText(line.failure)};
        }
        out.table({ReportTexts::tr("Item"), ReportTexts::tr("Why")}, lines, {0.5, 0.5});
    }

    if (record.verify) {
        out.heading(ReportTexts::tr("What Verify proves"));
        out.paragraph(ReportTexts::tr("Each file was read back from the device after its last "
                                      "pass and compared with what the pass wrote: the device "
                                      "returned what was written to the file's blocks. Copies "
                                      "that the storage keeps elsewhere are beyond its reach."),
                      kSecondary);
    }
    out.finish();
}

}  // namespace

QByteArray reportPdf(const RunRecord& record) {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return {};
    }
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageSize(QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                                         ? QPageSize::Letter
                                         : QPageSize::A4));
        writer.setPageMargins(QMarginsF(18, 16, 18, 12), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(ReportTexts::tr("Erasure report") + QStringLiteral(" \u2014 ") +
                        isoTime(record.startedAt, true));
        writer.setCreator(QStringLiteral("Fendry ") + QString::fromStdString(record.version));
        const QString footer =
            ReportTexts::tr("Fendry erasure report, %1, %2")
                .arg(QString::fromStdString(record.host), isoTime(record.startedAt, true));

        Pages counting(writer, nullptr, footer, 0);
        write(counting, record);
        QPainter painter(&writer);
        Pages pages(writer, &painter, footer, counting.pages());
        write(pages, record);
    }
    return pdf;
}

}  // namespace fendry
