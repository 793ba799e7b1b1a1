#include "support/ScriptedShell.h"
#include "support/Sites.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "framework/CmdTarget.h"
#include "framework/CommandActions.h"
#include "projects/FileDrag.h"
#include "projects/LabelDelegate.h"
#include "projects/ProjectTreeCtrl.h"
#include "projects/ProjectTreeRules.h"
#include "res/Accelerators.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

using ZtTest::ChildNamed;

namespace {

// Runs every command of the accelerator table by writing its id down.
class CRecordingTarget : public CCmdTarget
{
public:
    explicit CRecordingTarget(QStringList* ran)
    {
        for (const ZtRes::Accelerator& accelerator : ZtRes::Accelerators())
            OnCommand(accelerator.id, [ran, id = accelerator.id] { ran->append(QString::number(id)); });
    }
};

// The Project tree with its drag start in reach of the test.
class CDraggableTree : public CProjectTreeCtrl
{
public:
    using CProjectTreeCtrl::startDrag;
};

QString NameOf(const QTreeWidgetItem* item)
{
    return item ? item->text(0) : QStringLiteral("(none)");
}

QString Describe(Qt::DropActions actions)
{
    QStringList names;
    for (const auto& [action, name] : {std::pair{Qt::MoveAction, "move"}, std::pair{Qt::CopyAction, "copy"},
                                       std::pair{Qt::LinkAction, "link"}}) {
        if (actions & action)
            names << QString::fromLatin1(name);
    }
    return names.join(QLatin1Char(','));
}

} // namespace

// What the trees' mouse, keys and drags act on: the item the user sees
// selected, what a drag offers other programs, and the keys a label editor
// keeps from the main window.
class TestTreeInput : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void labelEditorKeepsAcceleratorKeys();
    void commandsActOnTheSelectedItem();
    void dragOffersOtherProgramsACopy();

private:
    // The project Site with files (each holding its own name) in a shown
    // window, its root expanded.
    QTreeWidgetItem* MakeProject(std::initializer_list<const char*> files);
    QString P(const QString& relative) const { return m_strMain + QLatin1Char('/') + relative; }
    QString Selected() const;

    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<QWidget> m_pWindow;
    CDraggableTree* m_pTree = nullptr;
    QString m_strMain;
    QStringList m_messages;
};

void TestTreeInput::init()
{
    m_messages.clear();
    ZtTest::CScriptedShell::Install(&m_messages);
}

void TestTreeInput::cleanup()
{
    m_pWindow.reset();
    m_pTree = nullptr;
    m_pDir.reset();
    CFileDrag::SetExecHandler({});
    ZtTest::CScriptedShell::Uninstall();
}

QTreeWidgetItem* TestTreeInput::MakeProject(std::initializer_list<const char*> files)
{
    m_pDir = std::make_unique<QTemporaryDir>();
    m_strMain = m_pDir->path() + QStringLiteral("/Site");
    ZtTest::WriteSite(m_strMain, files);
    m_pWindow = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_pWindow.get());
    m_pTree = new CDraggableTree;
    layout->addWidget(m_pTree);
    m_pTree->SetProjectPath(P("Site.ztp"));
    m_pTree->FillTree();
    QTreeWidgetItem* root = m_pTree->topLevelItem(0);
    root->setExpanded(true);
    m_pWindow->resize(300, 400);
    m_pWindow->show();
    if (!QTest::qWaitForWindowExposed(m_pWindow.get()))
        return nullptr;
    // The tree reads its folders in the background.
    if (!QTest::qWaitFor([this] { return !m_pTree->IsReading(); }))
        return nullptr;
    return root;
}

QString TestTreeInput::Selected() const
{
    const QList<QTreeWidgetItem*> selected = m_pTree->selectedItems();
    return selected.size() == 1 ? NameOf(selected.first()) : QStringLiteral("%1 items").arg(selected.size());
}

