#pragma once

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

#include <functional>

class QAbstractItemView;

// The trees' item delegate. It hands out the label editor (a CLabelEdit
// taking at most the number of characters its tree allows for the edited
// item), and it paints the item a drag would drop on as highlighted without
// touching the selection, so the item the commands act on stays the one
// the user sees selected.
class CLabelDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using MaxLength = std::function<int(const QModelIndex& index)>;

    CLabelDelegate(MaxLength maxLength, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

    QModelIndex DropTarget() const { return m_dropTarget; }
    // Highlights index in view as the drop place (none for an invalid
    // index); does nothing for a view without this delegate.
    static void ShowDropTarget(QAbstractItemView* view, const QModelIndex& index);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    MaxLength m_maxLength;
    QPersistentModelIndex m_dropTarget;
};
