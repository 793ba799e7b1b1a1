#include "tools/MatchLineDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>

void CMatchLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QVariantList spans = index.data(MatchSpansRole).toList();
    if (spans.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem base = option;
    initStyleOption(&base, index);
    const QString text = base.text;
    base.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &base, painter, widget);

    QTextCharFormat marked;
    marked.setBackground(option.palette.color(QPalette::Highlight).lighter(160));
    marked.setFontWeight(QFont::Bold);
    QList<QTextLayout::FormatRange> ranges;
    for (qsizetype i = 0; i + 1 < spans.size(); i += 2)
        ranges.append({spans[i].toInt(), spans[i + 1].toInt(), marked});
    QTextLayout layout(text, option.font);
    layout.setFormats(ranges);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &base, widget);
    painter->save();
    painter->setClipRect(textRect);
    painter->setPen(option.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                               : QPalette::Text));
    layout.draw(painter, QPointF(textRect.left() + 2, textRect.top() + (textRect.height() - line.height()) / 2));
    painter->restore();
}
