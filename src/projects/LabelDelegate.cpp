#include "projects/LabelDelegate.h"

#include "projects/LabelEdit.h"

#include <QAbstractItemView>

CLabelDelegate::CLabelDelegate(MaxLength maxLength, QObject* parent)
    : QStyledItemDelegate(parent)
    , m_maxLength(std::move(maxLength))
{
}

QWidget* CLabelDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    auto* editor = new CLabelEdit(parent);
    editor->setFrame(false);
    editor->setMaxLength(m_maxLength(index));
    return editor;
}

void CLabelDelegate::ShowDropTarget(QAbstractItemView* view, const QModelIndex& index)
{
    auto* delegate = qobject_cast<CLabelDelegate*>(view->itemDelegate());
    if (!delegate || delegate->m_dropTarget == index)
        return;
    delegate->m_dropTarget = index;
    view->viewport()->update();
}

void CLabelDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // While a drag is over an item, that item alone looks selected, as the
    // place the files would go.
    if (!m_dropTarget.isValid())
        return;
    if (index == m_dropTarget)
        option->state |= QStyle::State_Selected;
    else
        option->state &= ~QStyle::State_Selected;
}
