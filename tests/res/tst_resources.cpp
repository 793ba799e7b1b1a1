#include "support/TestMain.h"

#include "app/MenuBuilder.h"
#include "res/Accelerators.h"
#include "res/CommandIcons.h"
#include "res/CommandIds.h"
#include "res/MenuTables.h"
#include "res/StringTable.h"
#include "res/ToolbarTables.h"

#include <QAction>
#include <QFile>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QToolBar>

#include <memory>

using ZtRes::MenuItem;
using ZtRes::MenuItemKind;

namespace {

// A menu as lines: "id text" for commands, "-" for separators, "recent" for
// the recent-file list, "[title" ... "]" around a submenu.
QStringList Describe(const QVector<MenuItem>& items)
{
    QStringList lines;
    for (const MenuItem& item : items) {
        switch (item.kind) {
        case MenuItemKind::Command:
            lines << QStringLiteral("%1 %2").arg(item.id).arg(item.text);
            break;
        case MenuItemKind::Separator:
            lines << QStringLiteral("-");
            break;
        case MenuItemKind::RecentFiles:
            lines << QStringLiteral("recent");
            break;
        case MenuItemKind::Popup:
            lines << QLatin1Char('[') + item.text << Describe(item.items) << QStringLiteral("]");
            break;
        }
    }
    return lines;
}

QStringList Titles(const QVector<MenuItem>& popups)
{
    QStringList titles;
    for (const MenuItem& popup : popups)
        titles << popup.text;
    return titles;
}

const MenuItem* FindPopup(const QVector<MenuItem>& items, const QString& title)
{
    for (const MenuItem& item : items) {
        if (item.kind == MenuItemKind::Popup && item.text == title)
            return &item;
    }
    return nullptr;
}

void CollectIds(const QVector<MenuItem>& items, QList<int>& ids)
{
    for (const MenuItem& item : items) {
        if (item.kind == MenuItemKind::Command)
            ids << item.id;
        else if (item.kind == MenuItemKind::Popup)
            CollectIds(item.items, ids);
    }
}

const QStringList ProjectBarLines{QStringLiteral("32784 &Show  / Hide Project bar"),
                                  QStringLiteral("32891 &Dock / Float Project bar"),
                                  QStringLiteral("32917 &Allow Docking")};
const QStringList ListBarLines{QStringLiteral("32785 &Show / Hide Listbar"),
                               QStringLiteral("32894 &Dock / Float List bar"),
                               QStringLiteral("32918 &Allow Docking")};

// Actions made on demand, one per id, as the main frame keeps them.
struct ActionPool
{
    QObject owner;
    QHash<int, QAction*> actions;
    QSet<int> missing;

    QAction* Get(int id)
    {
        if (missing.contains(id))
            return nullptr;
        QAction*& action = actions[id];
        if (!action) {
            action = new QAction(&owner);
            action->setData(id);
        }
        return action;
    }
    CMenuBuilder::ActionLookup Lookup()
    {
        return [this](int id) { return Get(id); };
    }
};

QStringList Texts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

} // namespace

class TestResources : public QObject
{
    Q_OBJECT
private slots:
    void menuBarPopups_data();
    void menuBarPopups();
    void menuPopupItems_data();
    void menuPopupItems();
    void textMenuHasNoFolderOrWizards();
    void contextMenus_data();
    void contextMenus();
    void idsUniquePerMenu_data();
    void idsUniquePerMenu();
    void unknownResourcesAreEmpty();
    void accelerators();
    void toolbarButtons_data();
    void toolbarButtons();
    void shownButtonsHaveIconAndTip_data();
    void shownButtonsHaveIconAndTip();
    void stringsSplitIntoStatusAndTip_data();
    void stringsSplitIntoStatusAndTip();
    void numberedStrings();
    void builderMakesMenuStructure();
    void builderGivesEachMenuItsTexts();
    void builderShowsUnknownCommandsDisabled();
    void builderReplacesMenuBar();
    void builderToolBar();
};

