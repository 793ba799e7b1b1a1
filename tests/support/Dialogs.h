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

} // namespace ZtTest
