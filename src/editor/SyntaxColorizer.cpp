#include "editor/SyntaxColorizer.h"

#include "editor/LanguageTable.h"
#include "editor/SyntaxColoringCheck.h"

#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace {
// A change of at most this many lines is coloured whole at once, shown or
// not: a thousand lines cost about 2 ms.
constexpr int kColourAtOnceLines = 2000;
// The lines taken as shown are never fewer than this, so that a window not
// laid out yet (no size, or hidden) still colours its first screen.
constexpr int kMinShownLines = 64;
// Lines coloured while shown keep their ranges until this many more have been
// coloured; then the ones out of view longest give theirs up.
constexpr int kKeptShownLines = 3000;
// A block's user state: the colouring generation in the low bits, the state
// its text ends in (colouring by structure) above them. A new block's -1 reads
// as out of date.
constexpr int kGenerationBits = 15;
constexpr int kGenerationMask = (1 << kGenerationBits) - 1;
constexpr int kOutOfDate = kGenerationMask; // the generation of a block out of date
// The classes a page coloured by structure is sure to show: their formats are
// shared with the document once each has been laid out.
constexpr std::uint32_t kStructureClassesInUse = (1u << int(ZtTokenClass::Other))
    | (1u << int(ZtTokenClass::Tag)) | (1u << int(ZtTokenClass::AttributeName))
    | (1u << int(ZtTokenClass::AttributeValue));
constexpr std::uint32_t kKeywordClassesInUse = 0x1f;
} // namespace

CSyntaxColorizer::CSyntaxColorizer(QPlainTextEdit* editor)
    : QObject(editor)
    , m_pEditor(editor)
{
    connect(editor->document(), &QTextDocument::contentsChange, this, &CSyntaxColorizer::OnChange);
    m_nUndoSteps = editor->document()->availableUndoSteps();
    // Lines scrolled into view are coloured right before they are painted.
    editor->viewport()->installEventFilter(this);
}

void CSyntaxColorizer::SetLanguage(const QString& nameOrPath)
{
    if (!m_bSyntaxColoring)
        m_bSyntaxColoring = CheckSyntaxColoring(nameOrPath) >= 1;
    if (const CLanguageTable::Language* language = CLanguageTable::ForFileName(nameOrPath)) {
        m_strPrimaryList += *language->primaryList;
        m_strQuoteChars = CLanguageTable::QuoteChars(language);
        m_strSecondaryList += *language->secondaryList;
    }
    m_scanner = CSyntaxScanner(m_strQuoteChars, m_strPrimaryList, m_strSecondaryList);
    const bool structureWanted = m_structureChoice ? *m_structureChoice : IsColourByStructureOn();
    const CLanguageTable::Language* language = CLanguageTable::ForFileName(nameOrPath);
    m_bStructure = structureWanted && language && qstrcmp(language->name, "HTML") == 0;
    m_tokenFormats.SetClassesInUse(m_bStructure ? kStructureClassesInUse : kKeywordClassesInUse);
    m_bFormatsShared = false;
    m_nStatesKnown = 0;
    m_nBlockCount = m_pEditor->document()->blockCount();
    RecolourAll();
}

int CSyntaxColorizer::TextLength() const
{
    // characterCount() includes the document's final paragraph separator.
    return m_pEditor->document()->characterCount() - 1;
}

void CSyntaxColorizer::ColorizeAll()
{
    ColorizeRange(0, TextLength());
}

void CSyntaxColorizer::ColorizeLines(int a, int b)
{
    const QTextDocument* document = m_pEditor->document();
    const int length = TextLength();
    const QTextBlock first = document->findBlock(qBound(0, a, length));
    const QTextBlock last = document->findBlock(qBound(0, b, length));
    if (!first.isValid() || !last.isValid())
        return;
    ColorizeRange(first.position(), last.position() + last.length() - 1);
}

