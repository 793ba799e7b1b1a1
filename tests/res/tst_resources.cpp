#include "support/ResultTable.h"
#include "support/TestMain.h"

#include "framework/MenuBuilder.h"
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

#include <algorithm>
#include <memory>

using ZtRes::MenuItem;
using ZtRes::MenuItemKind;
using ZtTest::Row;

namespace {

// A menu as lines: "id text" for commands, "-" for separators, "recent" for
// the recent-file list, "windows" for the list of open windows, "[title" ...
// "]" around a submenu. Command ids are
// also collected.
QStringList Describe(const QVector<MenuItem>& items, QList<int>* ids = nullptr)
{
    QStringList lines;
    for (const MenuItem& item : items) {
        if (item.kind == MenuItemKind::Command) {
            lines << QStringLiteral("%1 %2").arg(item.id).arg(item.text);
            if (ids)
                *ids << item.id;
        } else if (item.kind == MenuItemKind::Popup) {
            lines << QLatin1Char('[') + item.text << Describe(item.items, ids) << QStringLiteral("]");
        } else {
            lines << (item.kind == MenuItemKind::Separator     ? QStringLiteral("-")
                      : item.kind == MenuItemKind::RecentFiles ? QStringLiteral("recent")
                                                               : QStringLiteral("windows"));
        }
    }
    return lines;
}

// Actions made on demand, one per id, as the main frame keeps them.
struct ActionPool
{
    QObject owner;
    QHash<int, QAction*> actions;
    QSet<int> missing;

    QAction* Get(int id)
    {
        if (!missing.contains(id) && !actions.contains(id))
            actions.insert(id, new QAction(&owner));
        return actions.value(id);
    }
    CMenuBuilder::ActionLookup Lookup()
    {
        return [this](int id) { return Get(id); };
    }
};

QStringList Texts(const QWidget* menu)
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
    void menus_data();
    void menus();
    void keysShownAreKeysThatRun();
    void picturesExistAndRender_data();
    void picturesExistAndRender();
    void results_data();
    void results() { ZtTest::CompareResult(); }
    void builderMakesMenuStructure();
    void builderGivesEachMenuItsTexts();
    void builderShowsUnknownCommandsDisabled();
    void builderToolBar();
};

// Each menu bar (128 to 145) and editor context menu (110, 125) with its
// popups, and the lines that set it apart from the menus that look like it
// ("!" before a line that must not be there).
void TestResources::menus_data()
{
    QTest::addColumn<int>("menu");
    QTest::addColumn<QString>("titles");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("main") << 128 << "&File &View Wi&zards &Settings &Tools &Window &Help"
                          << QStringList{"32782 Sa&ve Project", "32905 &Colors", "recent", "!57603 &Save\tCtrl+S",
                                         "32784 &Show  / Hide Project bar", "32785 &Show / Hide Listbar", "!windows"};
    QTest::newRow("web page") << 129 << "&File &Edit &View Wi&zards &Tools &Window &Help"
                              << QStringList{"32782 Pro&ject Save", "32905 &Color", "recent", "57639 Paste &Special", "windows"};
    QTest::newRow("project") << 130 << "&File &Edit &View Wi&zards &Tools &Window &Help"
                             << QStringList{"32950 Recent Files", "!recent", "57645 &Delete", "!57639 Paste &Special"};
    QTest::newRow("text") << 136 << "&File &Edit &View &Tools &Window &Help"
                          << QStringList{"recent", "57600 &New\tCtrl+N", "!32804 New &Folder", "!32868 &Body"};
    QTest::newRow("browser") << 145 << "&File &View &Tools &Window &Browse"
                             << QStringList{"32827 &Open...\tCtrl+O", "!57601 &Open...\tCtrl+O", "32782 Project &Save",
                                            "recent", "32923 &Back"};
    QTest::newRow("web page editor") << 110 << ""
                                     << QStringList{"[&Wizards", "57632 Cle&ar", "[Pr&oject bar", "!32937 "};
    QTest::newRow("plain text editor") << 125 << ""
                                       << QStringList{"[Pr&oject bar window", "32937 ", "![&Wizards", "!57632 Cle&ar"};
}

