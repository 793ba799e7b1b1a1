#pragma once

#include <QKeyEvent>
#include <QTreeWidget>

#include <functional>

// A result list whose rows are chosen by Return as by a double-click: the
// site dialogs' lists take the user to the match or link either way.
class CChoosableTree : public QTreeWidget
{
public:
    std::function<void(QTreeWidgetItem*)> m_onChoose;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem() && m_onChoose) {
            m_onChoose(currentItem());
            return;
        }
        QTreeWidget::keyPressEvent(event);
    }
};
