#include "support/AppTestMain.h"

#include "app/SplashWnd.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace {

// A window standing for the main frame: a line edit, a button, an
// application-wide shortcut (it would fire whichever window is active), and a
// count of every input that reached any of them.
class CFakeMainWindow : public QWidget
{
public:
    CFakeMainWindow()
    {
        QObject::connect(button, &QPushButton::clicked, [this] { ++reactions; });
        shortcut->setShortcut(QKeySequence(Qt::Key_F5));
        shortcut->setShortcutContext(Qt::ApplicationShortcut);
        addAction(shortcut);
        QObject::connect(shortcut, &QAction::triggered, [this] { ++reactions; });
    }
    // Presses the button does not take (right, middle) come up to the window.
    void mousePressEvent(QMouseEvent* event) override
    {
        ++reactions;
        QWidget::mousePressEvent(event);
    }
    int Reactions() const { return reactions + int(edit->text().size()); }

    QLineEdit* edit = new QLineEdit(this);
    QPushButton* button = new QPushButton(QStringLiteral("Press"), this);
    QAction* shortcut = new QAction(this);
    int reactions = 0;
};

} // namespace

class TestSplashWnd : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();

    void imageIsDrawn();
    void showsOnceOverParentUnlessDisabled();
    void timerHides();
    void firstInputOnlyHidesSplash_data();
    void firstInputOnlyHidesSplash();
};

void TestSplashWnd::cleanup()
{
    CSplashWnd::EnableSplashScreen(true);
    CSplashWnd::HideSplashScreen();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestSplashWnd::imageIsDrawn()
{
    const QSize size = CSplashWnd::SplashSize();
    const QImage image = CSplashWnd::RenderSplashImage(size).toImage();
    QCOMPARE(image.size(), size);
    // The picture covers the whole window: no corner shows through.
    for (const QPoint corner : {QPoint(0, 0), QPoint(size.width() - 1, size.height() - 1)})
        QCOMPARE(qAlpha(image.pixel(corner)), 255);
}

void TestSplashWnd::showsOnceOverParentUnlessDisabled()
{
    CFakeMainWindow main;
    main.setGeometry(100, 100, 800, 600);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    CSplashWnd::EnableSplashScreen(false);
    CSplashWnd::ShowSplashScreen(&main);
    QVERIFY(!CSplashWnd::IsVisibleSplash());

    CSplashWnd::EnableSplashScreen(true);
    CSplashWnd::ShowSplashScreen(&main);
    CSplashWnd::ShowSplashScreen(&main);
    QVERIFY(CSplashWnd::IsVisibleSplash());
    // The splash is a child of the window it covers, so the window finds it.
    const QList<CSplashWnd*> splashes = main.findChildren<CSplashWnd*>();
    QCOMPARE(splashes.size(), 1);
    QVERIFY(splashes[0]->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(qAbs(splashes[0]->geometry().center().x() - main.frameGeometry().center().x()) <= 1);
    QVERIFY(qAbs(splashes[0]->geometry().center().y() - main.frameGeometry().center().y()) <= 1);

    CSplashWnd::HideSplashScreen();
    QVERIFY(!CSplashWnd::IsVisibleSplash());
    QTRY_VERIFY(main.findChildren<CSplashWnd*>().isEmpty());
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
}

void TestSplashWnd::firstInputOnlyHidesSplash_data()
{
    QTest::addColumn<int>("key"); // 0: a click with the mouse button instead
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("typed key") << int(Qt::Key_A) << Qt::NoButton;
    // A key that is a shortcut by itself. (With a modifier, the modifier's
    // own key press would be the first press.)
    QTest::newRow("shortcut key") << int(Qt::Key_F5) << Qt::NoButton;
    QTest::newRow("left button") << 0 << Qt::LeftButton;
    QTest::newRow("right button") << 0 << Qt::RightButton;
}

void TestSplashWnd::firstInputOnlyHidesSplash()
{
    QFETCH(int, key);
    QFETCH(Qt::MouseButton, button);
    CFakeMainWindow main;
    main.show();
    QApplication::setActiveWindow(&main);
    QVERIFY(QTest::qWaitForWindowActive(&main));
    main.edit->setFocus();
    const auto input = [&] {
        if (key != 0)
            QTest::keyClick(main.edit, Qt::Key(key));
        else
            QTest::mouseClick(main.button, button);
    };
    CSplashWnd::ShowSplashScreen(&main);

    input();
    QVERIFY(!CSplashWnd::IsVisibleSplash());
    QCOMPARE(main.Reactions(), 0);

    // Once gone, the main window is active again and takes the same input.
    QTRY_COMPARE(QApplication::activeWindow(), &main);
    input();
    QCOMPARE(main.Reactions(), 1);
}

ZT_APP_TEST_MAIN(TestSplashWnd)
#include "tst_splash.moc"
