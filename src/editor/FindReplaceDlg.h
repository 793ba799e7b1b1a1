#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPointer>
#include <QString>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The modeless Find and Replace dialogs of the editors. Both work on the
// editor they were last shown for and keep their settings in the
// application's one search state (CFindReplace::Instance), which Repeat
// uses without a dialog.
class CFindReplaceDlg : public QDialog
{
    Q_OBJECT
public:
    // Shows the application's Find dialog (or Replace dialog) for editor,
    // made on first use and reused after.
    static CFindReplaceDlg* Show(QPlainTextEdit* editor, bool bReplace);
    // Finds the next match of the last search in editor; with no search yet
    // it opens the Find dialog. False when nothing was found.
    static bool Repeat(QPlainTextEdit* editor);

    // The message shown when the text occurs nowhere.
    static QString NotFoundMessage(const QString& text);
    // Where messages go; a message box unless a handler is installed (tests
    // install one; an empty handler restores the message box).
    static void SetMessageHandler(std::function<void(const QString&)> handler);

    CFindReplaceDlg(bool bReplace, QWidget* parent = nullptr);

    bool IsReplaceDialog() const { return m_bReplace; }
    QPlainTextEdit* Editor() const { return m_pEditor; }
    void SetEditor(QPlainTextEdit* editor);

    // The dialog's commands, also reachable from its buttons.
    bool FindNext();
    bool ReplaceCurrent();
    int ReplaceAll();

    QLineEdit* FindEdit() const { return m_pFindEdit; }
    QLineEdit* ReplaceEdit() const { return m_pReplaceEdit; }
    QCheckBox* WholeWordBox() const { return m_pWholeWord; }
    QCheckBox* MatchCaseBox() const { return m_pMatchCase; }
    QRadioButton* UpButton() const { return m_pUp; }

private:
    void BuildControls();
    void LoadFromSearch();
    void SaveToSearch();
    void UpdateButtons();
    // Selects the next match; when there is none, tells so in a box over
    // messageParent, the window the keys go back to.
    static bool SelectMatch(QPlainTextEdit* editor, QWidget* messageParent);
    static void ShowMessage(QWidget* parent, const QString& text);

    bool m_bReplace;
    QPointer<QPlainTextEdit> m_pEditor;
    QLineEdit* m_pFindEdit = nullptr;
    QLineEdit* m_pReplaceEdit = nullptr;
    QCheckBox* m_pWholeWord = nullptr;
    QCheckBox* m_pMatchCase = nullptr;
    QRadioButton* m_pUp = nullptr;
    QRadioButton* m_pDown = nullptr;
    QPushButton* m_pFindNextButton = nullptr;
    QPushButton* m_pReplaceButton = nullptr;
    QPushButton* m_pReplaceAllButton = nullptr;
};
