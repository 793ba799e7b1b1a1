#include "app/SplashWnd.h"

#include <QApplication>
#include <QFont>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

bool CSplashWnd::s_bEnabled = true;
CSplashWnd* CSplashWnd::s_pInstance = nullptr;

namespace {

bool IsDismissingButton(Qt::MouseButton button)
{
    return button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton;
}

void DrawBackground(QPainter& painter, const QRect& area)
{
    QLinearGradient gradient(area.topLeft(), area.bottomRight());
    gradient.setColorAt(0.0, QColor(0x1B, 0x33, 0x55));
    gradient.setColorAt(1.0, QColor(0x23, 0x6E, 0x7E));
    painter.fillRect(area, gradient);

    // A large, faint tag bracket pair as the motif on the right.
    QFont motifFont = painter.font();
    motifFont.setPixelSize(area.height() * 3 / 4);
    motifFont.setBold(true);
    painter.setFont(motifFont);
    painter.setPen(QColor(255, 255, 255, 28));
    painter.drawText(area.adjusted(area.width() / 2, 0, 0, 0), Qt::AlignCenter,
                     QStringLiteral("</>"));
}

void DrawTitle(QPainter& painter, const QRect& area)
{
    const int left = area.width() / 12;
    const int baseline = area.height() * 11 / 20;

    QFont nameFont = painter.font();
    nameFont.setPixelSize(area.height() / 5);
    nameFont.setBold(true);
    painter.setFont(nameFont);
    painter.setPen(Qt::white);
    painter.drawText(QPoint(left, baseline), QStringLiteral("Zentrel"));
    const int nameWidth = painter.fontMetrics().horizontalAdvance(QStringLiteral("Zentrel"));

    // Accent rule under the name.
    const int ruleY = baseline + area.height() / 18;
    painter.fillRect(QRect(left, ruleY, nameWidth, qMax(2, area.height() / 80)),
                     QColor(0xF2, 0xA6, 0x5A));

    QFont subtitleFont = painter.font();
    subtitleFont.setPixelSize(qMax(9, area.height() / 18));
    subtitleFont.setBold(false);
    painter.setFont(subtitleFont);
    painter.setPen(QColor(0xD8, 0xE6, 0xF0));
    painter.drawText(QPoint(left, ruleY + area.height() / 8),
                     QStringLiteral("Web page authoring environment"));
}

void DrawFooter(QPainter& painter, const QRect& area)
{
    QFont footerFont = painter.font();
    footerFont.setPixelSize(qMax(8, area.height() / 24));
    footerFont.setBold(false);
    painter.setFont(footerFont);
    painter.setPen(QColor(0xB0, 0xC4, 0xD4));
    const QRect footer = area.adjusted(area.width() / 12, 0, -area.width() / 24, -area.height() / 16);
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignBottom,
                     QStringLiteral("Version %1").arg(QStringLiteral(ZENTREL_VERSION)));

    painter.setPen(QColor(0x10, 0x20, 0x35));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(0, 0, -1, -1));
}

} // namespace

CSplashWnd::CSplashWnd(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_pixSplash(RenderSplashImage(SplashSize()))
    , m_pMainWnd(parent)
{
    setObjectName(QStringLiteral("SplashWnd"));
    // The main window keeps the focus and stays active underneath, so that
    // once the splash goes its shortcuts and keys work at once.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    setCursor(Qt::ArrowCursor);
    setFixedSize(m_pixSplash.deviceIndependentSize().toSize());
    CenterOver(parent);

    m_timerHide.setSingleShot(true);
    m_timerHide.setInterval(kDisplayMs);
    connect(&m_timerHide, &QTimer::timeout, this, &CSplashWnd::HideSplashScreen);
    qApp->installEventFilter(this);
}

CSplashWnd::~CSplashWnd()
{
    qApp->removeEventFilter(this);
    if (s_pInstance == this)
        s_pInstance = nullptr;
}

void CSplashWnd::EnableSplashScreen(bool enable)
{
    s_bEnabled = enable;
}

bool CSplashWnd::IsSplashScreenEnabled()
{
    return s_bEnabled;
}

void CSplashWnd::ShowSplashScreen(QWidget* parent)
{
    if (!s_bEnabled || s_pInstance)
        return;
    s_pInstance = new CSplashWnd(parent);
    s_pInstance->show();
    s_pInstance->repaint();
    s_pInstance->m_timerHide.start();
}

void CSplashWnd::HideSplashScreen()
{
    CSplashWnd* splash = s_pInstance;
    if (!splash)
        return;
    s_pInstance = nullptr;
    // Stop swallowing input at once; the window itself goes on the next
    // turn of the event loop, as this may run inside its own event filter.
    qApp->removeEventFilter(splash);
    splash->m_timerHide.stop();
    splash->hide();
    if (QWidget* mainWnd = splash->m_pMainWnd ? splash->m_pMainWnd->window() : nullptr) {
        mainWnd->update();
        // Some platforms hand the activation to the splash when it shows and
        // to nobody when it goes; give it back to the main window.
        QWidget* active = QApplication::activeWindow();
        if ((!active || active == splash) && mainWnd->isVisible())
            mainWnd->activateWindow();
    }
    splash->deleteLater();
}

bool CSplashWnd::PreTranslateAppEvent(QEvent* event)
{
    if (!s_pInstance)
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claim the key so that no shortcut fires; the key press that
        // follows then hides the splash.
        event->accept();
        return true;
    case QEvent::KeyPress:
        HideSplashScreen();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
        if (!IsDismissingButton(static_cast<QMouseEvent*>(event)->button()))
            return false;
        HideSplashScreen();
        return true;
    default:
        return false;
    }
}

bool CSplashWnd::IsVisibleSplash()
{
    return s_pInstance && s_pInstance->isVisible();
}

QSize CSplashWnd::SplashSize()
{
    return QSize(440, 260);
}

QPixmap CSplashWnd::RenderSplashImage(const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRect area(QPoint(0, 0), size);
    DrawBackground(painter, area);
    DrawTitle(painter, area);
    DrawFooter(painter, area);
    return pixmap;
}

void CSplashWnd::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_pixSplash);
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event)
{
    if (PreTranslateAppEvent(event))
        return true;
    return QWidget::eventFilter(watched, event);
}

void CSplashWnd::CenterOver(QWidget* parent)
{
    QRect area;
    if (parent && parent->isVisible()) {
        area = parent->window()->frameGeometry();
    } else {
        QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
        if (screen)
            area = screen->availableGeometry();
    }
    if (area.isValid())
        move(area.center() - rect().center());
}
