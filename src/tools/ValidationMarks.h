#pragma once

#include "editor/LineDecorator.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QVector>

class CSyntaxColorizer;
class QTextDocument;

// The wavy underline under the lines of a page where the last validation
// found an error. A line keeps its mark until its text next changes: lines
// added or removed elsewhere move the mark along with its line, and the
// mark never reaches the text, its undo history or its modified flag.
//
// A line is known by its block and the block's revision (which every edit of
// that line raises), both taken when the text was copied for the check: a
// line edited while the check ran gets no mark.
class CValidationMarks : public QObject, public CLineDecorator
{
    Q_OBJECT
public:
    // The stamp of one line at the time of the copy.
    struct CLineStamp
    {
        int block = -1;    // QTextBlock::fragmentIndex: stays the block's while it exists
        int revision = -1;
    };

    // Decorates the lines that colorizer colours; lives as long as the
    // editor that is its parent.
    CValidationMarks(CSyntaxColorizer* colorizer, QObject* parent);
    ~CValidationMarks() override;

    // Every line of the document as it is now, in order.
    static QVector<CLineStamp> Stamps(const QTextDocument* document);
    // Replaces the marks by the given lines (1-based) of the text that
    // stamps describe.
    void Mark(const QVector<CLineStamp>& stamps, const QVector<int>& lines);
    // Where column (an offset) of line (1-based) of the text that stamps
    // describe is in document now: on that line wherever lines added or
    // removed above took it; at the line's start once its text changed;
    // at the same line number, kept within the document, once it is gone.
    static int PositionOf(const QTextDocument* document, const QVector<CLineStamp>& stamps, int line,
                          qsizetype column);
    void Clear();

    void Decorate(const QTextBlock& block, QList<QTextLayout::FormatRange>& ranges) override;

private:
    QPointer<CSyntaxColorizer> m_pColorizer;
    QHash<int, int> m_revisions; // block -> revision of the marked lines
};
