#pragma once

#include "editor/EditKindRules.h"
#include "editor/SyntaxScanner.h"
#include "editor/TokenFormats.h"

#include <QObject>
#include <QString>

#include <vector>

class QEvent;
class QKeyEvent;
class QDropEvent;
class QPlainTextEdit;
class QTextBlock;

// Colours the syntax of one editor's text by token class: keywords of the
// file's language, strings, numbers and other text.
//
// The whole text is coloured when the language is chosen; after that each
// change re-colours only the lines it touched. To know what an edit touches
// the colorizer watches the editor's key presses and drops (and the view tells
// it about the edits it makes through commands) before they happen, and the
// document's contentsChange after. Whatever the announcement, the lines of the
// changed range itself are always re-coloured too, so a change nobody
// announced still ends up correctly coloured.
//
// Colours live in the blocks' layout formats only: they never reach the undo
// stack, never mark the document modified and never move the caret, the
// selection or the scroll position.
class CSyntaxColorizer : public QObject
{
    Q_OBJECT
public:
    explicit CSyntaxColorizer(QPlainTextEdit* editor);

    bool IsSyntaxColoring() const { return m_bSyntaxColoring; }
    void SetSyntaxColoring(bool on) { m_bSyntaxColoring = on; }

    // Chooses the language by the extension of nameOrPath and colours the
    // whole text. A view that does not colour yet asks CheckSyntaxColoring
    // about nameOrPath first.
    void SetLanguage(const QString& nameOrPath);

    void ColorizeRange(int start, int end);
    // From the start of the line holding a to the end of the line holding b.
    void ColorizeLines(int a, int b);
    void ColorizeAll();

    // The view calls this right before an edit it makes itself through a
    // command (cut, paste, text replacing the selection, undo and redo as
    // Other). The announced range is the current selection.
    void OnProtected(ZtEditAnnouncement what);

    // The language's lists as the colorizer holds them (list form).
    const QString& PrimaryList() const { return m_strPrimaryList; }
    const QString& SecondaryList() const { return m_strSecondaryList; }
    const QString& QuoteChars() const { return m_strQuoteChars; }
    ZentrelEditKind EditKind() const { return m_nEditKind; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnChange(int position, int charsRemoved, int charsAdded);
    void Announce(ZtEditAnnouncement what, CEditRange range);
    void AnnounceKey(const QKeyEvent* event);
    void AnnounceDrop(const QDropEvent* event);
    CEditRange Selection() const;
    int TextLength() const;
    bool ColorizeBlock(const QTextBlock& block, int position, int from, int to);
    void MarkDirty(int position, int length);
    void FlushDirty();

    QPlainTextEdit* m_pEditor;

    bool m_bSyntaxColoring = true;
    QString m_strQuoteChars;
    QString m_strPrimaryList;
    QString m_strSecondaryList;
    CSyntaxScanner m_scanner;
    CTokenFormats m_tokenFormats;
    bool m_bColorizing = false;
    ZentrelEditKind m_nEditKind = ZentrelEditKind::None;
    CEditRange m_rangeEdit;

    // Counts announcements, so that one no change followed can be dropped.
    unsigned m_nAnnouncement = 0;
    // Blocks whose formats changed in the current pass, as one position span
    // that is pending a relayout.
    int m_nDirtyStart = -1;
    int m_nDirtyEnd = -1;
    std::vector<CSyntaxToken> m_tokens; // reused by every block of a pass
    bool m_bFormatsShared = false;      // m_tokenFormats holds the document's copies
};
