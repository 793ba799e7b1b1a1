#pragma once

#include <QObject>

class QCoreApplication;

// Makes Shift+F10 ask the focused widget for its context menu, as the Menu
// key does: the keyboard request, which a widget shows near its own corner
// or caret. Qt on Linux maps only the Menu key to that request.
class CContextMenuKey : public QObject
{
    Q_OBJECT
public:
    // The filter lives as long as the application.
    static void Install(QCoreApplication* application);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CContextMenuKey(QObject* parent);
};