void CSyntaxColorizer::ColorizeRange(int start, int end)
{
    if (!IsActive())
        return;
    const int length = TextLength();
    start = qBound(0, start, length);
    end = qBound(0, end, length);
    if (start >= end)
        return;

    QScopedValueRollback<bool> colorizing(m_bColorizing, true);
    QTextBlock block = m_pEditor->document()->findBlock(start);
    // Block positions are counted along, not asked for: asking costs a walk
    // through the document's block tree each time.
    int position = block.position();
    while (block.isValid() && position < end) {
        const int length = block.length();
        const int from = qMax(start - position, 0);
        const int to = qMin(end - position, length - 1);
        // A NUL character ends the scanned text, as it ends a loaded file.
        const bool goOn = ColorizeBlock(block, position, from, to);
        if (from == 0 && to == length - 1)
            MarkCurrent(block);
        if (!goOn)
            break;
        position += length;
        block = block.next();
    }
    FlushDirty();
}

bool CSyntaxColorizer::ColorizeBlock(const QTextBlock& block, int position, int from, int to)
{
    const QString text = block.text();
    const bool structure = IsColouringStructure();
    if (!m_decorators.empty() || structure) {
        // Marks may lie anywhere on the line, so a marked line is made whole;
        // so is a line coloured by structure, whose state runs through it.
        from = 0;
        to = text.size();
    }
    m_tokens.clear();
    int scanned = to - from;
    if (structure)
        ScanStructure(block, text);
    else if (m_bSyntaxColoring)
        scanned = ScanLine(QStringView(text).mid(from, to - from), 0, m_tokens, from).scanned;
    const int scanEnd = from + scanned;

    QTextLayout* layout = block.layout();
    const QList<QTextLayout::FormatRange> existing = layout->formats();
    QList<QTextLayout::FormatRange> ranges;
    if (!m_decorators.empty()) {
        ranges = m_tokenFormats.Ranges(m_tokens, from, scanEnd);
        for (CLineDecorator* decorator : m_decorators)
            decorator->Decorate(block, ranges);
        if (ranges == existing)
            return scanEnd == to;
    } else if (from == 0 && scanEnd == text.size()) {
        // Re-colouring unchanged text must cost no format change and no relayout.
        if (m_tokenFormats.Matches(existing, m_tokens, from, scanEnd))
            return true;
        ranges = m_tokenFormats.Ranges(m_tokens, from, scanEnd);
    } else {
        ranges = CTokenFormats::Splice(existing, from, scanEnd,
                                       m_tokenFormats.Ranges(m_tokens, from, scanEnd));
        if (ranges == existing)
            return scanEnd == to;
    }
    layout->setFormats(ranges);
    if (!m_bFormatsShared)
        m_bFormatsShared = m_tokenFormats.AdoptShared(layout->formats());
    MarkDirty(position, block.length());
    return scanEnd == to;
}

void CSyntaxColorizer::AddDecorator(CLineDecorator* decorator)
{
    if (std::find(m_decorators.begin(), m_decorators.end(), decorator) == m_decorators.end())
        m_decorators.push_back(decorator);
    RedecorateAll();
}

void CSyntaxColorizer::RemoveDecorator(CLineDecorator* decorator)
{
    const auto found = std::find(m_decorators.begin(), m_decorators.end(), decorator);
    if (found == m_decorators.end())
        return;
    m_decorators.erase(found);
    if (m_decorators.empty() && !m_bSyntaxColoring) {
        // Nothing colours the lines any more: their marks go at once.
        QScopedValueRollback<bool> colorizing(m_bColorizing, true);
        for (QTextBlock block = m_pEditor->document()->firstBlock(); block.isValid(); block = block.next()) {
            if (!block.layout()->formats().isEmpty()) {
                block.layout()->clearFormats();
                MarkDirty(block.position(), block.length());
            }
        }
        FlushDirty();
        return;
    }
    RedecorateAll();
}

