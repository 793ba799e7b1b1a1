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