void TestResources::menuBarPopups_data()
{
    QTest::addColumn<int>("menu");
    QTest::addColumn<QStringList>("titles");
    const QString file = QStringLiteral("&File"), edit = QStringLiteral("&Edit"), view = QStringLiteral("&View"),
                  wiz = QStringLiteral("Wi&zards"), window = QStringLiteral("&Window"), help = QStringLiteral("&Help");
    QTest::newRow("main") << 128 << QStringList{file, view, wiz, QStringLiteral("&Settings"), window, help};
    QTest::newRow("web page") << 129 << QStringList{file, edit, view, wiz, window, help};
    QTest::newRow("project") << 130 << QStringList{file, edit, view, wiz, window, help};
    QTest::newRow("text") << 136 << QStringList{file, edit, view, window, help};
    QTest::newRow("browser") << 145 << QStringList{file, view, window, QStringLiteral("&Browse")};
}

void TestResources::menuBarPopups()
{
    QFETCH(int, menu);
    QFETCH(QStringList, titles);
    QCOMPARE(Titles(ZtRes::MenuBar(menu)), titles);
}

void TestResources::menuPopupItems_data()
{
    QTest::addColumn<int>("menu");
    QTest::addColumn<QString>("popup");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("128 File") << 128 << "&File"
                              << QStringList{"32804 New &Folder", "57600 &New\tCtrl+N", "57601 &Open...\tCtrl+O", "-",
                                             "57606 P&rint Setup...", "-", "32786 Open Web &Project",
                                             "32782 Sa&ve Project", "32790 Pro&ject Save As",
                                             "32799 C&lose Web Project", "-", "recent", "-", "57665 E&xit"};
    QTest::newRow("128 View") << 128 << "&View"
                              << (QStringList{"32945 &HTML Tags", "32948 &Operation Toolbar", "32914 &Fonts toolbar",
                                              "32913 &Browse bar", "59392 &Main Toolbar", "59393 &Status Bar",
                                              "[Pr&oject bar window"}
                                  << ProjectBarLines << "]" << "[&List bar window" << ListBarLines << "]");
    QTest::newRow("128 Wizards") << 128 << "Wi&zards"
                                 << QStringList{"32868 &Body", "32869 &Font", "32772 &Project ", "32864 &Table",
                                                "32881 &Image", "32905 &Colors", "32915 &Align", "32921 &List"};
    QTest::newRow("128 Settings") << 128 << "&Settings"
                                  << QStringList{"32936 &Java Path", "32932 &Perl Path", "32942 &Syntax Coloring"};
    QTest::newRow("128 Window") << 128 << "&Window"
                                << QStringList{"32930 &Open console window", "32922 &Run console process"};
    QTest::newRow("128 Help") << 128 << "&Help" << QStringList{"57667 &Help Topics", "-", "57664 &About Zentrel..."};
    const QStringList webFileTail{"-", "57607 &Print...\tCtrl+P", "57609 Print Pre&view", "57606 P&rint Setup...", "-",
                                  "32786 Open &Web Project", "32782 Pro&ject Save", "32790 Proj&ect Save As",
                                  "32799 C&lose Web Project", "-"};
    QTest::newRow("129 File") << 129 << "&File"
                              << (QStringList{"32804 New &Folder", "57600 &New\tCtrl+N", "57601 &Open...\tCtrl+O",
                                              "57602 &Close", "57603 &Save\tCtrl+S", "57604 Save &As..."}
                                  << webFileTail << "recent" << "-" << "57665 E&xit");
    QTest::newRow("129 Edit") << 129 << "&Edit"
                              << QStringList{"57643 &Undo\tCtrl+Z", "-", "57632 C&lear", "57635 Cu&t\tCtrl+X",
                                             "57634 &Copy\tCtrl+C", "57637 &Paste\tCtrl+V", "57639 Paste &Special",
                                             "-", "57640 &Repeat", "57636 &Find", "57641 R&eplace", "-",
                                             "57645 &Delete"};
    QTest::newRow("129 Wizards color") << 129 << "Wi&zards"
                                       << QStringList{"32868 &Body", "32869 &Font", "32772 &Project ", "32864 &Table",
                                                      "32881 &Image", "32905 &Color", "32915 &Align", "32921 &List"};
    QTest::newRow("129 Window") << 129 << "&Window"
                                << QStringList{"57648 &New Window", "57650 &Cascade", "57651 &Tile",
                                               "57649 &Arrange Icons", "-", "32930 &Open console window",
                                               "32922 &Run console process"};
    QTest::newRow("130 File inert recent")
        << 130 << "&File"
        << (QStringList{"32804 New &Folder", "57600 &New\tCtrl+N", "57601 &Open...\tCtrl+O", "57602 &Close",
                        "57603 &Save\tCtrl+S", "57604 Save &As..."}
            << webFileTail << "32950 Recent Files" << "-" << "57665 E&xit");
    QTest::newRow("130 Edit") << 130 << "&Edit"
                              << QStringList{"57643 &Undo\tCtrl+Z", "-", "57632 C&lear", "57635 Cu&t\tCtrl+X",
                                             "57634 &Copy\tCtrl+C", "57637 &Paste\tCtrl+V", "-", "57645 &Delete"};
    QTest::newRow("136 File") << 136 << "&File"
                              << (QStringList{"57600 &New\tCtrl+N", "57601 &Open...\tCtrl+O", "57602 &Close",
                                              "57603 &Save\tCtrl+S", "57604 Save &As..."}
                                  << webFileTail << "recent" << "-" << "57665 E&xit");
    QTest::newRow("145 File") << 145 << "&File"
                              << QStringList{"32827 &Open...\tCtrl+O", "57602 &Close", "-", "57607 &Print...\tCtrl+P",
                                             "57609 Print Pre&view", "57606 P&rint Setup...", "-", "recent", "-",
                                             "32786 Open &Web Project", "32782 Project &Save",
                                             "32790 Project Save &As", "32799 C&lose Web Project", "-",
                                             "57665 E&xit"};
    QTest::newRow("145 View") << 145 << "&View"
                              << (QStringList{"32913 &Browse bar", "59392 &Main Toolbar", "59393 &Status Bar",
                                              "[Pr&oject bar window"}
                                  << ProjectBarLines << "]" << "[&List bar window" << ListBarLines << "]");
    QTest::newRow("145 Browse") << 145 << "&Browse" << QStringList{"32923 &Back", "32924 &Forward"};
}