void CSyntaxColorizer::Redecorate(int firstBlock, int lastBlock)
{
    const QTextDocument* document = m_pEditor->document();
    const QTextBlock first = document->findBlockByNumber(qMax(0, firstBlock));
    const QTextBlock last = document->findBlockByNumber(qMin(lastBlock, document->blockCount() - 1));
    if (!first.isValid() || !last.isValid() || !IsActive())
        return;
    RecolourLines(first.position(), last.position());
}

void CSyntaxColorizer::TextChangedUnseen(int fromBlock)
{
    m_nStatesKnown = qMin(m_nStatesKnown, qMax(0, fromBlock));
    m_nBlockCount = m_pEditor->document()->blockCount();
}

void CSyntaxColorizer::RedecorateAll()
{
    RecolourAll();
}

void CSyntaxColorizer::MarkDirty(int position, int length)
{
    if (m_nDirtyStart >= 0 && position > m_nDirtyEnd) {
        // Only blocks that changed get laid out again: a gap of unchanged
        // blocks closes the pending span.
        FlushDirty();
    }
    if (m_nDirtyStart < 0)
        m_nDirtyStart = position;
    m_nDirtyEnd = position + length;
}

void CSyntaxColorizer::FlushDirty()
{
    if (m_nDirtyStart < 0)
        return;
    // One call for a run of changed blocks: the editor's layout then drops
    // the run's line layouts at once and relays out only what it shows.
    const int documentLength = m_pEditor->document()->characterCount();
    const int end = qMin(m_nDirtyEnd, documentLength);
    m_pEditor->document()->markContentsDirty(m_nDirtyStart, end - m_nDirtyStart);
    m_nDirtyStart = -1;
    m_nDirtyEnd = -1;
}

bool CSyntaxColorizer::IsCurrent(const QTextBlock& block) const
{
    return (block.userState() & kGenerationMask) == m_nGeneration;
}

bool CSyntaxColorizer::IsOutOfDate(const QTextBlock& block) const
{
    return (block.userState() & kGenerationMask) == kOutOfDate;
}

namespace {
// The user state without its generation; nothing for a new block.
int StateBits(const QTextBlock& block)
{
    const int state = block.userState();
    return state == -1 ? 0 : state & ~kGenerationMask;
}
} // namespace

void CSyntaxColorizer::MarkCurrent(QTextBlock& block) const
{
    block.setUserState(StateBits(block) | m_nGeneration);
}

void CSyntaxColorizer::SetOutOfDate(QTextBlock& block) const
{
    block.setUserState(StateBits(block) | kOutOfDate);
}

void CSyntaxColorizer::NextGeneration()
{
    if (++m_nGeneration < kOutOfDate)
        return;
    // The generation wraps: no block may keep a number from the last round.
    m_nGeneration = 0;
    for (QTextBlock block = m_pEditor->document()->firstBlock(); block.isValid(); block = block.next())
        SetOutOfDate(block);
}

CSyntaxColorizer::ScanState CSyntaxColorizer::EndStateOf(const QTextBlock& block) const
{
    return ScanState(StateBits(block) >> kGenerationBits);
}

void CSyntaxColorizer::SetEndState(QTextBlock& block, ScanState state) const
{
    const int generation = block.userState() == -1 ? kOutOfDate : block.userState() & kGenerationMask;
    block.setUserState((int(state) << kGenerationBits) | generation);
}

CSyntaxColorizer::ScanState CSyntaxColorizer::StartStateOf(const QTextBlock& block)
{
    const int number = block.blockNumber();
    if (number <= 0)
        return 0;
    if (m_nStatesKnown < number) {
        // The lines between the last trusted one and this are scanned for
        // their states only: no tokens, no formats.
        QTextBlock line = m_pEditor->document()->findBlockByNumber(m_nStatesKnown);
        ScanState state = m_nStatesKnown == 0 ? 0 : EndStateOf(line.previous());
        for (int n = m_nStatesKnown; n < number && line.isValid(); ++n) {
            state = m_structureScanner.EndState(line.text(), state);
            SetEndState(line, state);
            line = line.next();
        }
        m_nStatesKnown = number;
    }
    return EndStateOf(block.previous());
}