// Keys with Ctrl (and Alt+Backspace, Shift+Delete) stay with the label
// editor; a key without Ctrl still reaches the window.
void TestTreeInput::labelEditorKeepsAcceleratorKeys()
{
    QTreeWidgetItem* root = MakeProject({"a.htm"});
    QVERIFY(root);
    QStringList ran;
    CRecordingTarget target(&ran);
    auto* documentArea = new QWidget(m_pWindow.get());
    CCommandActions commands(m_pWindow.get(), [&target] { return QList<CCmdTarget*>{&target}; });
    commands.InstallAccelerators(documentArea);
    m_pWindow->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_pWindow.get()));

    m_pTree->SetHighlightedItem(ChildNamed(root, "a.htm"));
    m_pTree->RenameItem();
    auto* editor = m_pTree->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTRY_COMPARE(QApplication::focusWidget(), editor);
    QTest::keyClicks(editor, QStringLiteral("b.htm"));
    // Alt+Backspace undoes the typing, as in an edit field on Windows.
    QTest::keyClick(editor, Qt::Key_Backspace, Qt::AltModifier);
    QCOMPARE(editor->text(), QStringLiteral("a.htm"));
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    for (const QKeyCombination key : {ctrl | Qt::Key_S, ctrl | Qt::Key_N, ctrl | Qt::Key_O, ctrl | Qt::Key_P,
                                      ctrl | Qt::AltModifier | Qt::Key_P, ctrl | Qt::Key_Down,
                                      Qt::ShiftModifier | Qt::Key_Delete, QKeyCombination(Qt::Key_F6)})
        QTest::keyClick(editor, key.key(), key.keyboardModifiers());
    QCOMPARE(ran, QStringList{QString::number(ZtCmd::ID_NEXT_PANE)});
    // The name is still being typed, and is then taken.
    QCOMPARE(m_pTree->findChild<QLineEdit*>(), editor);
    editor->setText(QStringLiteral("c.htm"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(QFile::exists(P("c.htm")));
}

void TestTreeInput::commandsActOnTheSelectedItem()
{
    QTreeWidgetItem* root = MakeProject({"a.htm", "b.htm", "c.htm", "sub/x.txt"});
    QVERIFY(root);
    QWidget* viewport = m_pTree->viewport();
    const auto at = [this, root](const char* name) { return m_pTree->visualItemRect(ChildNamed(root, name)).center(); };
    const auto* delegate = qobject_cast<const CLabelDelegate*>(m_pTree->itemDelegate());
    QVERIFY(delegate);
    m_pTree->setCurrentItem(ChildNamed(root, "a.htm"));

    // Files from the List bar pass over two items and leave: each is
    // highlighted as the drop place in turn, the selection never moves.
    std::unique_ptr<QMimeData> files(CFileDrag::MakeMimeData({P("sub/x.txt")}));
    QDragEnterEvent enter(at("b.htm"), Qt::CopyAction, files.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QStringList dropPlaces;
    for (const char* name : {"b.htm", "sub"}) {
        QDragMoveEvent move(at(name), Qt::CopyAction, files.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        dropPlaces << NameOf(m_pTree->itemFromIndex(delegate->DropTarget())) + QLatin1Char('/') + Selected();
    }
    QDragLeaveEvent leave;
    QApplication::sendEvent(viewport, &leave);
    QCOMPARE(dropPlaces, QStringList({"b.htm/a.htm", "sub/a.htm"}));
    QVERIFY(!delegate->DropTarget().isValid());
    QCOMPARE(Selected(), QStringLiteral("a.htm"));

    // A right click picks its item for the menu without moving the
    // selection; the menu key then opens the selected item's menu, and
    // Delete deletes the selected item.
    QMouseEvent press(QEvent::MouseButtonPress, at("c.htm"), viewport->mapToGlobal(at("c.htm")), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    QCOMPARE(NameOf(m_pTree->HighlightedItem()) + QLatin1Char('/') + Selected(), QStringLiteral("c.htm/a.htm"));
    QString menuFor;
    QTimer::singleShot(0, this, [this, &menuFor] {
        menuFor = NameOf(m_pTree->HighlightedItem());
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5), m_pTree->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(m_pTree, &menuKey);
    QCOMPARE(menuFor, QStringLiteral("a.htm"));
    // A left click beside the items leaves the highlighted item the target.
    const QPoint empty(viewport->width() / 2, viewport->height() - 4);
    QVERIFY(!m_pTree->itemAt(empty));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, empty);
    QCOMPARE(NameOf(m_pTree->HighlightedItem()) + QLatin1Char('/') + Selected(), QStringLiteral("a.htm/a.htm"));
    m_pTree->setFocus();
    QTest::keyClick(m_pTree, Qt::Key_Delete);
    QTRY_VERIFY(!QFile::exists(P("a.htm")));
    QVERIFY(QFile::exists(P("b.htm")) && QFile::exists(P("c.htm")));
    QVERIFY(m_messages.isEmpty());
}

void TestTreeInput::dragOffersOtherProgramsACopy()
{
    QTreeWidgetItem* root = MakeProject({"a.htm"});
    QVERIFY(root);
    QString offered;
    CFileDrag::SetExecHandler([&offered](const QMimeData* data, Qt::DropActions actions, Qt::DropAction defaultAction) {
        offered = QStringLiteral("%1 default:%2 offered:%3")
                      .arg(QFileInfo(data->urls().value(0).toLocalFile()).fileName(), Describe(defaultAction),
                           Describe(actions));
        // A file manager took it.
        return CFileDrag::CResult{defaultAction, nullptr};
    });
    m_pTree->SetHighlightedItem(ChildNamed(root, "a.htm"));
    // The button has been down long enough for a drag.
    QTest::qWait(int(CProjectTreeRules::kDragDelayMs) + 20);
    m_pTree->startDrag(Qt::MoveAction | Qt::CopyAction);
    QCOMPARE(offered, QStringLiteral("a.htm default:copy offered:copy,link"));
    QCOMPARE(ZtTest::ReadFile(P("a.htm")), QByteArray("a.htm"));
    QVERIFY(ChildNamed(root, "a.htm"));
}

ZT_TEST_MAIN(TestTreeInput)
#include "tst_treeinput.moc"