void TestResources::menuPopupItems()
{
    QFETCH(int, menu);
    QFETCH(QString, popup);
    QFETCH(QStringList, lines);
    const QVector<MenuItem> popups = ZtRes::MenuBar(menu);
    const MenuItem* found = FindPopup(popups, popup);
    QVERIFY2(found, qPrintable(popup));
    QCOMPARE(Describe(found->items), lines);
}

void TestResources::textMenuHasNoFolderOrWizards()
{
    QList<int> ids;
    CollectIds(ZtRes::MenuBar(136), ids);
    QVERIFY(!ids.contains(ZtCmd::ID_FILE_NEW_FOLDER));
    QVERIFY(!ids.contains(ZtCmd::ID_BODY_WIZARD));
    QVERIFY(!ids.contains(ZtCmd::ID_RECENT_FILES_INERT));
    // The project menu is the one without the recent-file list.
    QVERIFY(!Describe(ZtRes::MenuBar(130)).contains(QStringLiteral("recent")));
}

void TestResources::contextMenus_data()
{
    QTest::addColumn<int>("menu");
    QTest::addColumn<QStringList>("lines");
    const QStringList editTail{"57643 &Undo", "57640 &Repeat", "-"};
    const QStringList findTail{"57635 Cu&t", "57634 &Copy", "57637 &Paste", "-", "57645 &Delete", "-",
                               "57636 &Find", "57641 R&eplace", "-"};
    QTest::newRow("web page editor")
        << 110
        << (QStringList{"[&Wizards", "32868 &Body Wizard", "32869 &Font Wizard", "32864 &Table Wizard",
                        "32881 &Image Wizard", "32905 &Color Wizard", "32915 &Align Wizard", "32921 &List Wizard", "]",
                        "32830 &Next document", "32778 &Show as Web Page", "32775 Open in &I.E.", "-"}
            << editTail << "57632 Cle&ar" << findTail << "[Pr&oject bar" << ProjectBarLines << "]" << "[&List bar"
            << ListBarLines << "]");
    QTest::newRow("plain text editor")
        << 125
        << (QStringList{"32830 &Next document", "-"} << editTail << findTail << "[Pr&oject bar window"
                                                      << ProjectBarLines << "]" << "[&List bar window"
                                                      << ListBarLines << "]" << "32937 ");
}

