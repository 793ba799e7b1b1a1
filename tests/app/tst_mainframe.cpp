#include "support/TestMain.h"

#include "app/BarDockState.h"
#include "app/ChildFrame.h"
#include "app/CmdUI.h"
#include "app/CommandRouter.h"
#include "app/DocTemplate.h"
#include "app/FrameCommandRules.h"
#include "app/ListBar.h"
#include "app/LockKeyState.h"
#include "app/MainFrame.h"
#include "app/MdiTiler.h"
#include "app/MessageBox.h"
#include "app/Profile.h"
#include "app/ProjectBar.h"
#include "app/SplashWnd.h"
#include "app/ZentrelApp.h"
#include "editor/FontToolBar.h"
#include "editor/SourceEditView.h"
#include "editor/SyntaxSettingsDlg.h"
#include "res/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

using namespace ZtCmd;

class TestMainFrame : public QObject
{
    Q_OBJECT
public slots:
    // Stands in for the desktop's browser.
    void OnOpenUrl(const QUrl& url) { m_openedUrls.append(url); }

private slots:
    void initTestCase();
    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    void init();
    void cleanup();

    void commandRules_data();
    void commandRules();
    void extensionOfPath_data();
    void extensionOfPath();
    void tilesFillTheArea_data();
    void tilesFillTheArea();
    void lockKeysLearntFromTypedKeys_data();
    void lockKeysLearntFromTypedKeys();
    void dockStateDefaultsAndGarbage();

    void menuBarFollowsActiveWindowType();
    void enableRulesFollowActiveWindow();
    void openInBrowserHandsTheSavedFile();
    void barCommandsToggleAndCheck();
    void allowDockingOnlyWhileFloating();
    void dockFloatRoundTripRemembersPlace();
    void lowerLeftBarIsRememberedAtBottom();
    void garbageFloatPositionStaysOnScreen();
    void fontsToolbarCommandFloatsIt();
    void fontToolbarChangesEditorAndProfile();
    void syncScrollAndTileActOnEveryWindow();
    void nextMdiChildWalksAllThenRestarts();
    void listBarInsetAndFocusFollowsTree();
    void barTitleMenuOffersItsCommands();
    void layoutSavedOnCloseAndRestored();
    void splashShowsAtEndOfCreation();
    void syntaxColoringOpensSettings();

private:
    QString MakeFile(const QString& name, const QByteArray& bytes = QByteArray("<HTML>\n</HTML>\n"));
    CMDIChildWnd* Open(const QString& name, const QByteArray& bytes = QByteArray("<HTML>\n</HTML>\n"));
    bool Enabled(int id) const { return m_frame->Router().IsEnabled(id); }
    bool Checked(int id) const;
    QStringList MenuTitles() const;

    CMainFrame* m_frame = nullptr;
    QString m_dir;
    QList<QUrl> m_openedUrls;
    QStringList m_messages;
};

QString TestMainFrame::MakeFile(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir + QLatin1Char('/') + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return path;
}

CMDIChildWnd* TestMainFrame::Open(const QString& name, const QByteArray& bytes)
{
    const QString path = MakeFile(name, bytes);
    if (name.endsWith(QLatin1String(".txt")))
        ZtApp()->m_pTextTemplate->OpenDocumentFile(path, true);
    else
        ZtApp()->OpenDocumentFile(path);
    return m_frame->MDIGetActive();
}

bool TestMainFrame::Checked(int id) const
{
    CCmdUI cmdUI(id);
    m_frame->Router().Update(&cmdUI);
    return cmdUI.m_bChecked;
}

QStringList TestMainFrame::MenuTitles() const
{
    QStringList titles;
    for (QAction* action : m_frame->menuBar()->actions())
        titles.append(action->text());
    return titles;
}

