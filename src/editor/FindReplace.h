#pragma once

#include <QString>
#include <QTextCursor>

class QTextDocument;

// The editor's search: what was searched for last, with which options, and
// the find, replace and replace-all steps on a document. One search state is
// kept for the whole application (Instance), so Repeat in any editor window
// continues the search last set up in any Find or Replace dialog.
//
// Positions are those of QTextDocument: a line break between blocks counts
// as one character and is never part of a match.
class CFindReplace
{
public:
    enum class EDirection { Down, Up };

    static CFindReplace& Instance();

    QString FindText() const { return m_strFind; }
    QString ReplaceText() const { return m_strReplace; }
    bool MatchCase() const { return m_bMatchCase; }
    bool WholeWord() const { return m_bWholeWord; }
    EDirection Direction() const { return m_eDirection; }

    void SetFindText(const QString& text) { m_strFind = text; }
    void SetReplaceText(const QString& text) { m_strReplace = text; }
    void SetMatchCase(bool bMatchCase) { m_bMatchCase = bMatchCase; }
    void SetWholeWord(bool bWholeWord) { m_bWholeWord = bWholeWord; }
    void SetDirection(EDirection direction) { m_eDirection = direction; }

    // True once there is something to search for (Repeat is possible).
    bool HasSearch() const { return !m_strFind.isEmpty(); }

    // The next match after the current selection (Down) or before it (Up),
    // wrapping once around the document's end; a null cursor when the text
    // occurs nowhere. The match may be the current selection itself when
    // it is the only one.
    QTextCursor FindNext(QTextDocument* document, const QTextCursor& current) const;

    // True when the text the cursor selects is a match: equal to the find
    // text (ignoring case unless MatchCase) and, with WholeWord, not part of
    // a longer word.
    bool IsMatch(const QTextCursor& cursor) const;

    // Replaces the current selection when it is a match, then finds the
    // next match after the replacement. Returns the next match (null when
    // there is none); current then selects nothing and stands after the
    // replacement, or stays as it was when it was not a match.
    QTextCursor Replace(QTextDocument* document, QTextCursor& current) const;

    // Replaces every match in the document as one undo step; returns how
    // many were replaced.
    int ReplaceAll(QTextDocument* document) const;

    // The match starting at or after from (searching forward) or ending at
    // or before from (searching back) in text, without wrapping; -1 when
    // there is none.
    int FindIn(const QString& text, int from, EDirection direction) const;

    // A word character for the whole-word rule.
    static bool IsWordChar(QChar c);

private:
    bool IsWholeWordAt(const QString& text, int index) const;
    Qt::CaseSensitivity Sensitivity() const;

    QString m_strFind;
    QString m_strReplace;
    bool m_bMatchCase = false;
    bool m_bWholeWord = false;
    EDirection m_eDirection = EDirection::Down;
};
