#include "support/TestMain.h"

#include "app/SplashWnd.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A window standing for the main frame: a line edit, a button that counts its
// clicks, and a shortcut.
class CFakeMainWindow : public QWidget
{
public:
    CFakeMainWindow()
    {
        auto* layout = new QVBoxLayout(this);
        edit = new QLineEdit(this);
        button = new QPushButton(QStringLiteral("Press"), this);
        layout->addWidget(edit);
        layout->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
        shortcut = new QAction(this);
        shortcut->setShortcut(QKeySequence(Qt::Key_F5));
        // Application-wide, so that it would fire whichever window is active.
        shortcut->setShortcutContext(Qt::ApplicationShortcut);
        addAction(shortcut);
        QObject::connect(shortcut, &QAction::triggered, [this] { ++shortcutHits; });
        resize(300, 120);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        ++presses;
        QWidget::mousePressEvent(event);
    }

    QLineEdit* edit = nullptr;
    QPushButton* button = nullptr;
    QAction* shortcut = nullptr;
    int clicks = 0;
    int presses = 0;
    int shortcutHits = 0;
};

int SplashWindowCount()
{
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<CSplashWnd*>(widget) && widget->isVisible())
            ++count;
    }
    return count;
}

} // namespace

class TestSplashWnd : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void imageIsDrawn();
    void disabledShowsNothing();
    void oneInstanceCentredOverParent();
    void timerHides();
    void keyPressHidesAndIsSwallowed();
    void shortcutIsSwallowed();
    void mousePressHidesAndIsSwallowed_data();
    void mousePressHidesAndIsSwallowed();
};

void TestSplashWnd::init()
{
    CSplashWnd::EnableSplashScreen(true);
}

void TestSplashWnd::cleanup()
{
    CSplashWnd::HideSplashScreen();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestSplashWnd::imageIsDrawn()
{
    const QSize size = CSplashWnd::SplashSize();
    const QImage image = CSplashWnd::RenderSplashImage(size).toImage();
    QCOMPARE(image.size(), size);
    // Opaque all over, and not a single flat colour.
    QCOMPARE(qAlpha(image.pixel(0, 0)), 255);
    QCOMPARE(qAlpha(image.pixel(size.width() / 2, size.height() / 2)), 255);
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7) {
        for (int x = 0; x < image.width(); x += 7)
            colours.insert(image.pixel(x, y));
    }
    QVERIFY(colours.size() > 20);
}

void TestSplashWnd::disabledShowsNothing()
{
    CSplashWnd::EnableSplashScreen(false);
    CSplashWnd::ShowSplashScreen(nullptr);
    QVERIFY(!CSplashWnd::IsVisibleSplash());
    QCOMPARE(SplashWindowCount(), 0);
}

void TestSplashWnd::oneInstanceCentredOverParent()
{
    CFakeMainWindow main;
    main.setGeometry(100, 100, 800, 600);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    CSplashWnd::ShowSplashScreen(&main);
    CSplashWnd::ShowSplashScreen(&main);
    QVERIFY(CSplashWnd::IsVisibleSplash());
    QCOMPARE(SplashWindowCount(), 1);

    CSplashWnd* splash = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<CSplashWnd*>(widget))
            splash = found;
    }
    QVERIFY(splash);
    QVERIFY(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(qAbs(splash->geometry().center().x() - main.frameGeometry().center().x()) <= 1);
    QVERIFY(qAbs(splash->geometry().center().y() - main.frameGeometry().center().y()) <= 1);

    CSplashWnd::HideSplashScreen();
    QVERIFY(!CSplashWnd::IsVisibleSplash());
    QTRY_COMPARE(SplashWindowCount(), 0);
}

void TestSplashWnd::timerHides()
{
    CSplashWnd::ShowSplashScreen(nullptr);
    QVERIFY(CSplashWnd::IsVisibleSplash());
    // Well before its time it is still up; a busy machine can only make the
    // timer late, never early.
    QTest::qWait(CSplashWnd::kDisplayMs / 2);
    QVERIFY(CSplashWnd::IsVisibleSplash());
    QTRY_VERIFY_WITH_TIMEOUT(!CSplashWnd::IsVisibleSplash(), 10000);
    QTRY_COMPARE(SplashWindowCount(), 0);
}

void TestSplashWnd::keyPressHidesAndIsSwallowed()
{
    CFakeMainWindow main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.activateWindow();
    main.edit->setFocus();
    CSplashWnd::ShowSplashScreen(&main);

    QTest::keyClick(main.edit, Qt::Key_A);
    QVERIFY(!CSplashWnd::IsVisibleSplash());
    QCOMPARE(main.edit->text(), QString());

    // Once gone, keys reach the window again.
    QTest::keyClick(main.edit, Qt::Key_B);
    QCOMPARE(main.edit->text(), QStringLiteral("b"));
}

void TestSplashWnd::shortcutIsSwallowed()
{
    CFakeMainWindow main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QApplication::setActiveWindow(&main);
    QVERIFY(QTest::qWaitForWindowActive(&main));
    main.edit->setFocus();
    // The shortcut works while no splash is up.
    QTest::keyClick(main.edit, Qt::Key_F5);
    QCOMPARE(main.shortcutHits, 1);
    CSplashWnd::ShowSplashScreen(&main);

    // A key that is a shortcut by itself only takes the splash away. (With
    // a modifier, the modifier's own key press is the first press.)
    QTest::keyClick(main.edit, Qt::Key_F5);
    QVERIFY(!CSplashWnd::IsVisibleSplash());
    QCOMPARE(main.shortcutHits, 1);

    // Once gone, the main window is active again and its shortcuts work.
    QTRY_COMPARE(QApplication::activeWindow(), &main);
    QTest::keyClick(main.edit, Qt::Key_F5);
    QCOMPARE(main.shortcutHits, 2);
}

void TestSplashWnd::mousePressHidesAndIsSwallowed_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void TestSplashWnd::mousePressHidesAndIsSwallowed()
{
    QFETCH(Qt::MouseButton, button);
    CFakeMainWindow main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    CSplashWnd::ShowSplashScreen(&main);

    QTest::mouseClick(main.button, button);
    QVERIFY(!CSplashWnd::IsVisibleSplash());
    QCOMPARE(main.clicks, 0);

    // Only the first press was taken.
    QTest::mouseClick(&main, button, {}, QPoint(2, 2));
    QCOMPARE(main.presses, 1);
    if (button == Qt::LeftButton) {
        QTest::mouseClick(main.button, button);
        QCOMPARE(main.clicks, 1);
    }
}

ZT_TEST_MAIN(TestSplashWnd)
#include "tst_splash.moc"