void TestMainFrame::initTestCase()
{
    CSplashWnd::EnableSplashScreen(false);
    ZtApp()->RegisterDocTemplates();
    m_frame = new CMainFrame;
    QVERIFY(m_frame->LoadFrame());
    ZtApp()->SetMainFrame(m_frame);
    m_frame->setGeometry(m_frame->screen()->availableGeometry().adjusted(10, 10, -10, -10));
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame));
    m_dir = ZtTest::SandboxDir() + QStringLiteral("/pages");
    QVERIFY(QDir().mkpath(m_dir));
    ZtMessageBox::SetHandler([this](const QString& text, QMessageBox::StandardButtons) {
        m_messages.append(text);
        return QMessageBox::No;
    });
    QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "OnOpenUrl");
}

void TestMainFrame::init()
{
    CProfile::Instance().RemoveSection(QStringLiteral("TreeBar"));
    CProfile::Instance().RemoveSection(QStringLiteral("ListBar"));
    m_openedUrls.clear();
    m_messages.clear();
    m_frame->m_nBrowserLevel = 2;
}

void TestMainFrame::cleanup()
{
    ZtApp()->CloseAllDocuments();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestMainFrame::commandRules_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("webPageView");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("expected");
    QTest::newRow("font wizard html") << "wizard" << int(ID_FONT_WIZARD) << true << ".html" << 2 << true;
    QTest::newRow("font wizard css") << "wizard" << int(ID_FONT_WIZARD) << true << ".css" << 2 << false;
    QTest::newRow("list wizard htm") << "wizard" << int(ID_LIST_WIZARD) << true << ".htm" << 2 << true;
    QTest::newRow("align wizard text view") << "wizard" << int(ID_ALIGN_WIZARD) << false << ".html" << 2 << false;
    QTest::newRow("color wizard css") << "wizard" << int(ID_COLOR_WIZARD) << true << ".css" << 2 << true;
    QTest::newRow("color wizard java") << "wizard" << int(ID_COLOR_WIZARD) << true << ".java" << 2 << false;
    QTest::newRow("open in browser") << "browser" << 0 << true << ".html" << 1 << true;
    QTest::newRow("open in browser level 0") << "browser" << 0 << true << ".html" << 0 << false;
    QTest::newRow("open in browser css") << "browser" << 0 << true << ".css" << 2 << false;
    QTest::newRow("open in browser text view") << "browser" << 0 << false << ".htm" << 2 << false;
    const int project = CFrameCommandRules::ProjectTab;
    const int keywords = CFrameCommandRules::KeywordsTab;
    const int desktop = CFrameCommandRules::DesktopTab;
    QTest::newRow("new folder project tab") << "folder" << project << false << "" << 0 << false;
    QTest::newRow("new folder keywords tab") << "folder" << keywords << false << "" << 0 << false;
    QTest::newRow("new folder desktop tab") << "folder" << desktop << false << "" << 0 << true;
}

void TestMainFrame::commandRules()
{
    QFETCH(QString, rule);
    QFETCH(int, id);
    QFETCH(bool, webPageView);
    QFETCH(QString, extension);
    QFETCH(int, level);
    QFETCH(bool, expected);
    bool result = false;
    if (rule == QLatin1String("wizard"))
        result = CFrameCommandRules::IsWizardEnabled(id, webPageView, extension);
    else if (rule == QLatin1String("browser"))
        result = CFrameCommandRules::IsOpenInBrowserEnabled(level, webPageView, extension);
    else
        result = CFrameCommandRules::IsNewFolderEnabled(id);
    QCOMPARE(result, expected);
}

void TestMainFrame::extensionOfPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("extension");
    QTest::newRow("upper case") << "/site/INDEX.HTML" << ".html";
    QTest::newRow("two dots") << "/site/page.old.htm" << ".htm";
    QTest::newRow("dot in folder only") << "/my.site/README" << "";
    QTest::newRow("backslash path") << "C:\\my.site\\README" << "";
    QTest::newRow("untitled") << "" << "";
}

void TestMainFrame::extensionOfPath()
{
    QFETCH(QString, path);
    QFETCH(QString, extension);
    QCOMPARE(CFrameCommandRules::ExtensionOf(path), extension);
}

