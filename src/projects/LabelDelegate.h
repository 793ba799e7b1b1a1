#pragma once

#include <QStyledItemDelegate>

#include <functional>

// Hands out the label editor of a tree taking at most the number of
// characters its tree allows for the edited item.
class CLabelDelegate : public QStyledItemDelegate
{
public:
    using MaxLength = std::function<int(const QModelIndex& index)>;

    CLabelDelegate(MaxLength maxLength, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

private:
    MaxLength m_maxLength;
};
