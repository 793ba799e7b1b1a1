#pragma once

#include "editor/LineDecorator.h"
#include "editor/StructureScanner.h"
#include "editor/SyntaxScanner.h"
#include "editor/TokenFormats.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTextCursor>
#include <QTextLayout>

#include <deque>
#include <optional>
#include <vector>

class QEvent;
class QPlainTextEdit;
class QTextBlock;

// Colours the syntax of one editor's text by token class: keywords of the
// file's language, strings, numbers and other text.
//
// The scanner carries nothing from one line to the next (a string ends at its
// line's end), so a line's colours follow from its own text. Each block's user
// state says whether its colours show its current text: a change makes the
// blocks of the range the document reports out of date, and that range is all
// an edit can have touched. A block gets its colours (layout format ranges)
// when it is shown: the lines on screen are coloured right away, the others
// in the viewport's paint as they scroll in, and lines that have been out of
// view for a while give their ranges up again. Lines never shown cost neither
// a layout nor ranges. A small change (typing, a paste of some thousand
// lines) is coloured whole at once, which costs less than a frame.
//
// An HTML page may instead be coloured by its structure (tags, attributes,
// comments, style sheets and scripts). Then a line's colours also depend on
// the state the line before it ended in (an open comment, tag, quoted value,
// script...). That state is kept in the block's user state beside the
// colouring generation, and is trusted for the first lines of the text up to
// the first line an edit touched since; a line's start state is worked out
// from there when it is needed. When an edit changes the state a line ends
// in, the lines after it are coloured again until one ends as it did before.
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

    // Colour HTML pages by structure, or not, whatever the profile says;
    // without this call SetLanguage asks the profile.
    void SetColourByStructure(bool on) { m_structureChoice = on; }
    // Whether this view colours by structure (an HTML page, by choice).
    bool IsColouringStructure() const { return m_bSyntaxColoring && m_bStructure; }

    // Chooses the language by the extension of nameOrPath; the whole text
    // takes the language's colours (the lines on screen at once, the others
    // when shown). A view that does not colour yet asks CheckSyntaxColoring
    // about nameOrPath first.
    void SetLanguage(const QString& nameOrPath);

    // Colour the given characters now, whether shown or not.
    void ColorizeRange(int start, int end);
    // From the start of the line holding a to the end of the line holding b.
    void ColorizeLines(int a, int b);
    void ColorizeAll();

    // Decorators add their marks to every block coloured from now on; the
    // colorizer does not own them. A decorator whose marks change calls
    // Redecorate with the lines concerned (or all of them).
    void AddDecorator(CLineDecorator* decorator);
    void RemoveDecorator(CLineDecorator* decorator);
    void Redecorate(int firstBlock, int lastBlock);
    void RedecorateAll();

    // The text changed from the line fromBlock on without the document's
    // change notification (a load holds it back while it hands the text
    // over): the end states of those lines are worked out anew and the line
    // count is read again.
    void TextChangedUnseen(int fromBlock);

    // The format ranges that show block's tokens, whatever the block's layout
    // holds: what the editor draws for it. For printing and tools.
    QList<QTextLayout::FormatRange> BlockFormats(const QTextBlock& block);

    using ScanState = CStructureScanner::State;
    struct LineScan
    {
        int scanned;   // characters scanned: a NUL ends a scan by keywords
        ScanState end; // the state the line ends in; 0 without structure
    };
    // Appends the tokens of one line to tokens, from the line's text alone:
    // by the language's keywords, or, colouring by structure, starting in
    // start, the state the line before ended in (0 for the first line). Every
    // line the editor colours is scanned here, so a tool that hands it the
    // lines of a file in order gets the tokens the editor shows. A scan by
    // keywords may cover part of a line: text then holds the line from offset
    // on, and token positions still count from the line's start.
    LineScan ScanLine(QStringView text, ScanState start, std::vector<CSyntaxToken>& tokens,
                      int offset = 0) const;

    // The language's lists as the colorizer holds them (list form).
    const QString& PrimaryList() const { return m_strPrimaryList; }
    const QString& SecondaryList() const { return m_strSecondaryList; }
    const QString& QuoteChars() const { return m_strQuoteChars; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The blocks the viewport shows, as block numbers [first, last].
    struct BlockSpan
    {
        int first;
        int last;
    };

    void OnChange(int position, int charsRemoved, int charsAdded);
    // Colours the lines from the one holding a to the one holding b: at once
    // when they are few, else those on screen, the others when shown.
    void RecolourLines(int a, int b);
    // Every line's colours are out of date; those on screen are coloured now.
    void RecolourAll();
    void ColourShownBlocks();
    BlockSpan ShownBlocks() const;
    void ForgetUnseen(BlockSpan shown);
    // The lines that kept their shaped glyphs for the last paint and are not
    // in shown let them go.
    void ReleaseGlyphs(BlockSpan shown);
    int TextLength() const;
    // Colours or marks are made at all: with colouring off, decorators still
    // mark the lines.
    bool IsActive() const { return m_bSyntaxColoring || !m_decorators.empty(); }
    bool IsCurrent(const QTextBlock& block) const;
    void MarkCurrent(QTextBlock& block) const;
    bool ColorizeBlock(const QTextBlock& block, int position, int from, int to);
    // Generation and end state share a block's user state.
    bool IsOutOfDate(const QTextBlock& block) const;
    void SetOutOfDate(QTextBlock& block) const;
    void NextGeneration();

    // Scans block's text by structure into m_tokens and keeps its end state.
    void ScanStructure(const QTextBlock& block, const QString& text);
    ScanState EndStateOf(const QTextBlock& block) const;
    void SetEndState(QTextBlock& block, ScanState state) const;
    // The state block starts in: the end state of the line before it, worked
    // out for every line not yet trusted on the way.
    ScanState StartStateOf(const QTextBlock& block);
    struct EditedLines
    {
        int next;    // the first line after the changed ones
        int trusted; // lines before this kept their end states through the change
    };
    EditedLines FollowEdit(int position, int charsAdded);
    void CarryStates(EditedLines edited);
    void MarkDirty(int position, int length);
    void FlushDirty();

    QPlainTextEdit* m_pEditor;

    bool m_bSyntaxColoring = true;
    QString m_strQuoteChars;
    QString m_strPrimaryList;
    QString m_strSecondaryList;
    CSyntaxScanner m_scanner;
    CStructureScanner m_structureScanner;
    std::optional<bool> m_structureChoice;
    bool m_bStructure = false;
    // Lines [0, this) hold the true state their text ends in.
    int m_nStatesKnown = 0;
    int m_nBlockCount = 1; // after the last change, to tell how lines moved
    CTokenFormats m_tokenFormats;
    bool m_bColorizing = false;

    // A block whose user state's generation differs from this is out of
    // date; a new block's state is -1, whose generation bits mean out of
    // date. Raising it puts every line out of date at once.
    int m_nGeneration = 0;
    // Undo steps after the last change: fewer at the next change means an
    // undo, which colours the whole text again.
    int m_nUndoSteps = 0;
    // Spans of blocks coloured while shown, oldest first, and how many blocks
    // they hold: past a limit the oldest give their ranges up.
    std::deque<BlockSpan> m_shownSpans;
    int m_nShownSpanBlocks = 0;
    // The first and last of the lines that keep their shaped glyphs (those
    // shown at the last paint) and how many there were. Cursors, not numbers:
    // edits move the lines, and lines pasted among them push the last ones on.
    QTextCursor m_glyphsFirst;
    QTextCursor m_glyphsLast;
    int m_nGlyphLines = 0;
    // Blocks whose formats changed in the current pass, as one position span
    // that is pending a relayout.
    int m_nDirtyStart = -1;
    int m_nDirtyEnd = -1;
    std::vector<CSyntaxToken> m_tokens; // reused by every block of a pass
    bool m_bFormatsShared = false;      // m_tokenFormats holds the document's copies
    std::vector<CLineDecorator*> m_decorators;
};