void TestMainFrame::tilesFillTheArea_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("orientation");
    QTest::newRow("3 rows") << 3 << int(Qt::Horizontal);
    QTest::newRow("7 columns") << 7 << int(Qt::Vertical);
    QTest::newRow("1 row") << 1 << int(Qt::Horizontal);
}

void TestMainFrame::tilesFillTheArea()
{
    QFETCH(int, count);
    QFETCH(int, orientation);
    const QRect area(10, 20, 500, 301);
    const QList<QRect> tiles = CMdiTiler::Tiles(area, count, Qt::Orientation(orientation));
    QCOMPARE(tiles.size(), count);
    int covered = 0;
    for (int i = 0; i < count; ++i) {
        const QRect& tile = tiles.at(i);
        QVERIFY(area.contains(tile));
        covered += tile.width() * tile.height();
        if (i > 0 && orientation == Qt::Horizontal)
            QCOMPARE(tile.top(), tiles.at(i - 1).bottom() + 1);
        if (i > 0 && orientation == Qt::Vertical)
            QCOMPARE(tile.left(), tiles.at(i - 1).right() + 1);
    }
    QCOMPARE(covered, area.width() * area.height());
    QVERIFY(CMdiTiler::Tiles(area, 0, Qt::Vertical).isEmpty());
}

void TestMainFrame::lockKeysLearntFromTypedKeys_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QList<int>>("modifiers");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("expected"); // caps, num, scroll as 0/1
    const int none = Qt::NoModifier;
    const int shift = Qt::ShiftModifier;
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("nothing known") << QList<int>{} << QList<int>{} << QStringList{} << "000";
    QTest::newRow("upper without shift") << QList<int>{Qt::Key_A} << QList<int>{none} << QStringList{"A"} << "100";
    QTest::newRow("lower with shift") << QList<int>{Qt::Key_A} << QList<int>{shift} << QStringList{"a"} << "100";
    QTest::newRow("upper with shift") << QList<int>{Qt::Key_A, Qt::Key_B} << QList<int>{none, shift}
                                      << QStringList{"A", "B"} << "000";
    QTest::newRow("digit is no letter") << QList<int>{Qt::Key_1} << QList<int>{shift} << QStringList{"!"} << "000";
    QTest::newRow("keypad digit") << QList<int>{Qt::Key_7} << QList<int>{keypad} << QStringList{"7"} << "010";
    QTest::newRow("keypad cursor") << QList<int>{Qt::Key_7, Qt::Key_Home} << QList<int>{keypad, keypad}
                                   << QStringList{"7", ""} << "000";
    QTest::newRow("scroll lock twice") << QList<int>{Qt::Key_ScrollLock, Qt::Key_ScrollLock, Qt::Key_ScrollLock}
                                       << QList<int>{none, none, none} << QStringList{"", "", ""} << "001";
}

void TestMainFrame::lockKeysLearntFromTypedKeys()
{
    QFETCH(QList<int>, keys);
    QFETCH(QList<int>, modifiers);
    QFETCH(QStringList, texts);
    QFETCH(QString, expected);
    CLockKeyState state;
    for (int i = 0; i < keys.size(); ++i)
        state.OnKeyPress(keys.at(i), Qt::KeyboardModifiers(modifiers.at(i)), texts.at(i));
    const QString shown = QString::number(state.IsCapsLockOn()) + QString::number(state.IsNumLockOn())
                          + QString::number(state.IsScrollLockOn());
    QCOMPARE(shown, expected);
}

