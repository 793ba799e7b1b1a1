#include "projects/LabelDelegate.h"

#include <QLineEdit>

CLabelDelegate::CLabelDelegate(MaxLength maxLength, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_maxLength(std::move(maxLength))
{
}

QWidget* CLabelDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const
{
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setMaxLength(m_maxLength(index));
    return editor;
}
