#include "wizards/TagReader.h"

QString CTagReader::Take(const char* name)
{
    m_taken.append(QString::fromLatin1(name).toUpper());
    return Value(name);
}

QString CTagReader::Value(const char* name) const
{
    const CParsedAttribute* attribute = m_tag.Find(QString::fromLatin1(name));
    return attribute ? attribute->m_strValue : QString();
}

QList<CParsedAttribute> CTagReader::Kept() const
{
    QList<CParsedAttribute> kept;
    for (const CParsedAttribute& attribute : m_tag.m_attributes) {
        if (!m_taken.contains(attribute.m_strName.toUpper()))
            kept.append(attribute);
    }
    return kept;
}