void TestResources::contextMenus()
{
    QFETCH(int, menu);
    QFETCH(QStringList, lines);
    const MenuItem popup = ZtRes::ContextMenu(menu);
    QCOMPARE(popup.kind, MenuItemKind::Popup);
    QCOMPARE(Describe(popup.items), lines);
}

void TestResources::idsUniquePerMenu_data()
{
    QTest::addColumn<int>("menu");
    QTest::addColumn<bool>("context");
    for (int id : {128, 129, 130, 136, 145})
        QTest::addRow("bar %d", id) << id << false;
    for (int id : {110, 125})
        QTest::addRow("context %d", id) << id << true;
}

void TestResources::idsUniquePerMenu()
{
    QFETCH(int, menu);
    QFETCH(bool, context);
    QList<int> ids;
    CollectIds(context ? QVector<MenuItem>{ZtRes::ContextMenu(menu)} : ZtRes::MenuBar(menu), ids);
    QVERIFY(!ids.isEmpty());
    QSet<int> seen;
    for (int id : ids) {
        QVERIFY2(id > 0, "command without id");
        QVERIFY2(!seen.contains(id), qPrintable(QString::number(id)));
        seen.insert(id);
    }
}

void TestResources::unknownResourcesAreEmpty()
{
    QVERIFY(ZtRes::MenuBar(999).isEmpty());
    QVERIFY(ZtRes::ContextMenu(128).items.isEmpty());
    QVERIFY(ZtRes::ToolbarButtons(999).isEmpty());
    QVERIFY(ZtRes::CommandIcon(999).isNull());
    QVERIFY(ZtRes::StatusText(999).isEmpty());
    QVERIFY(ZtRes::ToolTipText(999).isEmpty());
    QVERIFY(ZtRes::String(999).isEmpty());
}

void TestResources::accelerators()
{
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, ctrlAlt = Qt::ControlModifier | Qt::AltModifier,
                                pad = Qt::ControlModifier | Qt::KeypadModifier;
    struct Expected
    {
        Qt::KeyboardModifiers modifiers;
        Qt::Key key;
        int id;
    };
    const Expected expected[] = {
        {ctrl, Qt::Key_C, 57634},        {ctrlAlt, Qt::Key_E, 32779},     {ctrl, Qt::Key_N, 57600},
        {ctrl, Qt::Key_O, 57601},        {ctrl, Qt::Key_P, 57607},        {ctrlAlt, Qt::Key_P, 32787},
        {ctrl, Qt::Key_S, 57603},        {ctrlAlt, Qt::Key_S, 32778},     {ctrl, Qt::Key_V, 57637},
        {pad, Qt::Key_Plus, 32830},      {Qt::AltModifier, Qt::Key_Backspace, 57643},
        {Qt::ShiftModifier, Qt::Key_Delete, 57635},                       {pad, Qt::Key_Slash, 32853},
        {ctrl, Qt::Key_Down, 32854},     {ctrlAlt, Qt::Key_Down, 32781},  {Qt::NoModifier, Qt::Key_F1, 57670},
        {Qt::ShiftModifier, Qt::Key_F1, 57669},                           {Qt::NoModifier, Qt::Key_F6, 57680},
        {Qt::ShiftModifier, Qt::Key_F6, 57681},                           {ctrl, Qt::Key_Insert, 57634},
        {Qt::ShiftModifier, Qt::Key_Insert, 57637},                       {ctrl, Qt::Key_Left, 32856},
        {pad, Qt::Key_Asterisk, 32858},  {ctrl, Qt::Key_Right, 32857},    {ctrl, Qt::Key_Up, 32855},
        {ctrlAlt, Qt::Key_Up, 32780},    {ctrl, Qt::Key_X, 57635},        {ctrlAlt, Qt::Key_X, 32775},
        {ctrl, Qt::Key_Z, 57643}};
    const QVector<ZtRes::Accelerator> table = ZtRes::Accelerators();
    QCOMPARE(table.size(), 29);
    QSet<QKeySequence> keys;
    for (int i = 0; i < table.size(); ++i) {
        QCOMPARE(table[i].keys.count(), 1);
        QCOMPARE(table[i].keys[0], QKeyCombination(expected[i].modifiers, expected[i].key));
        QCOMPARE(table[i].id, expected[i].id);
        keys.insert(table[i].keys);
    }
    QCOMPARE(keys.size(), 29);
}