void TestMainFrame::dockStateDefaultsAndGarbage()
{
    CProfile& profile = CProfile::Instance();
    const CBarDockState tree(QStringLiteral("TreeBar"), AFX_IDW_DOCKBAR_LEFT);
    const CBarDockState list(QStringLiteral("ListBar"), AFX_IDW_DOCKBAR_BOTTOM);
    QCOMPARE(tree.FloatPosition(), QPoint(100, 100));
    QCOMPARE(tree.DockRect(), QRect(QPoint(37, 100), QSize(163, 350)));
    QCOMPARE(tree.DockSide(), int(AFX_IDW_DOCKBAR_LEFT));
    QCOMPARE(list.DockSide(), int(AFX_IDW_DOCKBAR_BOTTOM));

    profile.WriteString(QStringLiteral("treebar"), QStringLiteral("FLOAT X"), QStringLiteral("left"));
    profile.WriteString(QStringLiteral("TreeBar"), QStringLiteral("dock side"), QStringLiteral("12345"));
    profile.WriteInt(QStringLiteral("TreeBar"), QStringLiteral("dock left"), 300);
    QCOMPARE(tree.FloatPosition(), QPoint(100, 100));
    QCOMPARE(tree.DockSide(), int(AFX_IDW_DOCKBAR_LEFT));
    QCOMPARE(tree.DockRect(), QRect(QPoint(200, 100), QSize(100, 350))); // inverted, normalised

    tree.WriteDockState(QRect(5, 60, 200, 400), QSize(200, 400), AFX_IDW_DOCKBAR_RIGHT);
    QCOMPARE(profile.GetInt(QStringLiteral("TreeBar"), QStringLiteral("dock right"), 0), 205);
    QCOMPARE(profile.GetInt(QStringLiteral("TreeBar"), QStringLiteral("dock height"), 0), 400);
    QCOMPARE(tree.DockSide(), int(AFX_IDW_DOCKBAR_RIGHT));
    QCOMPARE(tree.DockRect(), QRect(5, 60, 200, 400));
}

void TestMainFrame::menuBarFollowsActiveWindowType()
{
    QCOMPARE(m_frame->CurrentMenuId(), int(IDR_MAINFRAME));
    QVERIFY(MenuTitles().contains(QStringLiteral("&Settings")));
    Open(QStringLiteral("page.html"));
    QCOMPARE(m_frame->CurrentMenuId(), int(IDR_ZTTYPE));
    QVERIFY(MenuTitles().contains(QStringLiteral("&Edit")));
    QVERIFY(!MenuTitles().contains(QStringLiteral("&Settings")));
    Open(QStringLiteral("notes.txt"), "plain");
    QCOMPARE(m_frame->CurrentMenuId(), int(IDR_TEXTTYPE));
    QVERIFY(!MenuTitles().contains(QStringLiteral("Wi&zards")));
    ZtApp()->CloseAllDocuments();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(m_frame->CurrentMenuId(), int(IDR_MAINFRAME));
}

void TestMainFrame::enableRulesFollowActiveWindow()
{
    const QList<int> layoutCommands{ID_TILE_HORIZONTAL, ID_TILE_VERTICAL, ID_SYNC_SCROLL_DOWN, ID_SYNC_SCROLL_RIGHT,
                                    ID_NEXT_DOCUMENT};
    for (int id : layoutCommands)
        QVERIFY2(!Enabled(id), qPrintable(QString::number(id)));
    QVERIFY(!Enabled(ID_OPEN_IN_IE));
    QVERIFY(Enabled(ID_SYNTAX_COLORING));

    Open(QStringLiteral("rules.html"));
    for (int id : layoutCommands)
        QVERIFY2(Enabled(id), qPrintable(QString::number(id)));
    QVERIFY(Enabled(ID_OPEN_IN_IE));
    m_frame->m_nBrowserLevel = 0;
    QVERIFY(!Enabled(ID_OPEN_IN_IE));
    m_frame->m_nBrowserLevel = 2;
    // Rules whose commands nobody handles yet keep them disabled.
    QVERIFY(!Enabled(ID_FONT_WIZARD));
    QVERIFY(!Enabled(ID_SHOW_AS_WEBPAGE));
    for (int tab = 0; tab < 3; ++tab) {
        m_frame->ProjectBar()->SetCurrentTab(tab);
        QVERIFY(!Enabled(ID_FILE_NEW_FOLDER));
    }

    Open(QStringLiteral("style.css"), "p { }");
    QVERIFY(!Enabled(ID_OPEN_IN_IE));
    Open(QStringLiteral("rules.txt"), "plain");
    QVERIFY(!Enabled(ID_OPEN_IN_IE));
    QVERIFY(Enabled(ID_TILE_HORIZONTAL));
}

