#include "tools/ConsoleWindow.h"

#include "tools/ConsoleRunner.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

CConsoleWindow::CConsoleWindow(QWidget* parent)
    : QWidget(parent)
    , m_pRunner(new CConsoleRunner(CConsoleRunner::EChannels::Captured, this))
    , m_pOutput(new QPlainTextEdit)
    , m_pInput(new QLineEdit)
{
    setWindowTitle(tr("Zentrel console"));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_pOutput->setReadOnly(true);
    m_pOutput->setFont(fixed);
    m_pOutput->setMaximumBlockCount(kMaxLines);
    m_pOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pInput->setFont(fixed);
    m_pInput->setPlaceholderText(tr("Input for the program; Return sends it, Ctrl+D ends the input"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pOutput);
    layout->addWidget(m_pInput);
    resize(720, 420);

    connect(m_pInput, &QLineEdit::returnPressed, this, &CConsoleWindow::OnReturn);
    auto* endOfInput = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), m_pInput);
    connect(endOfInput, &QShortcut::activated, m_pRunner, &CConsoleRunner::CloseInput);
    connect(m_pRunner, &CConsoleRunner::outputReady, this,
            [this](const QByteArray& bytes) { Append(m_decoder.decode(bytes)); });
    connect(m_pRunner, &CConsoleRunner::finished, this, &CConsoleWindow::OnFinished);
    m_pInput->setFocus();
}

CConsoleWindow::~CConsoleWindow() = default;

bool CConsoleWindow::Run(const CConsoleRequest& request)
{
    Append(CConsoleRunner::Banner(request.m_line) + QLatin1Char('\n'));
    if (m_pRunner->Start(request))
        return true;
    Append(m_pRunner->ErrorText() + QLatin1Char('\n'));
    OnFinished(m_pRunner->ExitStatus());
    return false;
}

void CConsoleWindow::Append(const QString& text)
{
    QTextCursor end(m_pOutput->document());
    end.movePosition(QTextCursor::End);
    end.insertText(BreakLongLines(text, &m_nColumn));
    m_pOutput->verticalScrollBar()->setValue(m_pOutput->verticalScrollBar()->maximum());
}

QString CConsoleWindow::BreakLongLines(const QString& text, int* column)
{
    QString result;
    result.reserve(text.size() + text.size() / kMaxLineLength);
    for (const QChar c : text) {
        // A break between the two halves of a surrogate pair would leave
        // two broken characters.
        if (*column >= kMaxLineLength && c != QLatin1Char('\n') && !c.isLowSurrogate()) {
            result += QLatin1Char('\n');
            *column = 0;
        }
        result += c;
        *column = c == QLatin1Char('\n') ? 0 : *column + 1;
    }
    return result;
}

void CConsoleWindow::OnReturn()
{
    if (m_bFinished) {
        close();
        return;
    }
    const QString line = m_pInput->text();
    m_pInput->clear();
    Append(line + QLatin1Char('\n'));
    m_pRunner->WriteInput(line.toUtf8() + '\n');
}

void CConsoleWindow::OnFinished(int status)
{
    m_nExitStatus = status;
    m_bFinished = true;
    Append(tr("\nExit status: %1\nPress Enter to close").arg(status));
    m_pInput->setPlaceholderText(QString());
}

void CConsoleWindow::closeEvent(QCloseEvent* event)
{
    if (m_pRunner->IsRunning())
        m_pRunner->Stop();
    event->accept();
}
