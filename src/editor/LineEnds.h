#pragma once

#include <QObject>
#include <QVector>

class QTextDocument;

// The end of every line of a source document, kept in step with its edits.
//
// QTextDocument keeps no line ends of its own, so this records, for each
// block, the bytes that followed its text in the file. The rule for edits is
// that an edit changes only the bytes it touched: a line's end stays after the
// text it followed, wherever that text goes, and every line break the edit
// makes is New (written as the file's most frequent end). Undo and redo put
// back exactly the ends they took away.
//
// It lives as a child of the document it tracks.
class CLineEnds : public QObject
{
    Q_OBJECT
public:
    static constexpr quint8 New = 0xFF;

    // Starts tracking the document, whose blocks have just been loaded with
    // the given ends (one per line break). Replaces an earlier tracker.
    static void Attach(QTextDocument* document, const QVector<quint8>& ends);
    // The tracker of a document, or null when it was never loaded from bytes.
    static const CLineEnds* Of(const QTextDocument* document);

    // The end after a block's text: a CSourceText::LineEnd, or New.
    quint8 EndOf(int blockNumber) const;

private:
    // One edit's effect on the ends: at block `block`, the ends `removed` were
    // taken away and `added` new breaks were made.
    struct Splice
    {
        int block;
        QVector<quint8> removed;
        int added;
    };
    enum class Cause { Edit, Undo, Redo };

    CLineEnds(QTextDocument* document, const QVector<quint8>& ends);
    void OnContentsChange(int position, int charsRemoved, int charsAdded);
    Cause CauseOfChange() const;
    void Apply(const Splice& splice);
    void Revert(const Splice& splice);

    QTextDocument* m_pDocument;
    // One entry per block; the last block's entry is never written.
    QVector<quint8> m_ends;
    QVector<Splice> m_undone;
    QVector<Splice> m_done;
    int m_undoSteps = 0;
    bool m_commandAdded = false;
};