void TestMainFrame::openInBrowserHandsTheSavedFile()
{
    const QString path = m_dir + QStringLiteral("/shown.htm");
    Open(QStringLiteral("shown.htm"));
    QVERIFY(m_frame->ExecuteCommand(ID_OPEN_IN_IE));
    QCOMPARE(m_openedUrls, QList<QUrl>{QUrl::fromLocalFile(path)});
    QVERIFY(m_messages.isEmpty());
}

void TestMainFrame::barCommandsToggleAndCheck()
{
    struct Toggle
    {
        int id;
        QWidget* bar;
    };
    const QList<Toggle> toggles{{ID_VIEW_PROJECTBAR, m_frame->ProjectBar()},
                                {ID_VIEW_LISTBAR, m_frame->ListBar()},
                                {ID_VIEW_BROWSEBAR, m_frame->BrowseBar()},
                                {ID_VIEW_HTMLTAGS, m_frame->HtmlTagsBar()},
                                {ID_VIEW_OPERATIONBAR, m_frame->OperationBar()},
                                {ID_VIEW_TOOLBAR, m_frame->MainToolBar()},
                                {ID_VIEW_STATUS_BAR, m_frame->statusBar()}};
    for (const Toggle& toggle : toggles) {
        QVERIFY2(toggle.bar->isVisible() && Checked(toggle.id), qPrintable(QString::number(toggle.id)));
        QVERIFY(m_frame->ExecuteCommand(toggle.id));
        QVERIFY2(!toggle.bar->isVisible() && !Checked(toggle.id), qPrintable(QString::number(toggle.id)));
        QVERIFY(m_frame->ExecuteCommand(toggle.id));
        QVERIFY(toggle.bar->isVisible());
    }
    // The main toolbar's buttons switch the same bars.
    QVERIFY(m_frame->ExecuteCommand(ID_TOGGLE_WORKSPACE));
    QVERIFY(m_frame->ProjectBar()->isHidden());
    QVERIFY(m_frame->ExecuteCommand(ID_TOGGLE_WORKSPACE));
    QVERIFY(m_frame->ExecuteCommand(ID_TOGGLE_LISTBAR));
    QVERIFY(m_frame->ListBar()->isHidden());
    QVERIFY(m_frame->ExecuteCommand(ID_TOGGLE_LISTBAR));
    QVERIFY(!m_frame->ListBar()->isHidden());
}

void TestMainFrame::allowDockingOnlyWhileFloating()
{
    CProjectBar* bar = m_frame->ProjectBar();
    QVERIFY(!bar->isFloating());
    QVERIFY(!Enabled(ID_ALLOWDOCK_PROJECTBAR));
    QVERIFY(Checked(ID_DOCKFLOAT_PROJECTBAR));
    QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_PROJECTBAR));
    QVERIFY(bar->isFloating());
    QVERIFY(!Checked(ID_DOCKFLOAT_PROJECTBAR));
    QVERIFY(Enabled(ID_ALLOWDOCK_PROJECTBAR));
    QVERIFY(Checked(ID_ALLOWDOCK_PROJECTBAR));
    QVERIFY(m_frame->ExecuteCommand(ID_ALLOWDOCK_PROJECTBAR));
    QCOMPARE(bar->allowedAreas(), Qt::NoDockWidgetArea);
    QVERIFY(!Checked(ID_ALLOWDOCK_PROJECTBAR));
    QVERIFY(m_frame->ExecuteCommand(ID_ALLOWDOCK_PROJECTBAR));
    QCOMPARE(bar->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_PROJECTBAR));
    QVERIFY(!bar->isFloating());
}

