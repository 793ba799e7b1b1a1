#include "tools/ValidationMarks.h"

#include "editor/SyntaxColorizer.h"

#include <QTextBlock>
#include <QTextDocument>

CValidationMarks::CValidationMarks(CSyntaxColorizer* colorizer, QObject* parent)
    : QObject(parent)
    , m_pColorizer(colorizer)
{
    m_pColorizer->AddDecorator(this);
}

CValidationMarks::~CValidationMarks()
{
    // The colorizer may have gone first, with the editor that owns both.
    if (m_pColorizer)
        m_pColorizer->RemoveDecorator(this);
}

QVector<CValidationMarks::CLineStamp> CValidationMarks::Stamps(const QTextDocument* document)
{
    QVector<CLineStamp> stamps;
    stamps.reserve(document->blockCount());
    for (QTextBlock block = document->firstBlock(); block.isValid(); block = block.next())
        stamps.append({block.fragmentIndex(), block.revision()});
    return stamps;
}

void CValidationMarks::Mark(const QVector<CLineStamp>& stamps, const QVector<int>& lines)
{
    m_revisions.clear();
    for (int line : lines) {
        if (line >= 1 && line <= stamps.size())
            m_revisions.insert(stamps.at(line - 1).block, stamps.at(line - 1).revision);
    }
    if (m_pColorizer)
        m_pColorizer->RedecorateAll();
}

int CValidationMarks::PositionOf(const QTextDocument* document, const QVector<CLineStamp>& stamps, int line,
                                  qsizetype column)
{
    const QTextBlock atNumber = document->findBlockByNumber(qBound(0, line - 1, document->blockCount() - 1));
    if (line < 1 || line > stamps.size())
        return atNumber.position();
    const CLineStamp& stamp = stamps.at(line - 1);
    // Most often nothing above the line changed; else the block is looked
    // for among all of them, as a block knows no way back from its index.
    QTextBlock block = atNumber;
    if (block.fragmentIndex() != stamp.block) {
        block = document->firstBlock();
        while (block.isValid() && block.fragmentIndex() != stamp.block)
            block = block.next();
    }
    if (!block.isValid())
        return atNumber.position();
    if (block.revision() != stamp.revision)
        return block.position();
    return block.position() + int(qBound(qsizetype(0), column, qsizetype(block.length() - 1)));
}

void CValidationMarks::Clear()
{
    if (m_revisions.isEmpty())
        return;
    m_revisions.clear();
    if (m_pColorizer)
        m_pColorizer->RedecorateAll();
}

void CValidationMarks::Decorate(const QTextBlock& block, QList<QTextLayout::FormatRange>& ranges)
{
    const auto found = m_revisions.constFind(block.fragmentIndex());
    if (found == m_revisions.cend() || *found != block.revision() || block.length() <= 1)
        return;
    QTextCharFormat underline;
    underline.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    underline.setUnderlineColor(Qt::red);
    ranges.append({0, block.length() - 1, underline});
}