void TestResources::menus()
{
    QFETCH(int, menu);
    QFETCH(QString, titles);
    QFETCH(QStringList, lines);
    const QVector<MenuItem> bar = ZtRes::MenuBar(menu);
    QStringList barTitles;
    for (const MenuItem& popup : bar)
        barTitles << popup.text;
    QCOMPARE(barTitles.join(QLatin1Char(' ')), titles);

    QList<int> ids;
    const QStringList described = Describe(bar.isEmpty() ? ZtRes::ContextMenu(menu).items : bar, &ids);
    for (const QString& line : lines) {
        const bool wanted = !line.startsWith(QLatin1Char('!'));
        QVERIFY2(described.contains(wanted ? line : line.mid(1)) == wanted, qPrintable(line));
    }
    // Within one menu, every command has its own id.
    QVERIFY(!ids.isEmpty() && *std::min_element(ids.begin(), ids.end()) > 0);
    QCOMPARE(QSet<int>(ids.begin(), ids.end()).size(), ids.size());
}

// Every key a menu shows beside an item is bound to that item's command; no
// key runs two commands; the window keys are on the keypad.
void TestResources::keysShownAreKeysThatRun()
{
    QHash<QKeySequence, int> commands;
    for (const ZtRes::Accelerator& accelerator : ZtRes::Accelerators()) {
        QVERIFY2(!commands.contains(accelerator.keys), qPrintable(accelerator.keys.toString()));
        commands.insert(accelerator.keys, accelerator.id);
    }
    const Qt::KeyboardModifiers pad = Qt::ControlModifier | Qt::KeypadModifier;
    QCOMPARE(commands.value(QKeyCombination(pad, Qt::Key_Plus)), int(ZtCmd::ID_NEXT_DOCUMENT));
    QCOMPARE(commands.value(QKeyCombination(Qt::ShiftModifier, Qt::Key_Insert)), int(ZtCmd::ID_EDIT_PASTE));

    QVector<MenuItem> items = ZtRes::ToolBarAreaMenu() + ZtRes::DockingBarMenu(true);
    for (int menu : {128, 129, 130, 136, 145})
        items += ZtRes::MenuBar(menu);
    for (int menu : {110, 125})
        items << ZtRes::ContextMenu(menu);
    int shown = 0;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const MenuItem item = items.at(i);
        items += item.items;
        const QString key = item.text.section(QLatin1Char('\t'), 1);
        if (key.isEmpty())
            continue;
        ++shown;
        // The browser's Open shows the key of the common Open, which it runs.
        const int id = item.id == ZtCmd::ID_BROWSER_FILE_OPEN ? int(ZtCmd::ID_FILE_OPEN) : item.id;
        QVERIFY2(commands.value(QKeySequence::fromString(key)) == id, qPrintable(item.text));
    }
    QVERIFY(shown > 0);
}

// Every button of every toolbar has a picture; the toolbars that are shown
// also need a tip on every button but the main toolbar's last one, which has
// no string at all.
void TestResources::picturesExistAndRender_data()
{
    QTest::addColumn<int>("toolbar");
    QTest::addColumn<bool>("shown");
    for (int toolbar : {128, 132, 176, 234, 236})
        QTest::addRow("toolbar %d", toolbar) << toolbar << true;
    for (int toolbar : {141, 143, 145, 232})
        QTest::addRow("toolbar %d", toolbar) << toolbar << false;
}

void TestResources::picturesExistAndRender()
{
    QFETCH(int, toolbar);
    QFETCH(bool, shown);
    const QVector<int> buttons = ZtRes::ToolbarButtons(toolbar);
    QVERIFY(!buttons.isEmpty());
    for (int id : buttons) {
        if (id == ZtCmd::ID_SEPARATOR || id == ZtCmd::IDC_FONT_FACE || id == ZtCmd::IDC_FONT_SIZE)
            continue;
        const QByteArray button = QByteArray::number(id);
        QVERIFY2(QFile::exists(ZtRes::CommandIconFile(id)), button.constData());
        QVERIFY2(!ZtRes::CommandIcon(id).pixmap(24, 24).isNull(), button.constData());
        if (shown && id != ZtCmd::ID_MAINBAR_BLANK)
            QVERIFY2(!ZtRes::ToolTipText(id).isEmpty(), button.constData());
    }
    QVERIFY(!ZtRes::ProgramIcon().pixmap(32, 32).isNull());
}