void TestMainFrame::dockFloatRoundTripRemembersPlace()
{
    CProjectBar* bar = m_frame->ProjectBar();
    QCOMPARE(m_frame->dockWidgetArea(bar), Qt::LeftDockWidgetArea);
    const int dockedWidth = bar->width();
    const QRect screenRect = bar->ScreenRect();
    QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_PROJECTBAR));
    CProfile& profile = CProfile::Instance();
    const QString section = QStringLiteral("TreeBar");
    QCOMPARE(profile.GetInt(section, QStringLiteral("dock side"), 0), int(AFX_IDW_DOCKBAR_LEFT));
    QCOMPARE(profile.GetInt(section, QStringLiteral("dock left"), -1), screenRect.left());
    QCOMPARE(profile.GetInt(section, QStringLiteral("dock top"), -1), screenRect.top());
    QCOMPARE(profile.GetInt(section, QStringLiteral("dock width"), -1), dockedWidth);
    QCOMPARE(bar->pos(), QPoint(100, 100));

    bar->move(150, 170);
    QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_PROJECTBAR));
    QCOMPARE(profile.GetInt(section, QStringLiteral("float x"), 0), 150);
    QCOMPARE(profile.GetInt(section, QStringLiteral("float y"), 0), 170);
    QVERIFY(!bar->isFloating());
    QCOMPARE(m_frame->dockWidgetArea(bar), Qt::LeftDockWidgetArea);
    QTRY_VERIFY(qAbs(bar->width() - dockedWidth) <= 2);
    // Floating again goes back where it floated last.
    QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_PROJECTBAR));
    QCOMPARE(bar->pos(), QPoint(150, 170));
    QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_PROJECTBAR));
}

void TestMainFrame::lowerLeftBarIsRememberedAtBottom()
{
    CListBar* bar = m_frame->ListBar();
    QCOMPARE(m_frame->dockWidgetArea(bar), Qt::LeftDockWidgetArea);
    const QPoint inFrame = bar->mapTo(m_frame, QPoint(0, 0));
    QVERIFY2(inFrame.y() >= m_frame->height() / 2, "the List bar starts in the lower half");
    QCOMPARE(m_frame->DockSideFromPosition(inFrame.x(), inFrame.y()), int(AFX_IDW_DOCKBAR_BOTTOM));
    QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_LISTBAR));
    QCOMPARE(CProfile::Instance().GetInt(QStringLiteral("ListBar"), QStringLiteral("dock side"), 0),
             int(AFX_IDW_DOCKBAR_BOTTOM));
    QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_LISTBAR));
    QCOMPARE(m_frame->dockWidgetArea(bar), Qt::BottomDockWidgetArea);
    // Back to the default place for the tests that follow.
    m_frame->splitDockWidget(m_frame->ProjectBar(), bar, Qt::Vertical);
}

void TestMainFrame::garbageFloatPositionStaysOnScreen()
{
    CProfile::Instance().WriteInt(QStringLiteral("TreeBar"), QStringLiteral("float x"), 99999);
    CProfile::Instance().WriteInt(QStringLiteral("TreeBar"), QStringLiteral("float y"), -99999);
    CProjectBar* bar = m_frame->ProjectBar();
    QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_PROJECTBAR));
    QVERIFY(bar->isFloating());
    QVERIFY(bar->screen()->availableGeometry().contains(bar->pos()));
    QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_PROJECTBAR));
}

void TestMainFrame::fontsToolbarCommandFloatsIt()
{
    CFontToolBar* bar = m_frame->FontToolBar();
    QCOMPARE(m_frame->toolBarArea(bar), Qt::TopToolBarArea);
    QVERIFY(!bar->isWindow());
    QVERIFY(m_frame->ExecuteCommand(ID_VIEW_FONTSBAR));
    QVERIFY(bar->isHidden());
    QVERIFY(bar->isWindow());
    QVERIFY(m_frame->ExecuteCommand(ID_VIEW_FONTSBAR));
    QVERIFY(bar->isVisible() && bar->isFloatable());
    QVERIFY(bar->isFloating());
    QCOMPARE(bar->pos(), QPoint(200, 125));
    QVERIFY(Checked(ID_VIEW_FONTSBAR));
}

