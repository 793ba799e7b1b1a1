#include "wizards/TagEdit.h"

#include "res/CommandIds.h"

#include <initializer_list>

namespace {
bool IsOneOf(QStringView name, std::initializer_list<const char*> names)
{
    for (const char* candidate : names) {
        if (name.compare(QLatin1String(candidate), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}
} // namespace

bool WizardEditsTag(int commandId, QStringView name)
{
    switch (commandId) {
    case ZtCmd::ID_BODY_WIZARD:
        return IsOneOf(name, {"BODY"});
    case ZtCmd::ID_FONT_WIZARD:
        return IsOneOf(name, {"FONT", "BASEFONT"});
    case ZtCmd::ID_TABLE_WIZARD:
        return IsOneOf(name, {"TABLE"});
    case ZtCmd::ID_IMAGE_WIZARD:
        return IsOneOf(name, {"IMG"});
    case ZtCmd::ID_ALIGN_WIZARD:
        // Its text is a run of attributes meant for the start tag being
        // written: it goes in at the caret, inside a tag or not.
        return false;
    case ZtCmd::ID_LIST_WIZARD:
        return IsOneOf(name, {"UL", "OL"});
    default:
        return false;
    }
}

QString EditedStartTag(QString startTag, const QList<CParsedAttribute>& kept)
{
    if (startTag.endsWith(QLatin1Char('\n')))
        startTag.chop(1);
    return WithKeptAttributes(startTag, kept);
}

QString WithKeptAttributes(const QString& startTag, const QList<CParsedAttribute>& kept)
{
    if (kept.isEmpty() || !startTag.endsWith(QLatin1Char('>')))
        return startTag;
    QString attributes;
    for (const CParsedAttribute& attribute : kept)
        attributes += attribute.m_strSpelling + QLatin1Char(' ');
    const qsizetype close = startTag.size() - 1;
    if (close > 0 && startTag[close - 1] != QLatin1Char(' '))
        attributes.prepend(QLatin1Char(' '));
    return QString(startTag).insert(close, attributes);
}
