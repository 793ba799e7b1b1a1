#pragma once

#include <QStyledItemDelegate>

// Draws a result row's line text with its matches marked. The row keeps the
// match offsets, relative to its text, as a list of start/length pairs under
// MatchSpansRole.
class CMatchLineDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    static constexpr int MatchSpansRole = Qt::UserRole + 10;
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