void TestMainFrame::fontToolbarChangesEditorAndProfile()
{
    Open(QStringLiteral("font.html"));
    auto* view = dynamic_cast<CSourceEditView*>(m_frame->GetActiveView());
    QVERIFY(view);
    QComboBox* faces = m_frame->FontToolBar()->FaceBox();
    QVERIFY(faces->count() > 0);
    const int index = faces->count() - 1;
    faces->setCurrentIndex(index);
    emit faces->activated(index);
    const QString face = faces->itemText(index);
    QCOMPARE(CProfile::Instance().GetString(QStringLiteral("Startup"), QStringLiteral("FontFace")), face);
    QCOMPARE(view->font().families().value(0), face);

    QLineEdit* size = m_frame->FontToolBar()->SizeBox()->lineEdit();
    size->setText(QStringLiteral("16"));
    QTest::keyClick(size, Qt::Key_Return);
    QCOMPARE(CProfile::Instance().GetInt(QStringLiteral("Startup"), QStringLiteral("FontSize"), 0), 320);
    QCOMPARE(view->font().pointSize(), 16);
}

void TestMainFrame::syncScrollAndTileActOnEveryWindow()
{
    QByteArray longText;
    for (int line = 0; line < 300; ++line)
        longText += "<P>line " + QByteArray::number(line) + " with some words to make it wide enough</P>\n";
    QList<CMDIChildWnd*> frames{Open(QStringLiteral("one.html"), longText), Open(QStringLiteral("two.html"), longText)};
    QVERIFY(m_frame->ExecuteCommand(ID_TILE_HORIZONTAL));
    const int areaWidth = m_frame->MdiArea()->viewport()->width();
    QCOMPARE(frames.at(0)->width(), areaWidth);
    QCOMPARE(frames.at(1)->width(), areaWidth);
    QVERIFY(frames.at(0)->y() != frames.at(1)->y());
    QVERIFY(m_frame->ExecuteCommand(ID_TILE_VERTICAL));
    QCOMPARE(frames.at(0)->height(), frames.at(1)->height());
    QVERIFY(frames.at(0)->x() != frames.at(1)->x());

    auto vertical = [](CMDIChildWnd* frame) {
        return static_cast<QAbstractScrollArea*>(frame->GetActiveView()->GetWidget())->verticalScrollBar();
    };
    QVERIFY(m_frame->ExecuteCommand(ID_SYNC_SCROLL_DOWN));
    QVERIFY(m_frame->ExecuteCommand(ID_SYNC_SCROLL_DOWN));
    QCOMPARE(vertical(frames.at(0))->value(), 2);
    QCOMPARE(vertical(frames.at(1))->value(), 2);
    QVERIFY(m_frame->ExecuteCommand(ID_SYNC_SCROLL_UP));
    QCOMPARE(vertical(frames.at(0))->value(), 1);
    QCOMPARE(vertical(frames.at(1))->value(), 1);

    CMDIChildWnd* before = m_frame->MDIGetActive();
    QVERIFY(m_frame->ExecuteCommand(ID_NEXT_DOCUMENT));
    QVERIFY(m_frame->MDIGetActive() != before);

    // The keypad accelerators reach the commands, not the editor's text.
    m_frame->activateWindow();
    QWidget* editor = m_frame->MDIGetActive()->GetActiveView()->GetWidget();
    editor->setFocus();
    const QString text = static_cast<QPlainTextEdit*>(editor)->toPlainText();
    QTest::keyClick(editor, Qt::Key_Slash, Qt::ControlModifier | Qt::KeypadModifier);
    QCOMPARE(static_cast<QPlainTextEdit*>(editor)->toPlainText(), text);
    QCOMPARE(frames.at(0)->width(), areaWidth);
}

void TestMainFrame::nextMdiChildWalksAllThenRestarts()
{
    QVERIFY(!m_frame->GetNextMDIChild());
    CMDIChildWnd* first = Open(QStringLiteral("a.html"));
    CMDIChildWnd* second = Open(QStringLiteral("b.txt"), "b");
    QCOMPARE(m_frame->GetNextMDIChild(), first);
    QCOMPARE(m_frame->GetNextMDIChild(), second);
    QVERIFY(!m_frame->GetNextMDIChild());
    QCOMPARE(m_frame->GetNextMDIChild(), first);
    QCOMPARE(m_frame->GetNextMDIChild(), second);
    QVERIFY(!m_frame->GetNextMDIChild());
}

