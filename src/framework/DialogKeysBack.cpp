#include "framework/DialogKeysBack.h"

#include "framework/KeysBack.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

CDialogKeysBack::CDialogKeysBack(QWidget* mainWindow)
    : QObject(mainWindow)
    , m_pMainWindow(mainWindow)
{
}

void CDialogKeysBack::Install(QWidget* mainWindow)
{
    qApp->installEventFilter(new CDialogKeysBack(mainWindow));
}

QWidget* CDialogKeysBack::WindowAfterClosing(const QWidget* dialog, QWidget* owner, QWidget* mainWindow)
{
    if (QApplication::activeWindow())
        return nullptr;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != dialog && modal->isVisible())
        return modal;
    if (owner && owner != dialog && owner->isVisible())
        return owner;
    return (mainWindow && mainWindow->isVisible()) ? mainWindow : nullptr;
}

bool CDialogKeysBack::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->windowType() == Qt::Dialog) {
            // Asked once the closing is over: the window system may still
            // activate a window of ours by itself.
            QPointer<QWidget> dialog(widget);
            QPointer<QWidget> owner(widget->parentWidget() ? widget->parentWidget()->window() : nullptr);
            QTimer::singleShot(0, this, [this, dialog, owner] {
                if (QWidget* window = WindowAfterClosing(dialog, owner, m_pMainWindow))
                    ZtGiveKeysBack(window);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}
