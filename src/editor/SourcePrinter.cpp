#include "editor/SourcePrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextOption>

#include <memory>

namespace {
constexpr qreal kTwipsPerInch = 1440.0;
constexpr qreal kTabStopTwips = 288.0;

// A copy of the text laid out for pages of pageSize device pixels.
std::unique_ptr<QTextDocument> LayOutForPaper(const QTextDocument& text, QPaintDevice* paper, const QSizeF& pageSize,
                                              const CSourcePrinter::BlockColours& colours)
{
    std::unique_ptr<QTextDocument> copy(text.clone());
    // A copy takes the text, not the editor's colours: each line gets them
    // before the copy is laid out, since bold text wraps differently.
    if (colours) {
        for (QTextBlock block = copy->begin(); block.isValid(); block = block.next())
            block.layout()->setFormats(colours(block));
    }
    // Fonts and tab stops in the paper's own pixels.
    copy->documentLayout()->setPaintDevice(paper);
    QTextOption option = copy->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(paper->logicalDpiX() * kTabStopTwips / kTwipsPerInch);
    copy->setDefaultTextOption(option);
    copy->setDocumentMargin(0);
    copy->setPageSize(pageSize);
    return copy;
}
} // namespace

void CSourcePrinter::Print(const QTextDocument& text, QPaintDevice* paper, int marginTwips,
                           const std::function<bool()>& newPage, Pages pages, const BlockColours& colours)
{
    const qreal marginX = paper->logicalDpiX() * marginTwips / kTwipsPerInch;
    const qreal marginY = paper->logicalDpiY() * marginTwips / kTwipsPerInch;
    const QSizeF pageSize(paper->width() - 2 * marginX, paper->height() - 2 * marginY);
    if (pageSize.width() <= 0 || pageSize.height() <= 0)
        return;
    const std::unique_ptr<QTextDocument> laidOut = LayOutForPaper(text, paper, pageSize, colours);

    QPainter painter(paper);
    if (!painter.isActive())
        return;
    const int pageCount = laidOut->pageCount();
    const int first = qBound(1, pages.from > 0 ? pages.from : 1, pageCount);
    const int last = qBound(first, pages.to > 0 ? pages.to : pageCount, pageCount);
    for (int page = first; page <= last; ++page) {
        if (page > first && !newPage())
            return;
        // The layout is one long strip of pages: show the page's part of it
        // inside the margins.
        const QRectF view(0, (page - 1) * pageSize.height(), pageSize.width(), pageSize.height());
        painter.save();
        painter.translate(marginX, marginY - view.top());
        painter.setClipRect(view);
        QAbstractTextDocumentLayout::PaintContext context;
        // Lines touching the page's edge from outside would be drawn too:
        // hidden by the clip, yet present in the output twice.
        context.clip = view.adjusted(0, 0.5, 0, -0.5);
        context.palette.setColor(QPalette::Text, Qt::black);
        laidOut->documentLayout()->draw(&painter, context);
        painter.restore();
    }
}
