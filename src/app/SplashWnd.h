#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QEvent;
class QPaintEvent;

// The start-up splash window: a frameless picture with the product name,
// centred over the main window (or the screen), shown for 1750 ms.
//
// At most one exists. While it is up, the first key press or mouse button
// press anywhere in the application hides it and is swallowed, so that the
// click meant to dismiss the splash does nothing else. Hiding destroys it.
class CSplashWnd : public QWidget
{
    Q_OBJECT
public:
    // How long the splash stays up on its own.
    static constexpr int kDisplayMs = 1750;

    ~CSplashWnd() override;

    // Whether ShowSplashScreen shows anything; on by default.
    static void EnableSplashScreen(bool enable);
    static bool IsSplashScreenEnabled();
    // Shows the splash over parent (or centred on the screen when parent is
    // null or not shown yet), unless splash screens are disabled or one is
    // already up. parent also gets repainted when the splash goes.
    static void ShowSplashScreen(QWidget* parent);
    // Hides and destroys the splash, if any.
    static void HideSplashScreen();
    // Offered every application event while the splash is up (the splash
    // installs an application-wide event filter that calls it). Returns true
    // when the event was consumed: a key press or a left, right or middle
    // button press hides the splash and goes no further.
    static bool PreTranslateAppEvent(QEvent* event);
    static bool IsVisibleSplash();

    // The splash picture, drawn at run time.
    static QPixmap RenderSplashImage(const QSize& size);
    static QSize SplashSize();

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CSplashWnd(QWidget* parent);
    void CenterOver(QWidget* parent);

    QPixmap m_pixSplash;
    QTimer m_timerHide;
    QPointer<QWidget> m_pMainWnd;

    static bool s_bEnabled;
    static CSplashWnd* s_pInstance;
};
