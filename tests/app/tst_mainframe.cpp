#include "support/AppTestMain.h"

#include "framework/BarDockState.h"
#include "app/ChildFrame.h"
#include "app/ChildBrowseFrame.h"
#include "framework/DocTemplate.h"
#include "framework/View.h"
#include "framework/CmdUI.h"
#include "framework/CommandRouter.h"
#include "app/FrameCommandRules.h"
#include "projects/ListBar.h"
#include "app/LockKeyState.h"
#include "framework/MdiTiler.h"
#include "framework/Profile.h"
#include "projects/ProjectBar.h"
#include "projects/ProjectTreeCtrl.h"
#include "app/SplashWnd.h"
#include "editor/FontToolBar.h"
#include "editor/SourceEditView.h"
#include "editor/ZentrelView.h"
#include "res/Accelerators.h"

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QContextMenuEvent>
#include <QDockWidget>
#include <QDesktopServices>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QUrl>

using namespace ZtCmd;

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

// A browser window's view without the browser in it.
class CBlankView : public QWidget, public CView
{
public:
    QWidget* GetWidget() override { return this; }
};

} // namespace

class TestMainFrame : public QObject
{
    Q_OBJECT
public slots:
    // Stands in for the desktop's browser.
    void OnOpenUrl(const QUrl& url) { m_openedUrls.append(url); }

private slots:
    void initTestCase()
    {
        m_frame = ZtTest::ShowMainFrame();
        m_frame->setGeometry(m_frame->screen()->availableGeometry().adjusted(10, 10, -10, -10));
        QVERIFY(QTest::qWaitForWindowExposed(m_frame));
        m_dir = ZtTest::SandboxDir() + QStringLiteral("/pages");
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "OnOpenUrl");
    }

    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    void init()
    {
        CProfile::Instance().RemoveSection(QStringLiteral("TreeBar"));
        CProfile::Instance().RemoveSection(QStringLiteral("ListBar"));
        m_openedUrls.clear();
        m_messages.texts.clear();
        m_frame->m_nBrowserLevel = 2;
        // Every case starts from the first layout, whatever the one before left:
        // the frame shown, the Project bar docked on the left, the List bar below it.
        m_frame->show();
        for (QDockWidget* bar : {static_cast<QDockWidget*>(m_frame->ProjectBar()), static_cast<QDockWidget*>(m_frame->ListBar())}) {
            bar->setFloating(false);
            bar->show();
        }
        m_frame->addDockWidget(Qt::LeftDockWidgetArea, m_frame->ProjectBar());
        m_frame->splitDockWidget(m_frame->ProjectBar(), m_frame->ListBar(), Qt::Vertical);
    }

    void cleanup()
    {
        ZtTest::CloseAllDocuments();
        CSplashWnd::EnableSplashScreen(false);
        CSplashWnd::HideSplashScreen();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void tilesFillTheArea()
    {
        // The spare pixels go to the first tiles: no gap, no overlap.
        const auto tiles = [](int count, Qt::Orientation orientation) {
            QStringList text;
            for (const QRect& tile : CMdiTiler::Tiles(QRect(10, 20, 500, 301), count, orientation))
                text << QStringLiteral("%1,%2 %3x%4").arg(tile.x()).arg(tile.y()).arg(tile.width()).arg(tile.height());
            return text.join(QLatin1String(" | "));
        };
        QCOMPARE(tiles(3, Qt::Horizontal), QStringLiteral("10,20 500x101 | 10,121 500x100 | 10,221 500x100"));
        QCOMPARE(tiles(7, Qt::Vertical), QStringLiteral("10,20 72x301 | 82,20 72x301 | 154,20 72x301 | 226,20 71x301 | "
                                                        "297,20 71x301 | 368,20 71x301 | 439,20 71x301"));
        QCOMPARE(tiles(0, Qt::Vertical), QString());
    }

    void lockKeysLearntFromTypedKeys()
    {
        struct CPress { int key; Qt::KeyboardModifiers modifiers; const char* text; };
        // Caps, Num and Scroll Lock as 0/1 after the given presses.
        const auto locks = [](std::initializer_list<CPress> presses) {
            CLockKeyState state;
            for (const CPress& press : presses)
                state.OnKeyPress(press.key, press.modifiers, QString::fromLatin1(press.text));
            return QString::number(state.IsCapsLockOn()) + QString::number(state.IsNumLockOn())
                   + QString::number(state.IsScrollLockOn());
        };
        const Qt::KeyboardModifiers none = Qt::NoModifier, shift = Qt::ShiftModifier, keypad = Qt::KeypadModifier;
        QCOMPARE(locks({{Qt::Key_A, none, "A"}}), QStringLiteral("100"));
        QCOMPARE(locks({{Qt::Key_A, shift, "a"}}), QStringLiteral("100"));
        QCOMPARE(locks({{Qt::Key_A, none, "A"}, {Qt::Key_B, shift, "B"}}), QStringLiteral("000"));
        QCOMPARE(locks({{Qt::Key_1, shift, "!"}}), QStringLiteral("000")); // a digit is no letter
        QCOMPARE(locks({{Qt::Key_7, keypad, "7"}}), QStringLiteral("010"));
        QCOMPARE(locks({{Qt::Key_7, keypad, "7"}, {Qt::Key_Home, keypad, ""}}), QStringLiteral("000"));
        QCOMPARE(locks({{Qt::Key_ScrollLock, none, ""}, {Qt::Key_ScrollLock, none, ""}, {Qt::Key_ScrollLock, none, ""}}),
                 QStringLiteral("001"));
    }

    void dockStateDefaultsAndGarbage()
    {
        // Garbage gives the defaults, an inverted rectangle is turned round, and
        // names match in any case.
        CProfile& profile = CProfile::Instance();
        CBarDockState tree(QStringLiteral("TreeBar"), AFX_IDW_DOCKBAR_LEFT);
        profile.WriteString(QStringLiteral("treebar"), QStringLiteral("FLOAT X"), QStringLiteral("left"));
        profile.WriteString(QStringLiteral("TreeBar"), QStringLiteral("dock side"), QStringLiteral("12345"));
        profile.WriteInt(QStringLiteral("TreeBar"), QStringLiteral("dock left"), 300);
        QCOMPARE(tree.FloatPosition(), QPoint(100, 100));
        QCOMPARE(tree.DockSide(), int(AFX_IDW_DOCKBAR_LEFT));
        QCOMPARE(tree.DockRect(), QRect(QPoint(200, 100), QSize(100, 350)));
    }

    // The menu bar follows the active window, and so do the commands that
    // need a window, a page or the Desktop tab.
    void menusAndRulesFollowActiveWindow()
    {
        m_frame->ProjectBar()->SetCurrentTab(CFrameCommandRules::DesktopTab);
        QCOMPARE(Offered(), QStringLiteral("128 &Settings newfolder"));
        Open(QStringLiteral("page.html"));
        QCOMPARE(Offered(), QStringLiteral("129 tileh tilev syncdown syncright next browser show newfolder tile"));
        {
            // The browser window takes no part in tiling or scrolling together.
            CDocTemplate browser(IDR_BROWSERTYPE, QStringLiteral("\nBrowser\nBrowser\n\n\n\n"), [] { return new CDocument; },
                                 [] { return new CChildBrowseFrame; }, [] { return new CBlankView; });
            browser.SetMainFrame(m_frame);
            browser.OpenDocumentFile(QString());
            const QString offered = Offered();
            m_frame->MDIGetActive()->close();
            QCOMPARE(offered, QStringLiteral("145 next newfolder tile"));
        }
        m_frame->ProjectBar()->SetCurrentTab(CFrameCommandRules::KeywordsTab);
        m_frame->m_nBrowserLevel = 0;
        QCOMPARE(Offered(), QStringLiteral("129 tileh tilev syncdown syncright next show tile"));
        m_frame->ProjectBar()->SetCurrentTab(CFrameCommandRules::ProjectTab);
        QCOMPARE(Offered(), QStringLiteral("129 tileh tilev syncdown syncright next show tile"));
        m_frame->m_nBrowserLevel = 2;
        // Open in Browser hands the saved file to the desktop's browser.
        QVERIFY(m_frame->ExecuteCommand(ID_OPEN_IN_IE));
        QCOMPARE(m_openedUrls, QList<QUrl>{QUrl::fromLocalFile(m_dir + QStringLiteral("/page.html"))});
        Open(QStringLiteral("style.css"), "p { }");
        QVERIFY(!Enabled(ID_OPEN_IN_IE));
        Open(QStringLiteral("notes.txt"), "plain");
        QCOMPARE(m_frame->CurrentMenuId(), int(IDR_TEXTTYPE));
        ZtTest::CloseAllDocuments();
        QCOMPARE(m_frame->CurrentMenuId(), int(IDR_MAINFRAME));
    }

    // Each switch hides its bar and shows it again; the menu's switches carry a
    // check mark, the main toolbar's two buttons do not.
    void barCommandsToggleAndCheck_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QWidget*>("bar");
        QTest::addColumn<bool>("checkMark");
        QTest::newRow("Project bar") << int(ID_VIEW_PROJECTBAR) << static_cast<QWidget*>(m_frame->ProjectBar()) << true;
        QTest::newRow("List bar") << int(ID_VIEW_LISTBAR) << static_cast<QWidget*>(m_frame->ListBar()) << true;
        QTest::newRow("Browse bar") << int(ID_VIEW_BROWSEBAR) << static_cast<QWidget*>(m_frame->BrowseBar()) << true;
        QTest::newRow("HTML tags bar") << int(ID_VIEW_HTMLTAGS) << static_cast<QWidget*>(m_frame->HtmlTagsBar()) << true;
        QTest::newRow("Operation bar") << int(ID_VIEW_OPERATIONBAR) << static_cast<QWidget*>(m_frame->OperationBar()) << true;
        QTest::newRow("toolbar") << int(ID_VIEW_TOOLBAR) << static_cast<QWidget*>(m_frame->MainToolBar()) << true;
        QTest::newRow("status bar") << int(ID_VIEW_STATUS_BAR) << static_cast<QWidget*>(m_frame->statusBar()) << true;
        QTest::newRow("workspace button") << int(ID_TOGGLE_WORKSPACE) << static_cast<QWidget*>(m_frame->ProjectBar()) << false;
        QTest::newRow("List bar button") << int(ID_TOGGLE_LISTBAR) << static_cast<QWidget*>(m_frame->ListBar()) << false;
    }

    void barCommandsToggleAndCheck()
    {
        QFETCH(int, id);
        QFETCH(QWidget*, bar);
        QFETCH(bool, checkMark);
        QCOMPARE(Checked(id), checkMark);
        QVERIFY(m_frame->ExecuteCommand(id));
        QVERIFY(!bar->isVisible());
        QVERIFY(!Checked(id));
        QVERIFY(m_frame->ExecuteCommand(id));
        QVERIFY(bar->isVisible());
    }

    void projectBarDockFloatRoundTrip()
    {
        CProjectBar* bar = m_frame->ProjectBar();
        CProfile& profile = CProfile::Instance();
        const QString section = QStringLiteral("TreeBar");
        QVERIFY(!Enabled(ID_ALLOWDOCK_PROJECTBAR));
        const int dockedWidth = bar->width();
        QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_PROJECTBAR));
        QVERIFY(bar->isFloating());
        QVERIFY(!Checked(ID_DOCKFLOAT_PROJECTBAR));
        QCOMPARE(profile.GetInt(section, QStringLiteral("dock side"), 0), int(AFX_IDW_DOCKBAR_LEFT));
        QCOMPARE(profile.GetInt(section, QStringLiteral("dock width"), -1), dockedWidth);
        // It floats at the remembered point, over the List bar if need be.
        QCOMPARE(bar->pos(), QPoint(100, 100));

        // Docking can be forbidden only while the bar floats.
        QVERIFY(Enabled(ID_ALLOWDOCK_PROJECTBAR));
        QVERIFY(m_frame->ExecuteCommand(ID_ALLOWDOCK_PROJECTBAR));
        QCOMPARE(bar->allowedAreas(), Qt::NoDockWidgetArea);
        QVERIFY(m_frame->ExecuteCommand(ID_ALLOWDOCK_PROJECTBAR));
        QCOMPARE(bar->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);

        bar->move(150, 170);
        QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_PROJECTBAR));
        QVERIFY(!bar->isFloating());
        QCOMPARE(m_frame->dockWidgetArea(bar), Qt::LeftDockWidgetArea);
        QTRY_VERIFY(qAbs(bar->width() - dockedWidth) <= 2);
        // Floating again goes back to where it floated last.
        QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_PROJECTBAR));
        QCOMPARE(bar->pos(), QPoint(150, 170));
        // Docked alone at the narrow default place (nothing remembered), the tab
        // titles still show in full.
        profile.RemoveSection(section);
        QVERIFY(m_frame->ExecuteCommand(ID_VIEW_LISTBAR));
        QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_PROJECTBAR));
        QTabBar* tabs = bar->TabControl()->tabBar();
        QTRY_VERIFY(tabs->width() >= tabs->sizeHint().width());
        QVERIFY(m_frame->ExecuteCommand(ID_VIEW_LISTBAR));

        // A float position off every screen is pulled back onto one.
        profile.WriteInt(section, QStringLiteral("float x"), 99999);
        profile.WriteInt(section, QStringLiteral("float y"), -99999);
        QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_PROJECTBAR));
        QVERIFY(bar->screen()->availableGeometry().contains(bar->pos()));
    }

    void fontToolbarFloatsAndSetsEditorFont()
    {
        CFontToolBar* bar = m_frame->FontToolBar();
        QVERIFY(!bar->isWindow());
        // Hidden and shown again by its command, the bar floats out of the way.
        QVERIFY(m_frame->ExecuteCommand(ID_VIEW_FONTSBAR));
        QVERIFY(m_frame->ExecuteCommand(ID_VIEW_FONTSBAR));
        QVERIFY(bar->isVisible() && bar->isFloating());
        QCOMPARE(bar->pos(), QPoint(200, 125));

        CMDIChildWnd* page = Open(QStringLiteral("font.html"));
        auto* view = dynamic_cast<CSourceEditView*>(m_frame->GetActiveView());
        QVERIFY(view);
        QComboBox* faces = bar->FaceBox();
        QVERIFY(faces->count() > 0);
        const int index = faces->count() - 1;
        faces->setCurrentIndex(index);
        emit faces->activated(index);
        QCOMPARE(view->font().families().value(0), faces->itemText(index));

        // Enter in the floating bar applies the size and gives the keyboard back
        // to the editor, in the main window.
        QLineEdit* size = bar->SizeBox()->lineEdit();
        const auto enterInBar = [bar, size](const QString& text) {
            // The offscreen platform activates no tool window on request.
            QApplication::setActiveWindow(bar);
            size->setFocus();
            size->setText(text);
            QTest::keyClick(size, Qt::Key_Return);
        };
        enterInBar(QStringLiteral("16"));
        QCOMPARE(view->font().pointSize(), 16);
        QTRY_COMPARE(QApplication::activeWindow(), m_frame);
        QCOMPARE(QApplication::focusWidget(), view);
        // A plain text editor leaves the keyboard in the bar.
        Open(QStringLiteral("font.txt"), "text");
        enterInBar(QStringLiteral("12"));
        QCOMPARE(m_frame->GetActiveView()->GetWidget()->font().pointSize(), 12);
        QCOMPARE(QApplication::focusWidget(), bar->SizeBox());
        // Back in the page, the bar shows the page's size again.
        m_frame->MdiArea()->setActiveSubWindow(page);
        QCOMPARE(bar->SizeBox()->currentText(), QStringLiteral("16"));
    }

    void windowCommandsAndKeysReachEveryWindow()
    {
        const QByteArray text = (QByteArray("<P>") + QByteArray(400, 'w') + "</P>\n").repeated(300);
        QList<CMDIChildWnd*> frames{Open(QStringLiteral("one.html"), text), Open(QStringLiteral("two.txt"), text)};
        // How tiles are cut has its rows in tilesFillTheArea; here, that the
        // commands tile the windows of the area.
        const auto places = [&frames] {
            return QStringLiteral("%1,%2 %3x%4").arg(frames.at(1)->x() - frames.at(0)->x()).arg(frames.at(1)->y() - frames.at(0)->y())
                .arg(frames.at(0)->width() - frames.at(1)->width()).arg(frames.at(0)->height() - frames.at(1)->height());
        };
        QVERIFY(m_frame->ExecuteCommand(ID_TILE_HORIZONTAL));
        const int areaWidth = m_frame->MdiArea()->viewport()->width();
        QCOMPARE(frames.at(0)->width(), areaWidth);
        QCOMPARE(places(), QStringLiteral("0,%1 0x0").arg(frames.at(0)->height()));
        QVERIFY(m_frame->ExecuteCommand(ID_TILE_VERTICAL));
        QCOMPARE(places(), QStringLiteral("%1,0 0x0").arg(frames.at(0)->width()));
        const auto editorOf = [](CMDIChildWnd* frame) { return ZtTest::EditorOf(frame->GetActiveDocument()); };
        QVERIFY(m_frame->ExecuteCommand(ID_SYNC_SCROLL_DOWN));
        QVERIFY(m_frame->ExecuteCommand(ID_SYNC_SCROLL_DOWN));
        QVERIFY(m_frame->ExecuteCommand(ID_SYNC_SCROLL_UP));
        for (CMDIChildWnd* frame : frames)
            QCOMPARE(editorOf(frame)->verticalScrollBar()->value(), 1);

        m_frame->activateWindow();
        QPlainTextEdit* editor = editorOf(m_frame->MDIGetActive());
        editor->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
        // No key of the tables is kept by the editor for itself.
        for (const ZtRes::Accelerator& accelerator : ZtRes::Accelerators() + ZtRes::EditorAccelerators()) {
            QKeyEvent override(QEvent::ShortcutOverride, accelerator.keys[0].key(),
                               accelerator.keys[0].keyboardModifiers());
            QApplication::sendEvent(editor, &override);
            QVERIFY2(!override.isAccepted(), qPrintable(accelerator.keys.toString()));
        }
        // The keypad accelerators reach the commands, not the editor's text.
        const QString typed = editor->toPlainText();
        QTest::keyClick(editor, Qt::Key_Slash, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(editor->toPlainText(), typed);
        QCOMPARE(frames.at(0)->width(), areaWidth);
        // Ctrl+Right scrolls every window, the inactive one too.
        QTest::keyClick(editor, Qt::Key_Right, Qt::ControlModifier);
        for (CMDIChildWnd* frame : frames)
            QVERIFY(editorOf(frame)->horizontalScrollBar()->value() > 0);
        QCOMPARE(editor->textCursor().position(), 0);

        // Alt with a letter no menu uses types nothing.
        QTest::keyClick(editor, Qt::Key_Q, Qt::AltModifier);
        QCOMPARE(editor->toPlainText(), typed);
        // Ctrl+Y redoes, as in any editor.
        QTest::keyClicks(editor, QStringLiteral("x"));
        QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(editor->toPlainText(), typed);
        QTest::keyClick(editor, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(editor->toPlainText(), QStringLiteral("x") + typed);
        // Ctrl+A selects the whole text, but only from inside the editor.
        QWidget* fileList = m_frame->ListBar()->List();
        fileList->setFocus();
        QTest::keyClick(fileList, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(!editor->textCursor().hasSelection());
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(editor->textCursor().selectedText().size(), editor->document()->characterCount() - 1);

        // A right click in the other window makes it the one the menu acts on.
        CMDIChildWnd* otherFrame = frames.at(editorOf(frames.at(0)) == editor ? 1 : 0);
        QPlainTextEdit* other = editorOf(otherFrame);
        CMDIChildWnd* activeAtMenu = nullptr;
        QTimer::singleShot(0, this, [this, &activeAtMenu] {
            activeAtMenu = m_frame->MDIGetActive();
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
        });
        // The request alone, as when the click moved no focus (an inactive main
        // window).
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(20, 10), other->viewport()->mapToGlobal(QPoint(20, 10)));
        QApplication::sendEvent(other->viewport(), &click);
        QCOMPARE(activeAtMenu, otherFrame);
        QCOMPARE(m_frame->focusWidget(), other);
    }

    // A closed dialog hands the keys to the dialog below it, and the last one
    // to the main window, so that menus open from the keyboard again.
    // F6 takes the keys from a page to the Project tree (not its tab bar),
    // and Shift+F6 brings them back.
    void paneKeysReachTheTrees()
    {
        CZentrelView* editor = ZtTest::OpenPageEditor(m_dir + QStringLiteral("/panes.html"), "<P>x</P>\n");
        QVERIFY(editor);
        m_frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_frame));
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m_frame->ProjectBar()->ProjectTree()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(editor));
    }

    void closedDialogsGiveTheKeysBack()
    {
        QApplication::setActiveWindow(m_frame);
        QDialog outer(m_frame);
        outer.setModal(true);
        outer.show();
        QTRY_COMPARE(QApplication::activeWindow(), &outer);
        QDialog inner(&outer);
        inner.setModal(true);
        inner.show();
        QTRY_COMPARE(QApplication::activeWindow(), &inner);
        inner.close();
        QTRY_COMPARE(QApplication::activeWindow(), &outer);
        outer.close();
        QTRY_COMPARE(QApplication::activeWindow(), m_frame);
    }

    void listBarPlaceInsetFocusAndTitleMenu()
    {
        // Docked in the lower left, the List bar is remembered as docked at the bottom.
        CListBar* bar = m_frame->ListBar();
        QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_LISTBAR));
        QCOMPARE(CProfile::Instance().GetInt(QStringLiteral("ListBar"), QStringLiteral("dock side"), 0),
                 int(AFX_IDW_DOCKBAR_BOTTOM));
        QCOMPARE(bar->ContentsInset(), 2);
        QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_LISTBAR));
        QCOMPARE(m_frame->dockWidgetArea(bar), Qt::BottomDockWidgetArea);
        // Back in its first place, below the Project bar.
        m_frame->splitDockWidget(m_frame->ProjectBar(), bar, Qt::Vertical);
        QCOMPARE(bar->ContentsInset(), 4);

        m_frame->ShowFolderInListBar(QStringLiteral("/srv/site"));
        ZtApp()->SetSelectedPath(QStringLiteral("/srv/site/images"));
        QFocusEvent focusIn(QEvent::FocusIn);
        QApplication::sendEvent(bar->List(), &focusIn);
        QCOMPARE(bar->Folder(), QStringLiteral("/srv/site/images"));
        ZtApp()->SetSelectedPath(QString());

        // The docked bar's title offers the bar's own commands.
        QList<int> offered;
        QTimer::singleShot(0, this, [&offered] {
            QWidget* popup = QApplication::activePopupWidget();
            if (!popup)
                return;
            for (QAction* action : popup->actions())
                offered.append(action->data().toInt());
            popup->close();
        });
        QContextMenuEvent onTitle(QContextMenuEvent::Mouse, QPoint(5, 3), bar->mapToGlobal(QPoint(5, 3)));
        QApplication::sendEvent(bar, &onTitle);
        QCOMPARE(offered, (QList<int>{ID_VIEW_LISTBAR, ID_DOCKFLOAT_LISTBAR, ID_ALLOWDOCK_LISTBAR}));
    }

    // Closing saves the layout, and the next frame restores it; that frame
    // shows the splash screen once it is made.
    void layoutSavedOnCloseAndRestored()
    {
        QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_LISTBAR));
        m_frame->ListBar()->move(300, 200);
        QVERIFY(m_frame->close());

        CSplashWnd::EnableSplashScreen(true);
        CMainFrame second;
        second.LoadFrame();
        QVERIFY(CSplashWnd::IsVisibleSplash());
        second.RestorePlacement();
        second.LoadBarState();
        QVERIFY(second.ListBar()->isFloating());
        QCOMPARE(second.ListBar()->pos(), QPoint(300, 200));
        QCOMPARE(second.geometry().size(), m_frame->geometry().size());
    }

    // The splash screen on its own, over a window that stands for the main
    // frame and counts every input it gets.
    void imageIsDrawn()
    {
        const QSize size = CSplashWnd::SplashSize();
        const QImage image = CSplashWnd::RenderSplashImage(size).toImage();
        QCOMPARE(image.size(), size);
        // The picture covers the whole window: no corner shows through.
        for (const QPoint corner : {QPoint(0, 0), QPoint(size.width() - 1, size.height() - 1)})
            QCOMPARE(qAlpha(image.pixel(corner)), 255);
    }

    void showsOnceOverParentThenGoes()
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
        QVERIFY(qAbs(splashes[0]->geometry().center().x() - main.frameGeometry().center().x()) <= 1);
        QVERIFY(qAbs(splashes[0]->geometry().center().y() - main.frameGeometry().center().y()) <= 1);

        // Left alone, it goes by itself after a while.
        QTRY_VERIFY_WITH_TIMEOUT(!CSplashWnd::IsVisibleSplash() && main.findChildren<CSplashWnd*>().isEmpty(), 10000);
    }

    void firstInputOnlyHidesSplash_data()
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

    void firstInputOnlyHidesSplash()
    {
        QFETCH(int, key);
        QFETCH(Qt::MouseButton, button);
        CSplashWnd::EnableSplashScreen(true);
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

private:
    // Writes the file into the test folder and opens it as the user would.
    CMDIChildWnd* Open(const QString& name, const QByteArray& bytes = QByteArray("<HTML>\n</HTML>\n"))
    {
        const QString path = ZtTest::WriteFile(m_dir + QLatin1Char('/') + name, bytes);
        if (name.endsWith(QLatin1String(".txt")))
            ZtApp()->TextTemplate()->OpenDocumentFile(path, true);
        else
            ZtApp()->OpenDocumentFile(path);
        return m_frame->MDIGetActive();
    }

    bool Enabled(int id) const { return m_frame->Router().IsEnabled(id); }
    bool Checked(int id) const
    {
        CCmdUI cmdUI(id);
        m_frame->Router().Update(&cmdUI);
        return cmdUI.m_bChecked;
    }

    // The menu bar's id, "&Settings" when that menu shows, and the window
    // commands enabled.
    QString Offered() const
    {
        QStringList seen{QString::number(m_frame->CurrentMenuId())};
        if (MenuTitles().contains(QStringLiteral("&Settings")))
            seen << QStringLiteral("&Settings");
        const std::pair<int, const char*> commands[] = {
            {ID_TILE_HORIZONTAL, "tileh"}, {ID_TILE_VERTICAL, "tilev"}, {ID_SYNC_SCROLL_DOWN, "syncdown"},
            {ID_SYNC_SCROLL_RIGHT, "syncright"}, {ID_NEXT_DOCUMENT, "next"}, {ID_OPEN_IN_IE, "browser"},
            {ID_SHOW_AS_WEBPAGE, "show"}, {ID_FILE_NEW_FOLDER, "newfolder"}, {ID_WINDOW_TILE_VERT, "tile"}};
        for (const auto& [id, name] : commands) {
            if (Enabled(id))
                seen << QString::fromLatin1(name);
        }
        return seen.join(QLatin1Char(' '));
    }
    QStringList MenuTitles() const
    {
        QStringList titles;
        for (QAction* action : m_frame->menuBar()->actions())
            titles.append(action->text());
        return titles;
    }

    CMainFrame* m_frame = nullptr;
    QString m_dir;
    QList<QUrl> m_openedUrls;
    ZtTest::CMessageLog m_messages{QMessageBox::No};
};

ZT_APP_TEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
