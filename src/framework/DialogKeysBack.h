#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// Hands the keys back once any dialog of the program has closed. Without a
// window manager no window becomes active again by itself, so the menus'
// mnemonics and the shortcuts of the window below would stay dead until the
// user clicked it. The keys go to the modal dialog still open, else to the
// window the dialog was opened over, else to the main window.
class CDialogKeysBack : public QObject
{
    Q_OBJECT
public:
    // Watches every window of the application; lives as long as mainWindow.
    static void Install(QWidget* mainWindow);

    // The window that takes the keys after dialog (opened over owner) has
    // closed, or null while a window of the program is active or none is
    // left to take them.
    static QWidget* WindowAfterClosing(const QWidget* dialog, QWidget* owner, QWidget* mainWindow);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CDialogKeysBack(QWidget* mainWindow);

    QPointer<QWidget> m_pMainWindow;
};
