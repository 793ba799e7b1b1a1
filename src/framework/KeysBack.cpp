#include "framework/KeysBack.h"

#include <QApplication>
#include <QWidget>

void ZtGiveKeysBack(QWidget* window)
{
    if (!window)
        return;
    window = window->window();
    window->activateWindow();
    if (QApplication::activeWindow() != window && !QApplication::activeModalWidget())
        QApplication::setActiveWindow(window);
}