// A string splits at its newline into status text and tool tip.
void TestResources::results_data()
{
    ZtTest::ResultColumns();
    const auto texts = [](int id) { return ZtRes::StatusText(id) + QLatin1Char('|') + ZtRes::ToolTipText(id); };
    Row("both, blank kept", texts(113), "Changes the environment font |Select environment font");
    Row("tip only shows in the status bar too", texts(32830),
        "Cycle thru open Windows..ctrl+Plus|Cycle thru open Windows..ctrl+Plus");
    Row("status only", texts(32942), "Set syntax coloring criteria|");
    Row("no string", texts(999), "|");
}

void TestResources::builderMakesMenuStructure()
{
    ActionPool pool;
    int calls = 0;
    const std::unique_ptr<QMenu> menu(
        CMenuBuilder::BuildContextMenu(110, pool.Lookup(), [&calls](QMenu*) { ++calls; }, nullptr));
    const QList<QAction*> actions = menu->actions();
    QVERIFY(actions.first()->menu() && actions.last()->menu());
    QCOMPARE(actions.at(1), pool.Get(ZtCmd::ID_NEXT_DOCUMENT));
    QVERIFY(actions.at(4)->isSeparator());

    // Opening a submenu runs the caller's update for that submenu.
    emit actions.last()->menu()->aboutToShow();
    QCOMPARE(calls, 1);
    // Menus take their pictures and prompts from the resources.
    QVERIFY(!pool.Get(ZtCmd::ID_EDIT_CUT)->icon().isNull());
    QCOMPARE(pool.Get(ZtCmd::ID_EDIT_CUT)->statusTip(), QStringLiteral("Cut"));
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
    // The names of recent files are the frame's and stay.
    QCOMPARE(pool.Get(ZtCmd::ID_FILE_MRU_FILE1)->text(), QStringLiteral("&1 page.html"));
}

// Commands the frame has no action for show disabled; a second menu bar
// replaces the first.
void TestResources::builderShowsUnknownCommandsDisabled()
{
    ActionPool pool;
    pool.missing = {ZtCmd::ID_BROWSE_BACK, ZtCmd::ID_FILE_MRU_FILE2};
    QMenuBar bar;
    CMenuBuilder::PopulateMenuBar(&bar, 128, pool.Lookup(), {});
    CMenuBuilder::PopulateMenuBar(&bar, 145, pool.Lookup(), {});
    QCOMPARE(Texts(&bar), (QStringList{"&File", "&View", "&Tools", "&Window", "&Browse"}));
    QMenu* browse = bar.actions().last()->menu();
    QCOMPARE(Texts(browse), (QStringList{"&Back", "&Forward"}));
    QVERIFY(!browse->actions().first()->isEnabled());
    QVERIFY(browse->actions().last()->isEnabled());

    QMenu* file = bar.actions().first()->menu();
    // The recent files the frame has actions for (the second it has none for).
    for (int id : {ZtCmd::ID_FILE_MRU_FILE1, ZtCmd::ID_FILE_MRU_FILE3, ZtCmd::ID_FILE_MRU_FILE4})
        QVERIFY2(file->actions().contains(pool.Get(id)),
                 qPrintable(QStringLiteral("recent file %1").arg(id - ZtCmd::ID_FILE_MRU_FILE1 + 1)));
}

void TestResources::builderToolBar()
{
    ActionPool pool;
    QToolBar fonts;
    CMenuBuilder::PopulateToolBar(&fonts, 176, pool.Lookup());
    // The font boxes are the bar's own widgets, not commands.
    QVERIFY(!pool.actions.contains(113) && !pool.actions.contains(114));
    QCOMPARE(fonts.actions().last(), pool.Get(ZtCmd::ID_VIEW_FONTSBAR));

    QToolBar browse;
    CMenuBuilder::PopulateToolBar(&browse, 132, pool.Lookup());
    // The tip is the button's own: a later menu text leaves it alone.
    QAction* next = pool.Get(ZtCmd::ID_NEXT_DOCUMENT);
    next->setText(QStringLiteral("&Next document"));
    QCOMPARE(next->toolTip(), QStringLiteral("Cycle thru open Windows..ctrl+Plus"));
}

ZT_TEST_MAIN(TestResources)
#include "tst_resources.moc"
