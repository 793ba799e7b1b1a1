#include "editor/LineEnds.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {
int BlockNumberAt(const QTextDocument* document, int position)
{
    const QTextBlock block = document->findBlock(position);
    return block.isValid() ? block.blockNumber() : document->blockCount() - 1;
}
} // namespace

CLineEnds::CLineEnds(QTextDocument* document, const QVector<quint8>& ends)
    : QObject(document)
    , m_pDocument(document)
    , m_ends(ends)
    , m_undoSteps(document->availableUndoSteps())
{
    m_ends.resize(document->blockCount(), New);
    // A document without a layout tells no one of its changes.
    document->documentLayout();
    connect(document, &QTextDocument::contentsChange, this, &CLineEnds::OnContentsChange);
    connect(document, &QTextDocument::undoCommandAdded, this, [this] { m_commandAdded = true; });
}

void CLineEnds::Attach(QTextDocument* document, const QVector<quint8>& ends)
{
    delete document->findChild<CLineEnds*>(QString(), Qt::FindDirectChildrenOnly);
    new CLineEnds(document, ends);
}

const CLineEnds* CLineEnds::Of(const QTextDocument* document)
{
    return document->findChild<CLineEnds*>(QString(), Qt::FindDirectChildrenOnly);
}

quint8 CLineEnds::EndOf(int blockNumber) const
{
    return blockNumber >= 0 && blockNumber < m_ends.size() ? m_ends[blockNumber] : New;
}

// The document tells what changed only afterwards, as a range of characters.
// The breaks in the new range are the breaks added; the change in the block
// count then gives the number removed, whose ends are still in m_ends.
void CLineEnds::OnContentsChange(int position, int, int charsAdded)
{
    const Cause cause = CauseOfChange();
    m_undoSteps = m_pDocument->availableUndoSteps();
    m_commandAdded = false;

    const int first = BlockNumberAt(m_pDocument, position);
    const int added = BlockNumberAt(m_pDocument, position + charsAdded) - first;
    const int removed = added - (m_pDocument->blockCount() - int(m_ends.size()));
    if (added == 0 && removed == 0)
        return;
    if (removed < 0 || first + removed >= m_ends.size()) {
        // Not a change this class understands: keep the count right.
        m_ends.resize(m_pDocument->blockCount(), New);
        m_done.clear();
        m_undone.clear();
        return;
    }
    if (cause == Cause::Undo && !m_done.isEmpty() && m_done.last().block == first
        && m_done.last().added == removed && m_done.last().removed.size() == added) {
        Revert(m_done.last());
        m_undone.append(m_done.takeLast());
        return;
    }
    if (cause == Cause::Redo && !m_undone.isEmpty() && m_undone.last().block == first
        && m_undone.last().removed.size() == removed && m_undone.last().added == added) {
        Apply(m_undone.last());
        m_done.append(m_undone.takeLast());
        return;
    }
    const Splice splice{first, m_ends.mid(first, removed), added};
    Apply(splice);
    if (cause == Cause::Edit) {
        m_done.append(splice);
    } else {
        m_done.clear(); // lost step with the document's undo history
    }
    m_undone.clear();
}

// Undo and redo add no undo command, and only the count of undo steps is
// already up to date when the document reports their change.
CLineEnds::Cause CLineEnds::CauseOfChange() const
{
    if (m_commandAdded)
        return Cause::Edit;
    const int undoSteps = m_pDocument->availableUndoSteps();
    if (undoSteps < m_undoSteps)
        return Cause::Undo;
    if (undoSteps > m_undoSteps)
        return Cause::Redo;
    return Cause::Edit;
}

// The block at splice.block keeps the end of the last line the edit touched.
void CLineEnds::Apply(const Splice& splice)
{
    m_ends.remove(splice.block, splice.removed.size());
    m_ends.insert(splice.block, splice.added, New);
}

void CLineEnds::Revert(const Splice& splice)
{
    m_ends = m_ends.first(splice.block) + splice.removed + m_ends.sliced(splice.block + splice.added);
}