void TestResources::toolbarButtons_data()
{
    QTest::addColumn<int>("toolbar");
    QTest::addColumn<QList<int>>("buttons");
    QTest::newRow("main") << 128
                          << QList<int>{32787, 57600, 57601, 0,     57635, 57634, 57637, 57607, 0,
                                        57643, 57636, 0,     32771, 1216,  57669, 57664, 32949};
    QTest::newRow("browse") << 132
                            << QList<int>{57603, 32946, 32830, 32778, 32779, 32775, 0,     32781,
                                          32780, 0,     32853, 57652, 32854, 32855, 32856, 32857};
    QTest::newRow("fonts") << 176 << QList<int>{113, 0, 114, 0, 32914};
    QTest::newRow("html tags") << 234 << QList<int>{32772, 32869, 32868, 32864, 32881, 32905, 32915, 32921};
    QTest::newRow("operation") << 236 << QList<int>{32931, 32928};
    QTest::newRow("keywords") << 141 << QList<int>{32824, 32851, 32925, 32819, 32822, 0, 32821, 32820, 57607};
    QTest::newRow("project tree") << 143 << QList<int>{32786, 32885, 32896, 32809, 32796, 32798, 32808, 0, 32944, 32943};
    QTest::newRow("list bar") << 145 << QList<int>{32863, 32887, 32916, 32938, 0, 32941, 0, 32886};
    QTest::newRow("desktop") << 232 << QList<int>{32804};
}

void TestResources::toolbarButtons()
{
    QFETCH(int, toolbar);
    QFETCH(QList<int>, buttons);
    QCOMPARE(QList<int>(ZtRes::ToolbarButtons(toolbar)), buttons);
    for (int id : buttons) {
        if (id != 0 && id != 113 && id != 114)
            QVERIFY2(QFile::exists(ZtRes::CommandIconFile(id)), qPrintable(QString::number(id)));
    }
}

void TestResources::shownButtonsHaveIconAndTip_data()
{
    QTest::addColumn<int>("id");
    QList<int> ids;
    for (int toolbar : {128, 132, 234, 236})
        ids << QList<int>(ZtRes::ToolbarButtons(toolbar));
    ids << ZtCmd::ID_VIEW_FONTSBAR;
    for (int id : ids) {
        if (id != 0)
            QTest::addRow("%d", id) << id;
    }
}

void TestResources::shownButtonsHaveIconAndTip()
{
    QFETCH(int, id);
    const QIcon icon = ZtRes::CommandIcon(id);
    QVERIFY(!icon.isNull());
    QVERIFY(!icon.pixmap(24, 24).isNull());
    // The main toolbar's last button has no string at all.
    if (id != ZtCmd::ID_MAINBAR_BLANK)
        QVERIFY(!ZtRes::ToolTipText(id).isEmpty());
}

