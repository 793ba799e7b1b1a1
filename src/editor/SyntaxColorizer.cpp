#include "editor/SyntaxColorizer.h"

#include "editor/LanguageTable.h"
#include "editor/SyntaxColoringCheck.h"

#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>

CSyntaxColorizer::CSyntaxColorizer(QPlainTextEdit* editor)
    : QObject(editor)
    , m_pEditor(editor)
{
    connect(editor->document(), &QTextDocument::contentsChange, this, &CSyntaxColorizer::OnChange);
    editor->installEventFilter(this);
    // Drops are delivered to the viewport, not to the editor itself.
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
    ColorizeAll();
}

int CSyntaxColorizer::TextLength() const
{
    // characterCount() includes the document's final paragraph separator.
    return m_pEditor->document()->characterCount() - 1;
}

CEditRange CSyntaxColorizer::Selection() const
{
    const QTextCursor cursor = m_pEditor->textCursor();
    return {cursor.selectionStart(), cursor.selectionEnd()};
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
    if (!m_bSyntaxColoring)
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
        if (!ColorizeBlock(block, position, from, to))
            break;
        position += length;
        block = block.next();
    }
    FlushDirty();
}

bool CSyntaxColorizer::ColorizeBlock(const QTextBlock& block, int position, int from, int to)
{
    const QString text = block.text();
    m_tokens.clear();
    const int scanned = m_scanner.Scan(QStringView(text).mid(from, to - from), m_tokens, from);
    const int scanEnd = from + scanned;

    QTextLayout* layout = block.layout();
    const QList<QTextLayout::FormatRange> existing = layout->formats();
    QList<QTextLayout::FormatRange> ranges;
    if (from == 0 && scanEnd == text.size()) {
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

void CSyntaxColorizer::OnChange(int position, int /*charsRemoved*/, int charsAdded)
{
    if (m_bColorizing)
        return;
    const ZentrelEditKind kind = m_nEditKind;
    m_nEditKind = ZentrelEditKind::None;
    if (!m_bSyntaxColoring)
        return;

    const CEditKindRules::ChangePlan plan = CEditKindRules::OnChange(kind, m_rangeEdit, Selection());
    if (plan.all) {
        ColorizeAll();
        return;
    }
    const QTextDocument* document = m_pEditor->document();
    const int length = TextLength();
    const int changedFirst = document->findBlock(qBound(0, position, length)).blockNumber();
    const int changedLast =
        document->findBlock(qBound(0, position + charsAdded, length)).blockNumber();
    bool changeCovered = false;
    for (const CEditKindRules::LineSpan& span : plan.spans) {
        ColorizeLines(span.a, span.b);
        const int spanFirst = document->findBlock(qBound(0, span.a, length)).blockNumber();
        const int spanLast = document->findBlock(qBound(0, span.b, length)).blockNumber();
        if (spanFirst <= changedFirst && changedLast <= spanLast)
            changeCovered = true;
    }
    // The announced kind may not fit what really happened (a change made by
    // code, an edit nobody announced): the changed lines are coloured anyway.
    if (!changeCovered)
        ColorizeLines(position, position + charsAdded);
}

void CSyntaxColorizer::OnProtected(ZtEditAnnouncement what)
{
    Announce(what, Selection());
}

void CSyntaxColorizer::Announce(ZtEditAnnouncement what, CEditRange range)
{
    const CEditKindRules::Announced announced = CEditKindRules::OnProtected(m_nEditKind, what);
    m_nEditKind = announced.kind;
    if (announced.recordRange)
        m_rangeEdit = range;
    // An announced edit that changed nothing (Backspace at the very start,
    // paste of an empty clipboard) must not decide how a later, unrelated
    // change is coloured: once control is back in the event loop it is gone.
    const unsigned announcement = ++m_nAnnouncement;
    QTimer::singleShot(0, this, [this, announcement] {
        if (announcement == m_nAnnouncement)
            m_nEditKind = ZentrelEditKind::None;
    });
}

bool CSyntaxColorizer::eventFilter(QObject* watched, QEvent* event)
{
    // The event type is checked before the editor is asked anything: while
    // the editor is being destroyed it still gets child events through here.
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::InputMethod && type != QEvent::Drop)
        return false;
    if (m_pEditor->isReadOnly())
        return false;
    if (type == QEvent::KeyPress) {
        if (watched == m_pEditor)
            AnnounceKey(static_cast<QKeyEvent*>(event));
    } else if (type == QEvent::InputMethod) {
        if (!static_cast<QInputMethodEvent*>(event)->commitString().isEmpty())
            Announce(ZtEditAnnouncement::Char, Selection());
    } else {
        AnnounceDrop(static_cast<QDropEvent*>(event));
    }
    return false;
}

namespace {

// Keys that only move the caret, change the selection or copy: they never
// edit, so they announce nothing.
bool IsNonEditingKey(const QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll))
        return true;
    const int key = event->key();
    switch (key) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_Home: case Qt::Key_End: case Qt::Key_PageUp: case Qt::Key_PageDown:
    case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_Meta:
    case Qt::Key_AltGr: case Qt::Key_CapsLock: case Qt::Key_NumLock: case Qt::Key_ScrollLock:
    case Qt::Key_Escape: case Qt::Key_Insert: case Qt::Key_Menu: case Qt::Key_unknown:
        return true;
    default:
        break;
    }
    return key >= Qt::Key_F1 && key <= Qt::Key_F35;
}

bool IsTypedText(const QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab
        || key == Qt::Key_Backtab)
        return true;
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    const QChar first = text.at(0);
    return first.unicode() >= 0x20 && first.unicode() != 0x7f;
}

} // namespace

void CSyntaxColorizer::AnnounceKey(const QKeyEvent* event)
{
    ZtEditAnnouncement what = ZtEditAnnouncement::KeyOther;
    if (event->matches(QKeySequence::Cut))
        what = ZtEditAnnouncement::Cut;
    else if (event->matches(QKeySequence::Paste))
        what = ZtEditAnnouncement::Paste;
    else if (event->key() == Qt::Key_Backspace)
        what = ZtEditAnnouncement::KeyBackspace;
    else if (event->key() == Qt::Key_Delete)
        what = ZtEditAnnouncement::KeyDelete;
    else if (IsTypedText(event))
        what = ZtEditAnnouncement::Char;
    else if (IsNonEditingKey(event))
        return;
    Announce(what, Selection());
}

void CSyntaxColorizer::AnnounceDrop(const QDropEvent* event)
{
    const bool fromHere = event->source() == m_pEditor || event->source() == m_pEditor->viewport();
    if (fromHere && event->dropAction() == Qt::MoveAction) {
        // A move within the editor: the selection is cut, then pasted at the
        // drop place.
        Announce(ZtEditAnnouncement::Cut, Selection());
        Announce(ZtEditAnnouncement::Paste, Selection());
        return;
    }
    const int dropAt = m_pEditor->cursorForPosition(event->position().toPoint()).position();
    Announce(ZtEditAnnouncement::Paste, {dropAt, dropAt});
}
