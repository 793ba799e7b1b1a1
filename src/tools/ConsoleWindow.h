#pragma once

#include "tools/ConsoleRequest.h"

#include <QStringDecoder>
#include <QWidget>

class CConsoleRunner;
class QLineEdit;
class QPlainTextEdit;

// The console runner's own console window, for a desktop without a terminal
// emulator: the program's output above, a line for what the user types
// below. Return sends the line to the program (Ctrl+D ends its input); after
// the program's end Return closes the window. Closing the window ends a
// program still running.
class CConsoleWindow : public QWidget
{
    Q_OBJECT
public:
    // The most lines kept: a program printing without end cannot fill memory.
    static constexpr int kMaxLines = 10000;
    // The longest line kept whole; longer ones go on in the next line, as a
    // terminal wraps them. One line without end would otherwise grow without
    // bound, and laying it out again on every piece would freeze the window.
    static constexpr int kMaxLineLength = 1000;

    explicit CConsoleWindow(QWidget* parent = nullptr);
    ~CConsoleWindow() override;

    // Shows the command line and starts it; false when it did not start (the
    // window then says why and waits to be closed).
    bool Run(const CConsoleRequest& request);
    int ExitStatus() const { return m_nExitStatus; }
    bool IsFinished() const { return m_bFinished; }

    QPlainTextEdit* Output() const { return m_pOutput; }
    QLineEdit* Input() const { return m_pInput; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Append(const QString& text);
    // text with a line break wherever a line would pass kMaxLineLength;
    // column is where text starts and becomes where it ends.
    static QString BreakLongLines(const QString& text, int* column);
    void OnReturn();
    void OnFinished(int status);

    CConsoleRunner* m_pRunner;
    QPlainTextEdit* m_pOutput;
    QLineEdit* m_pInput;
    QStringDecoder m_decoder{QStringDecoder::Utf8};
    int m_nExitStatus = 0;
    bool m_bFinished = false;
    // Characters in the output's last line so far.
    int m_nColumn = 0;
};