CSyntaxColorizer::LineScan CSyntaxColorizer::ScanLine(QStringView text, ScanState start,
                                                      std::vector<CSyntaxToken>& tokens, int offset) const
{
    if (IsColouringStructure())
        return {int(text.size()), m_structureScanner.Scan(text, start, tokens)};
    return {m_scanner.Scan(text, tokens, offset), 0};
}

void CSyntaxColorizer::ScanStructure(const QTextBlock& block, const QString& text)
{
    const ScanState end = ScanLine(text, StartStateOf(block), m_tokens).end;
    QTextBlock line = block;
    SetEndState(line, end);
    if (block.blockNumber() == m_nStatesKnown)
        ++m_nStatesKnown;
}

CSyntaxColorizer::EditedLines CSyntaxColorizer::FollowEdit(int position, int charsAdded)
{
    const QTextDocument* document = m_pEditor->document();
    const int count = document->blockCount();
    const int moved = count - m_nBlockCount; // lines added (or, below 0, removed)
    m_nBlockCount = count;
    const int length = TextLength();
    const int first = document->findBlock(qBound(0, position, length)).blockNumber();
    const int last = document->findBlock(qBound(0, position + charsAdded, length)).blockNumber();
    // Lines after the change were trusted when they were before it; they
    // moved with the lines the change added or removed.
    const int trusted = m_nStatesKnown > first ? qMax(m_nStatesKnown + moved, last + 1) : m_nStatesKnown;
    m_nStatesKnown = qMin(m_nStatesKnown, first);
    return {last + 1, trusted};
}

void CSyntaxColorizer::CarryStates(EditedLines edited)
{
    if (edited.next >= edited.trusted)
        return;
    QTextBlock block = m_pEditor->document()->findBlockByNumber(edited.next);
    if (!block.isValid())
        return;
    ScanState state = StartStateOf(block);
    QScopedValueRollback<bool> colorizing(m_bColorizing, true);
    for (int number = edited.next; block.isValid() && number < edited.trusted; ++number) {
        if (number - edited.next >= kColourAtOnceLines) {
            // The change reaches far (a comment opened above a long page):
            // the rest is coloured as it is shown.
            FlushDirty();
            m_bColorizing = false;
            RecolourAll();
            return;
        }
        const ScanState before = EndStateOf(block);
        ScanState after;
        if (IsCurrent(block)) {
            ColorizeBlock(block, block.position(), 0, block.length() - 1);
            after = EndStateOf(block);
        } else {
            after = m_structureScanner.EndState(block.text(), state);
            SetEndState(block, after);
        }
        m_nStatesKnown = number + 1;
        if (after == before) {
            // From here on every line starts as it did before the change.
            m_nStatesKnown = edited.trusted;
            break;
        }
        state = after;
        block = block.next();
    }
    FlushDirty();
}

QList<QTextLayout::FormatRange> CSyntaxColorizer::BlockFormats(const QTextBlock& block)
{
    const QString text = block.text();
    m_tokens.clear();
    if (IsColouringStructure()) {
        // A line of a copy of the text (printing) starts in the state of the
        // editor's own line of the same number.
        const QTextDocument* document = m_pEditor->document();
        const QTextBlock own = block.document() == document ? block : document->findBlockByNumber(block.blockNumber());
        if (own.isValid()) {
            ScanStructure(own, text);
            return m_tokenFormats.Ranges(m_tokens, 0, int(text.size()));
        }
        // A line past the editor's last has no state to start in.
        return m_tokenFormats.Ranges(m_tokens, 0, m_scanner.Scan(text, m_tokens));
    }
    const int scanned = ScanLine(text, 0, m_tokens).scanned;
    return m_tokenFormats.Ranges(m_tokens, 0, scanned);
}

