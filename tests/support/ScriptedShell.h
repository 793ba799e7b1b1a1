#pragma once
// Messages and shell file operations for tests that cannot click: every
// message box and every shell error lands in one list, every shell question
// gets the answer the test set, and no progress window opens. Only tests
// whose library links the files layer may include this.

#include "files/ShellFileOperation.h"
#include "support/ShellJob.h"
#include "framework/MessageBox.h"

#include <QStringList>

#include <memory>

namespace ZtTest {

class CScriptedShell : public CShellFileOperation
{
public:
    using CShellFileOperation::CShellFileOperation;

    // Routes message boxes and shell errors into *messages (message boxes
    // answer with button) and answers shell questions with Yes.
    static void Install(QStringList* messages, QMessageBox::StandardButton button = QMessageBox::Ok)
    {
        Answer() = EAnswer::Yes;
        ZtMessageBox::SetHandler([messages, button](const QString& text, QMessageBox::StandardButtons) {
            messages->append(text);
            return button;
        });
        SetFactory([](QWidget* owner) { return std::make_unique<CScriptedShell>(owner); });
    }
    static void Uninstall()
    {
        ZtMessageBox::SetHandler({});
        SetFactory({});
    }
    // What the next shell questions are answered.
    static EAnswer& Answer()
    {
        static EAnswer answer = EAnswer::Yes;
        return answer;
    }

protected:
    EAnswer Confirm(EQuestion, const QString&) override { return Answer(); }
    void ShowError(const QString& message) override { ZtMessageBox::Show(message); }
    void BeginProgress(const QString&, int) override {}
    bool StepProgress(int, const QString&) override { return true; }
    void EndProgress() override {}
};

} // namespace ZtTest
