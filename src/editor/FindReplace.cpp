#include "editor/FindReplace.h"

#include <QTextDocument>
#include <QVector>

CFindReplace& CFindReplace::Instance()
{
    static CFindReplace search;
    return search;
}

bool CFindReplace::IsWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.isMark();
}

Qt::CaseSensitivity CFindReplace::Sensitivity() const
{
    return m_bMatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

bool CFindReplace::IsWholeWordAt(const QString& text, int index) const
{
    if (!m_bWholeWord)
        return true;
    const int end = index + int(m_strFind.size());
    const bool bFreeBefore = index == 0 || !IsWordChar(text.at(index - 1));
    const bool bFreeAfter = end >= text.size() || !IsWordChar(text.at(end));
    return bFreeBefore && bFreeAfter;
}

int CFindReplace::FindIn(const QString& text, int from, EDirection direction) const
{
    if (m_strFind.isEmpty())
        return -1;
    const int length = int(m_strFind.size());
    if (direction == EDirection::Down) {
        for (int i = int(text.indexOf(m_strFind, qMax(from, 0), Sensitivity())); i >= 0;
             i = int(text.indexOf(m_strFind, i + 1, Sensitivity()))) {
            if (IsWholeWordAt(text, i))
                return i;
        }
        return -1;
    }
    // Backwards: the match must end at or before from.
    for (int start = qMin(from, int(text.size())) - length; start >= 0; --start) {
        const int i = int(text.lastIndexOf(m_strFind, start, Sensitivity()));
        if (i < 0)
            return -1;
        if (IsWholeWordAt(text, i))
            return i;
        start = i;
    }
    return -1;
}

QTextCursor CFindReplace::FindNext(QTextDocument* document, const QTextCursor& current) const
{
    if (!document || m_strFind.isEmpty())
        return QTextCursor();
    // The raw text keeps one character per document position.
    const QString text = document->toRawText();
    int found = -1;
    if (m_eDirection == EDirection::Down) {
        const int from = current.isNull() ? 0 : current.selectionEnd();
        found = FindIn(text, from, EDirection::Down);
        if (found < 0)
            found = FindIn(text, 0, EDirection::Down);
    } else {
        const int from = current.isNull() ? int(text.size()) : current.selectionStart();
        found = FindIn(text, from, EDirection::Up);
        if (found < 0)
            found = FindIn(text, int(text.size()), EDirection::Up);
    }
    if (found < 0)
        return QTextCursor();
    QTextCursor match(document);
    match.setPosition(found);
    match.setPosition(found + int(m_strFind.size()), QTextCursor::KeepAnchor);
    return match;
}

bool CFindReplace::IsMatch(const QTextCursor& cursor) const
{
    if (cursor.isNull() || !cursor.hasSelection() || m_strFind.isEmpty())
        return false;
    if (cursor.selectedText().compare(m_strFind, Sensitivity()) != 0)
        return false;
    if (!m_bWholeWord)
        return true;
    const QTextDocument* document = cursor.document();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    const bool bFreeBefore = start == 0 || !IsWordChar(document->characterAt(start - 1));
    const bool bFreeAfter = !IsWordChar(document->characterAt(end));
    return bFreeBefore && bFreeAfter;
}

QTextCursor CFindReplace::Replace(QTextDocument* document, QTextCursor& current) const
{
    if (IsMatch(current))
        current.insertText(m_strReplace);
    return FindNext(document, current);
}

int CFindReplace::ReplaceAll(QTextDocument* document) const
{
    if (!document || m_strFind.isEmpty())
        return 0;
    // Every match is found in the text as it was, then replaced from the
    // last to the first so that earlier positions stay valid.
    const QString text = document->toRawText();
    QVector<int> matches;
    for (int i = FindIn(text, 0, EDirection::Down); i >= 0;
         i = FindIn(text, i + int(m_strFind.size()), EDirection::Down))
        matches.append(i);
    if (matches.isEmpty())
        return 0;

    QTextCursor edit(document);
    edit.beginEditBlock();
    for (auto it = matches.crbegin(); it != matches.crend(); ++it) {
        edit.setPosition(*it);
        edit.setPosition(*it + int(m_strFind.size()), QTextCursor::KeepAnchor);
        edit.insertText(m_strReplace);
    }
    edit.endEditBlock();
    return int(matches.size());
}