void TestResources::stringsSplitIntoStatusAndTip_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("tip");
    QTest::newRow("face box") << 113 << "Changes the environment font " << "Select environment font";
    QTest::newRow("size box") << 114 << "Changes the environment font size" << "Select environment font size";
    QTest::newRow("tip only shows in status bar") << 32830 << "Cycle thru open Windows..ctrl+Plus"
                                                  << "Cycle thru open Windows..ctrl+Plus";
    QTest::newRow("status only") << 32942 << "Set syntax coloring criteria" << "";
    QTest::newRow("java both") << 32928 << "Compile - javac - active java file" << "Compile - javac - ";
    QTest::newRow("tile vertically") << 32858 << "Tile windows verticaly...ctrl+Multiply"
                                     << "Tile windows verticaly...ctrl+Multiply";
}

void TestResources::stringsSplitIntoStatusAndTip()
{
    QFETCH(int, id);
    QFETCH(QString, status);
    QFETCH(QString, tip);
    QCOMPARE(ZtRes::StatusText(id), status);
    QCOMPARE(ZtRes::ToolTipText(id), tip);
}

void TestResources::numberedStrings()
{
    QCOMPARE(ZtRes::String(128), QStringLiteral("Zentrel"));
    QCOMPARE(ZtRes::String(129).split(QLatin1Char('\n')).size(), 7);
    QCOMPARE(ZtRes::String(145).section(QLatin1Char('\n'), 3, 3), QStringLiteral("Internet Files (*.html )"));
    QCOMPARE(ZtRes::String(130).section(QLatin1Char('\n'), 4, 4), QStringLiteral(".ztp"));
    QCOMPARE(ZtRes::String(136).section(QLatin1Char('\n'), 5, 5), QStringLiteral("Text.Document"));
    QVERIFY(ZtRes::String(61450).endsWith(QStringLiteral("10000 bites to prevent lock-up.")));
    QCOMPARE(ZtRes::String(61454), QStringLiteral("Modified"));
    QVERIFY(!ZtRes::ProgramIcon().pixmap(32, 32).isNull());
}

void TestResources::builderMakesMenuStructure()
{
    ActionPool pool;
    QMenu menu;
    int calls = 0;
    CMenuBuilder::Populate(&menu, ZtRes::ContextMenu(110).items, pool.Lookup(), [&calls](QMenu*) { ++calls; });
    const QList<QAction*> actions = menu.actions();
    QVERIFY(actions.first()->menu());
    QCOMPARE(actions.first()->menu()->actions().size(), 7);
    QCOMPARE(actions.at(1), pool.Get(ZtCmd::ID_NEXT_DOCUMENT));
    QVERIFY(actions.at(4)->isSeparator());
    QVERIFY(actions.last()->menu());

    // Opening a submenu runs the caller's update for that submenu.
    emit actions.last()->menu()->aboutToShow();
    QCOMPARE(calls, 1);
    // Menus take their pictures and prompts from the resources.
    QVERIFY(!pool.Get(ZtCmd::ID_EDIT_CUT)->icon().isNull());
    QCOMPARE(pool.Get(ZtCmd::ID_EDIT_CUT)->statusTip(), QStringLiteral("Cut"));

    // The recent-file list becomes the frame's four actions.
    QMenu file;
    CMenuBuilder::Populate(&file, ZtRes::MenuBar(129).first().items, pool.Lookup(), {});
    for (int id = ZtCmd::ID_FILE_MRU_FILE1; id <= ZtCmd::ID_FILE_MRU_FILE4; ++id)
        QVERIFY(file.actions().contains(pool.Get(id)));
}

