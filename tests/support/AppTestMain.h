#pragma once
// Test main for tests of the whole program: the test runs inside the real
// CZentrelApp (without its start-up sequence), so ZtApp() and the profile are
// those of the program.

#include "support/TestMain.h"

class CMainFrame;
class CZentrelView;

namespace ZtTest {
// Registers the program's document templates and shows its main window, as
// start-up does but without the splash screen. Returns the window.
CMainFrame* ShowMainFrame();
// Closes every document and deletes its windows now, so that the next step
// finds none.
void CloseAllDocuments();
// Writes bytes to path and opens it in a page editor; the editor, or null
// when the file did not open as a page.
CZentrelView* OpenPageEditor(const QString& path, const QByteArray& bytes);
int RunWithZentrelApp(int argc, char** argv, const std::function<std::unique_ptr<QObject>()>& makeTest);
}

#define ZT_APP_TEST_MAIN(TestClass)                               \
    int main(int argc, char** argv)                               \
    {                                                             \
        ZtTest::IsolateEnvironment();                             \
        return ZtTest::RunWithZentrelApp(argc, argv, [] {         \
            return std::unique_ptr<QObject>(new TestClass);       \
        });                                                       \
    }