void CSyntaxColorizer::RecolourAll()
{
    // Every block's state is now below the generation: each is coloured again
    // when it is next shown, and the lines on screen are now.
    NextGeneration();
    ColourShownBlocks();
}

CSyntaxColorizer::BlockSpan CSyntaxColorizer::ShownBlocks() const
{
    const QTextDocument* document = m_pEditor->document();
    // The vertical scroll bar counts lines from the top: the first one shown
    // is at its value.
    QTextBlock block = document->findBlockByLineNumber(qMax(0, m_pEditor->verticalScrollBar()->value()));
    if (!block.isValid())
        block = document->firstBlock();
    const int lineHeight = qMax(1, m_pEditor->fontMetrics().lineSpacing());
    // The last line may be cut by the bottom edge; one more covers a caret
    // move that scrolls a line in.
    const int lines = qMax(kMinShownLines, m_pEditor->viewport()->height() / lineHeight + 2);
    BlockSpan span{block.blockNumber(), block.blockNumber()};
    int counted = qMax(1, block.lineCount());
    for (block = block.next(); block.isValid() && counted < lines; block = block.next()) {
        ++span.last;
        counted += qMax(1, block.lineCount()); // a wrapped line takes several
    }
    return span;
}

void CSyntaxColorizer::ColourShownBlocks()
{
    if (!IsActive())
        return;
    const BlockSpan shown = ShownBlocks();
    ReleaseGlyphs(shown);
    QScopedValueRollback<bool> colorizing(m_bColorizing, true);
    QTextBlock block = m_pEditor->document()->findBlockByNumber(shown.first);
    m_glyphsFirst = QTextCursor(block);
    m_nGlyphLines = 0;
    QTextBlock kept = block;
    int position = block.position();
    bool coloured = false;
    for (int number = shown.first; number <= shown.last && block.isValid(); ++number) {
        const int length = block.length();
        // Qt otherwise drops a line's shaped glyphs at the end of its layout
        // and shapes the line again to paint it: keeping them makes a page
        // scrolled in about a quarter cheaper. They go once the line is no
        // longer shown (ReleaseGlyphs).
        block.layout()->setCacheEnabled(true);
        kept = block;
        ++m_nGlyphLines;
        if (!IsCurrent(block)) {
            // Shown on its own, a line with a NUL is coloured up to it.
            ColorizeBlock(block, position, 0, length - 1);
            MarkCurrent(block);
            coloured = true;
        }
        position += length;
        block = block.next();
    }
    m_glyphsLast = QTextCursor(kept);
    FlushDirty();
    if (coloured) {
        m_shownSpans.push_back(shown);
        m_nShownSpanBlocks += shown.last - shown.first + 1;
        ForgetUnseen(shown);
    }
}

void CSyntaxColorizer::ForgetUnseen(BlockSpan shown)
{
    if (m_nShownSpanBlocks <= kKeptShownLines)
        return;
    // Edits may have moved the lines since a span was recorded: a line taken
    // for another merely loses ranges it gets back when shown, and one missed
    // keeps its ranges.
    const QTextDocument* document = m_pEditor->document();
    // The oldest spans go one at a time, a screen or so for each screen
    // scrolled in, so that no paint pays for many.
    while (m_nShownSpanBlocks > kKeptShownLines && m_shownSpans.size() > 1) {
        const BlockSpan span = m_shownSpans.front();
        m_shownSpans.pop_front();
        m_nShownSpanBlocks -= span.last - span.first + 1;
        QTextBlock block = document->findBlockByNumber(span.first);
        int position = block.isValid() ? block.position() : 0;
        for (int number = span.first; number <= span.last && block.isValid(); ++number) {
            const int length = block.length();
            if ((number < shown.first || number > shown.last) && !IsOutOfDate(block)) {
                block.layout()->clearFormats();
                SetOutOfDate(block);
                MarkDirty(position, length);
            }
            position += length;
            block = block.next();
        }
    }
    FlushDirty();
}