void TestResources::builderGivesEachMenuItsTexts()
{
    ActionPool pool;
    QMenu mainFile;
    QMenu webFile;
    QMenu* seen = nullptr;
    auto update = [&seen](QMenu* menu) { seen = menu; };
    CMenuBuilder::Populate(&mainFile, ZtRes::MenuBar(128).first().items, pool.Lookup(), update);
    CMenuBuilder::Populate(&webFile, ZtRes::MenuBar(129).first().items, pool.Lookup(), update);
    QAction* saveProject = pool.Get(ZtCmd::ID_PROJECT_SAVE);
    pool.Get(ZtCmd::ID_FILE_MRU_FILE1)->setText(QStringLiteral("&1 page.html"));

    emit mainFile.aboutToShow();
    QCOMPARE(seen, &mainFile);
    QCOMPARE(saveProject->text(), QStringLiteral("Sa&ve Project"));
    emit webFile.aboutToShow();
    QCOMPARE(seen, &webFile);
    QCOMPARE(saveProject->text(), QStringLiteral("Pro&ject Save"));
    QVERIFY(Texts(&webFile).contains(QStringLiteral("&Save\tCtrl+S")));
    // The names of recent files are the frame's and stay.
    QCOMPARE(pool.Get(ZtCmd::ID_FILE_MRU_FILE1)->text(), QStringLiteral("&1 page.html"));
}

void TestResources::builderShowsUnknownCommandsDisabled()
{
    ActionPool pool;
    pool.missing = {ZtCmd::ID_BROWSE_BACK, ZtCmd::ID_FILE_MRU_FILE2};
    QMenu browse;
    CMenuBuilder::Populate(&browse, ZtRes::MenuBar(145).last().items, pool.Lookup(), {});
    QCOMPARE(Texts(&browse), (QStringList{"&Back", "&Forward"}));
    QVERIFY(!browse.actions().first()->isEnabled());
    QVERIFY(browse.actions().last()->isEnabled());

    QMenu file;
    CMenuBuilder::Populate(&file, ZtRes::MenuBar(145).first().items, pool.Lookup(), {});
    QVERIFY(!file.actions().contains(nullptr));
    QCOMPARE(file.actions().size(), 17); // 15 items with 3 of the 4 recent files in place of one
}

void TestResources::builderReplacesMenuBar()
{
    ActionPool pool;
    QMenuBar bar;
    CMenuBuilder::PopulateMenuBar(&bar, 128, pool.Lookup(), {});
    CMenuBuilder::PopulateMenuBar(&bar, 145, pool.Lookup(), {});
    QStringList titles;
    for (const QAction* action : bar.actions())
        titles << action->text();
    QCOMPARE(titles, (QStringList{"&File", "&View", "&Window", "&Browse"}));

    std::unique_ptr<QMenu> context(CMenuBuilder::BuildContextMenu(125, pool.Lookup(), {}, nullptr));
    QCOMPARE(context->actions().last(), pool.Get(ZtCmd::ID_TEXT_MENU_BLANK));
}

void TestResources::builderToolBar()
{
    ActionPool pool;
    QToolBar fonts;
    CMenuBuilder::PopulateToolBar(&fonts, 176, pool.Lookup());
    const QList<QAction*> actions = fonts.actions();
    QCOMPARE(actions.size(), 3);
    QVERIFY(actions.at(0)->isSeparator());
    QVERIFY(actions.at(1)->isSeparator());
    QCOMPARE(actions.at(2), pool.Get(ZtCmd::ID_VIEW_FONTSBAR));
    QVERIFY(!pool.actions.contains(113) && !pool.actions.contains(114));

    QToolBar browse;
    CMenuBuilder::PopulateToolBar(&browse, 132, pool.Lookup());
    QAction* next = pool.Get(ZtCmd::ID_NEXT_DOCUMENT);
    QCOMPARE(next->toolTip(), QStringLiteral("Cycle thru open Windows..ctrl+Plus"));
    QCOMPARE(next->statusTip(), QStringLiteral("Cycle thru open Windows..ctrl+Plus"));
    QVERIFY(!next->icon().isNull());
    // A later menu text leaves the tool tip alone.
    next->setText(QStringLiteral("&Next document"));
    QCOMPARE(next->toolTip(), QStringLiteral("Cycle thru open Windows..ctrl+Plus"));
}

ZT_TEST_MAIN(TestResources)
#include "tst_resources.moc"
