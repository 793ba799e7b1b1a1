#include "editor/FindReplaceDlg.h"

#include "editor/FindReplace.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

QPointer<CFindReplaceDlg> g_findDialog;
QPointer<CFindReplaceDlg> g_replaceDialog;

std::function<void(const QString&)>& MessageHandler()
{
    static std::function<void(const QString&)> handler;
    return handler;
}

// A selection that fits in the one-line field becomes the text to find.
QString SelectionForSearch(const QPlainTextEdit* editor)
{
    const QString selected = editor->textCursor().selectedText();
    return selected.contains(QChar::ParagraphSeparator) ? QString() : selected;
}

} // namespace

CFindReplaceDlg* CFindReplaceDlg::Show(QPlainTextEdit* editor, bool bReplace)
{
    QPointer<CFindReplaceDlg>& dialog = bReplace ? g_replaceDialog : g_findDialog;
    if (!dialog)
        dialog = new CFindReplaceDlg(bReplace, editor ? editor->window() : nullptr);
    dialog->SetEditor(editor);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    dialog->m_pFindEdit->setFocus();
    dialog->m_pFindEdit->selectAll();
    return dialog;
}

bool CFindReplaceDlg::Repeat(QPlainTextEdit* editor)
{
    if (!editor)
        return false;
    if (!CFindReplace::Instance().HasSearch()) {
        Show(editor, false);
        return false;
    }
    return SelectMatch(editor, editor);
}

QString CFindReplaceDlg::NotFoundMessage(const QString& text)
{
    return QStringLiteral("Cannot find the string '%1'.").arg(text);
}

void CFindReplaceDlg::SetMessageHandler(std::function<void(const QString&)> handler)
{
    MessageHandler() = std::move(handler);
}

void CFindReplaceDlg::ShowMessage(QWidget* parent, const QString& text)
{
    if (MessageHandler())
        MessageHandler()(text);
    else
        QMessageBox::information(parent, QStringLiteral("Zentrel"), text);
}

CFindReplaceDlg::CFindReplaceDlg(bool bReplace, QWidget* parent)
    : QDialog(parent)
    , m_bReplace(bReplace)
{
    setWindowTitle(bReplace ? QStringLiteral("Replace") : QStringLiteral("Find"));
    setModal(false);
    BuildControls();
    LoadFromSearch();
    UpdateButtons();
}

