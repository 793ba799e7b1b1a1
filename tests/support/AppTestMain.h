#pragma once
// Test main for tests of the whole program: the test runs inside the real
// CZentrelApp (without its start-up sequence), so ZtApp() and the profile are
// those of the program. Also the steps those tests share: opening pages and
// projects, listing folders, answering dialogs.

#include "support/Dialogs.h"
#include "support/TestFiles.h"
#include "support/TestMain.h"

#include "app/MainFrame.h"
#include "app/ZentrelApp.h"
#include "framework/DocTemplate.h"
#include "res/CommandIds.h"

#include <QAbstractButton>
#include <QWizard>

#include <functional>
#include <type_traits>
#include <memory>

class CDocument;
class CProjectTreeCtrl;
class CZentrelView;
class QMimeData;
class QPlainTextEdit;
class QTreeWidgetItem;

namespace ZtTest {
// Registers the program's document templates and shows its main window, as
// start-up does but without the splash screen. Returns the window.
CMainFrame* ShowMainFrame();
// Closes every document, discarding unsaved edits, and deletes its windows
// now, so that the next step finds none.
void CloseAllDocuments();
// Writes bytes to path and opens it in a page editor; the editor, or null
// when the file did not open as a page.
CZentrelView* OpenPageEditor(const QString& path, const QByteArray& bytes);
// The text editor of the document's first view; null when it has none.
QPlainTextEdit* EditorOf(CDocument* document);
// Runs a command of the main window; false when it is disabled.
bool Run(int id);
// Opens the project and its folder in the Project tree, and waits until the
// tree has read it. Returns the tree.
CProjectTreeCtrl* OpenProjectTree(const QString& projectFile);
// The item called name right below the Project tree's root; null when none.
QTreeWidgetItem* ProjectTreeItem(const QString& name);
// Lists folder in the List bar, waits until it is filled and selects the
// rows named; false when the list never filled.
bool ListFolder(const QString& folder, const QStringList& selected = {});
// Selects the List bar's rows named, and only them.
void SelectListRows(const QStringList& names);
// Drags data over the start of line of editor and lets it go there; the
// action the drop took, or IgnoreAction when the drag was refused.
Qt::DropAction DropOnLine(QPlainTextEdit* editor, const QMimeData* data, int line,
                          Qt::DropActions actions = Qt::CopyAction);
// The user leaves the program and comes back to it.
void LeaveAndComeBack();
// The browser engine refuses to run sandboxed as root and would end the
// process; tests that start it call this first.
void AllowBrowserEngine();
// Runs the current test function again in a child process of this program,
// with the environment settings ("NAME=value") added, and started through
// wrapper (a program and its arguments) when one is given. True when the
// test passed there; otherwise the child's output is logged.
bool PassesInChild(const QStringList& environment, const QStringList& wrapper = {});
int RunWithZentrelApp(int argc, char** argv, const std::function<std::unique_ptr<QObject>()>& makeTest);

// Acts on the modal dialog of type T the next turn of the event loop finds
// open, then accepts it (a wizard by its Finish button when it offers one)
// or rejects it. The
// flag says whether the dialog came, so that a missing one fails the test
// instead of crashing it; act may set up the answer to a dialog it opens.
template <class T = QDialog>
std::shared_ptr<bool> WhenModal(std::type_identity_t<std::function<void(T*)>> act = {}, bool accept = true)
{
    auto seen = std::make_shared<bool>(false);
    QTimer::singleShot(0, [act, accept, seen] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        *seen = true;
        if (act)
            act(dialog);
        QDialog* asked = dialog;
        if (!accept)
            asked->reject();
        else if (auto* wizard = qobject_cast<QWizard*>(asked); wizard && wizard->button(QWizard::FinishButton)->isEnabled())
            wizard->button(QWizard::FinishButton)->click();
        else
            asked->accept();
    });
    return seen;
}
}

#define ZT_APP_TEST_MAIN(TestClass)                               \
    int main(int argc, char** argv)                               \
    {                                                             \
        ZtTest::IsolateEnvironment();                             \
        return ZtTest::RunWithZentrelApp(argc, argv, [] {         \
            return std::unique_ptr<QObject>(new TestClass);       \
        });                                                       \
    }