void CSyntaxColorizer::ReleaseGlyphs(BlockSpan shown)
{
    if (m_nGlyphLines == 0 || m_glyphsFirst.document() != m_pEditor->document())
        return;
    const auto release = [shown](QTextBlock block, int number) {
        QTextLayout* layout = block.layout();
        if ((number >= shown.first && number <= shown.last) || !layout->cacheEnabled())
            return;
        layout->setCacheEnabled(false);
        // Setting a text invalidates the layout, which frees them (a line
        // without ranges would otherwise keep them however long it stays out
        // of view); the text itself is not used, a line's layout takes its
        // block's. Qt lays the line out again when it is next shown. An empty
        // beginLayout()/endLayout() pass does the same at ten times the cost.
        layout->setText(QString());
    };
    // Lines pasted among them since split them in two: up to the number
    // there were from each end covers both parts.
    const QTextBlock last = m_glyphsLast.block();
    const int lastNumber = last.blockNumber();
    QTextBlock block = m_glyphsFirst.block();
    int number = block.blockNumber();
    for (int n = 0; n < m_nGlyphLines && block.isValid() && number <= lastNumber; ++n) {
        release(block, number++);
        block = block.next();
    }
    const int walked = number;
    block = last;
    number = lastNumber;
    for (int n = 0; n < m_nGlyphLines && block.isValid() && number >= walked; ++n) {
        release(block, number--);
        block = block.previous();
    }
    m_nGlyphLines = 0;
}

void CSyntaxColorizer::OnChange(int position, int /*charsRemoved*/, int charsAdded)
{
    if (m_bColorizing)
        return;
    QTextDocument* document = m_pEditor->document();
    const int undoSteps = document->availableUndoSteps();
    const bool undone = undoSteps < m_nUndoSteps;
    m_nUndoSteps = undoSteps;
    const EditedLines edited = m_bStructure ? FollowEdit(position, charsAdded) : EditedLines{0, 0};
    if (!IsActive())
        return;
    if (undone) {
        // An undo colours the whole text again; lines not shown wait.
        RecolourAll();
        return;
    }
    // The scanner keeps nothing from one line to the next, so the lines of
    // the reported range are all this change can have recoloured. The lines
    // of the selection after it are coloured too, as after every edit.
    const QTextCursor cursor = m_pEditor->textCursor();
    RecolourLines(position, position + charsAdded);
    if (IsColouringStructure())
        CarryStates(edited);
    RecolourLines(cursor.selectionStart(), cursor.selectionEnd());
}

void CSyntaxColorizer::RecolourLines(int a, int b)
{
    const QTextDocument* document = m_pEditor->document();
    const int length = TextLength();
    QTextBlock block = document->findBlock(qBound(0, a, length));
    const int first = block.blockNumber();
    const int last = document->findBlock(qBound(0, b, length)).blockNumber();
    const bool atOnce = last - first < kColourAtOnceLines;
    const BlockSpan shown = atOnce ? BlockSpan{first, last} : ShownBlocks();

    QScopedValueRollback<bool> colorizing(m_bColorizing, true);
    int blockPosition = block.position();
    bool stopped = false;
    for (int number = first; number <= last && block.isValid(); ++number) {
        const int blockLength = block.length();
        if (stopped) {
            // A NUL above ended this pass: the line stays as it is.
            MarkCurrent(block);
        } else if (number >= shown.first && number <= shown.last) {
            stopped = !ColorizeBlock(block, blockPosition, 0, blockLength - 1);
            MarkCurrent(block);
        } else {
            // Coloured when shown, on its own: a NUL there ends its own line.
            SetOutOfDate(block);
        }
        blockPosition += blockLength;
        block = block.next();
    }
    FlushDirty();
    if (atOnce && last > first) {
        m_shownSpans.push_back({first, last});
        m_nShownSpanBlocks += last - first + 1;
    }
}

bool CSyntaxColorizer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched == m_pEditor->viewport())
        ColourShownBlocks();
    return false;
}