void CFindReplaceDlg::BuildControls()
{
    auto* fields = new QGridLayout;
    m_pFindEdit = new QLineEdit(this);
    fields->addWidget(new QLabel(QStringLiteral("Find what:"), this), 0, 0);
    fields->addWidget(m_pFindEdit, 0, 1);
    m_pReplaceEdit = new QLineEdit(this);
    if (m_bReplace) {
        fields->addWidget(new QLabel(QStringLiteral("Replace with:"), this), 1, 0);
        fields->addWidget(m_pReplaceEdit, 1, 1);
    } else {
        m_pReplaceEdit->hide();
    }

    m_pWholeWord = new QCheckBox(QStringLiteral("Match whole word only"), this);
    m_pMatchCase = new QCheckBox(QStringLiteral("Match case"), this);
    auto* options = new QVBoxLayout;
    options->addWidget(m_pWholeWord);
    options->addWidget(m_pMatchCase);

    // The Replace dialog always searches down, so it has no direction.
    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    m_pUp = new QRadioButton(QStringLiteral("Up"), direction);
    m_pDown = new QRadioButton(QStringLiteral("Down"), direction);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_pUp);
    directionLayout->addWidget(m_pDown);
    direction->setVisible(!m_bReplace);

    auto* lower = new QHBoxLayout;
    lower->addLayout(options);
    lower->addWidget(direction);
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(lower);
    left->addStretch();

    m_pFindNextButton = new QPushButton(QStringLiteral("Find Next"), this);
    m_pFindNextButton->setDefault(true);
    m_pReplaceButton = new QPushButton(QStringLiteral("Replace"), this);
    m_pReplaceAllButton = new QPushButton(QStringLiteral("Replace All"), this);
    m_pReplaceButton->setVisible(m_bReplace);
    m_pReplaceAllButton->setVisible(m_bReplace);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_pFindNextButton, m_pReplaceButton, m_pReplaceAllButton, cancel})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(buttons);

    connect(m_pFindEdit, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    connect(m_pFindNextButton, &QPushButton::clicked, this, [this] { FindNext(); });
    connect(m_pReplaceButton, &QPushButton::clicked, this, [this] { ReplaceCurrent(); });
    connect(m_pReplaceAllButton, &QPushButton::clicked, this, [this] { ReplaceAll(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CFindReplaceDlg::SetEditor(QPlainTextEdit* editor)
{
    m_pEditor = editor;
    LoadFromSearch();
    if (editor) {
        const QString selected = SelectionForSearch(editor);
        if (!selected.isEmpty())
            m_pFindEdit->setText(selected);
    }
    UpdateButtons();
}

void CFindReplaceDlg::LoadFromSearch()
{
    const CFindReplace& search = CFindReplace::Instance();
    m_pFindEdit->setText(search.FindText());
    m_pReplaceEdit->setText(search.ReplaceText());
    m_pWholeWord->setChecked(search.WholeWord());
    m_pMatchCase->setChecked(search.MatchCase());
    const bool bUp = search.Direction() == CFindReplace::EDirection::Up;
    m_pUp->setChecked(bUp);
    m_pDown->setChecked(!bUp);
}

void CFindReplaceDlg::SaveToSearch()
{
    CFindReplace& search = CFindReplace::Instance();
    search.SetFindText(m_pFindEdit->text());
    if (m_bReplace)
        search.SetReplaceText(m_pReplaceEdit->text());
    search.SetWholeWord(m_pWholeWord->isChecked());
    search.SetMatchCase(m_pMatchCase->isChecked());
    search.SetDirection(m_bReplace || !m_pUp->isChecked() ? CFindReplace::EDirection::Down
                                                          : CFindReplace::EDirection::Up);
}

void CFindReplaceDlg::UpdateButtons()
{
    const bool bHaveText = !m_pFindEdit->text().isEmpty();
    m_pFindNextButton->setEnabled(bHaveText);
    m_pReplaceButton->setEnabled(bHaveText);
    m_pReplaceAllButton->setEnabled(bHaveText);
}

bool CFindReplaceDlg::SelectMatch(QPlainTextEdit* editor, QWidget* messageParent)
{
    const CFindReplace& search = CFindReplace::Instance();
    const QTextCursor found = search.FindNext(editor->document(), editor->textCursor());
    if (found.isNull()) {
        ShowMessage(messageParent, NotFoundMessage(search.FindText()));
        return false;
    }
    editor->setTextCursor(found);
    editor->ensureCursorVisible();
    return true;
}

bool CFindReplaceDlg::FindNext()
{
    if (!m_pEditor || m_pFindEdit->text().isEmpty())
        return false;
    SaveToSearch();
    return SelectMatch(m_pEditor, this);
}

bool CFindReplaceDlg::ReplaceCurrent()
{
    if (!m_pEditor || m_pFindEdit->text().isEmpty() || m_pEditor->isReadOnly())
        return false;
    SaveToSearch();
    const CFindReplace& search = CFindReplace::Instance();
    QTextCursor current = m_pEditor->textCursor();
    const QTextCursor next = search.Replace(m_pEditor->document(), current);
    if (next.isNull()) {
        m_pEditor->setTextCursor(current);
        ShowMessage(this, NotFoundMessage(search.FindText()));
        return false;
    }
    m_pEditor->setTextCursor(next);
    m_pEditor->ensureCursorVisible();
    return true;
}

int CFindReplaceDlg::ReplaceAll()
{
    if (!m_pEditor || m_pFindEdit->text().isEmpty() || m_pEditor->isReadOnly())
        return 0;
    SaveToSearch();
    const CFindReplace& search = CFindReplace::Instance();
    const int count = search.ReplaceAll(m_pEditor->document());
    if (count == 0)
        ShowMessage(this, NotFoundMessage(search.FindText()));
    return count;
}