void TestMainFrame::listBarInsetAndFocusFollowsTree()
{
    CListBar* bar = m_frame->ListBar();
    QCOMPARE(bar->ContentsInset(), 4);
    QCOMPARE(m_frame->ProjectBar()->ContentsInset(), 5);
    QCOMPARE(m_frame->ProjectBar()->TabControl()->count(), 3);
    QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_LISTBAR));
    QCOMPARE(bar->ContentsInset(), 2);
    QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_LISTBAR));
    m_frame->splitDockWidget(m_frame->ProjectBar(), bar, Qt::Vertical);
    QCOMPARE(bar->ContentsInset(), 4);

    m_frame->ShowFolderInListBar(QStringLiteral("/srv/site"));
    QCOMPARE(bar->Folder(), QStringLiteral("/srv/site"));
    ZtApp()->m_strSelectedPath = QStringLiteral("/srv/site/images");
    QFocusEvent focusIn(QEvent::FocusIn);
    QApplication::sendEvent(bar->List(), &focusIn);
    QCOMPARE(bar->Folder(), QStringLiteral("/srv/site/images"));
    ZtApp()->m_strSelectedPath.clear();
}

void TestMainFrame::barTitleMenuOffersItsCommands()
{
    QList<int> offered;
    QTimer::singleShot(0, this, [&offered] {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup)
            return;
        for (QAction* action : popup->actions())
            offered.append(action->data().toInt());
        popup->close();
    });
    CListBar* bar = m_frame->ListBar();
    QContextMenuEvent onTitle(QContextMenuEvent::Mouse, QPoint(5, 3), bar->mapToGlobal(QPoint(5, 3)));
    QApplication::sendEvent(bar, &onTitle);
    QCOMPARE(offered, (QList<int>{ID_VIEW_LISTBAR, ID_DOCKFLOAT_LISTBAR, ID_ALLOWDOCK_LISTBAR}));
}

void TestMainFrame::layoutSavedOnCloseAndRestored()
{
    QVERIFY(m_frame->ExecuteCommand(ID_VIEW_BROWSEBAR));
    QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_LISTBAR));
    m_frame->ListBar()->move(300, 200);
    QVERIFY(m_frame->close());
    QVERIFY(!CProfile::Instance().GetString(QStringLiteral("Settings"), QStringLiteral("WindowPos")).isEmpty());

    CMainFrame second;
    QVERIFY(second.LoadFrame());
    second.RestorePlacement();
    second.LoadBarState();
    QVERIFY(second.BrowseBar()->isHidden());
    QVERIFY(second.ListBar()->isFloating());
    QCOMPARE(second.ListBar()->pos(), QPoint(300, 200));
    QCOMPARE(second.geometry().size(), m_frame->geometry().size());

    // Put the shared frame back as the other tests found it.
    m_frame->show();
    QVERIFY(m_frame->ExecuteCommand(ID_VIEW_BROWSEBAR));
    QVERIFY(m_frame->ExecuteCommand(ID_DOCKFLOAT_LISTBAR));
}

void TestMainFrame::splashShowsAtEndOfCreation()
{
    CSplashWnd::EnableSplashScreen(true);
    {
        CMainFrame frame;
        QVERIFY(frame.LoadFrame());
        QVERIFY(CSplashWnd::IsVisibleSplash());
        CSplashWnd::HideSplashScreen();
    }
    CSplashWnd::EnableSplashScreen(false);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!CSplashWnd::IsVisibleSplash());
}

void TestMainFrame::syntaxColoringOpensSettings()
{
    bool dialogShown = false;
    QTimer::singleShot(0, this, [&dialogShown] {
        if (auto* dialog = qobject_cast<CSyntaxSettingsDlg*>(QApplication::activeModalWidget())) {
            dialogShown = true;
            dialog->reject();
        }
    });
    QVERIFY(m_frame->ExecuteCommand(ID_SYNTAX_COLORING));
    QVERIFY(dialogShown);
}

ZT_TEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
