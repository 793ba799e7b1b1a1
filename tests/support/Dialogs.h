#pragma once
// Test access to dialogs: a control by its id, and every message box caught.

#include "framework/ContextHelp.h"
#include "framework/MessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace ZtTest {

// The control made for a control id (its object name, which help also uses).
// A missing control is a broken test, so it ends the program.
template <class Control = QWidget>
Control* Find(const QWidget* parent, int id)
{
    auto* control = parent->findChild<Control*>(CContextHelp::ObjectNameFor(id));
    if (!control)
        qFatal("no control %d", id);
    return control;
}

// While it lives, every message box lands in texts, answered with answer.
struct CMessageLog
{
    explicit CMessageLog(QMessageBox::StandardButton button = QMessageBox::Ok) : answer(button)
    {
        ZtMessageBox::SetHandler([this](const QString& text, QMessageBox::StandardButtons) {
            texts.append(text);
            return answer;
        });
    }
    ~CMessageLog() { ZtMessageBox::SetHandler(nullptr); }
    CMessageLog(const CMessageLog&) = delete;
    CMessageLog& operator=(const CMessageLog&) = delete;

    QStringList texts;
    QMessageBox::StandardButton answer;
};

// Answers the modal dialogs the coming turns of the event loop find open,
// one answer each (true accepts, false rejects), each next one inside the
// dialog before. Returns how many were answered so far: the test compares it
// after the call that was to show them, so a dialog that never came fails
// the test instead of crashing it.
inline std::shared_ptr<int> AnswerDialogs(QList<bool> answers, std::shared_ptr<int> answered = {})
{
    if (!answered)
        answered = std::make_shared<int>(0);
    if (!answers.isEmpty()) {
        QTimer::singleShot(0, [answers, answered]() mutable {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            ++*answered;
            const bool accept = answers.takeFirst();
            AnswerDialogs(answers, answered);
            accept ? dialog->accept() : dialog->reject();
        });
    }
    return answered;
}

} // namespace ZtTest
