#include "editor/LanguageTable.h"

#include "files/FileKinds.h"
#include "editor/KeywordLists.h"

#include <array>

namespace {


const std::array<CLanguageTable::Language, 6>& Languages()
{
    static const std::array<CLanguageTable::Language, 6> languages = {{
        {"HTML", &CKeywordLists::HtmlTags(), &CKeywordLists::HtmlColors()},
        {"CSS", &CKeywordLists::StyleProperties(), &CKeywordLists::StyleValues()},
        {"Perl", &CKeywordLists::PerlFunctions(), &CKeywordLists::CgiVariables()},
        {"CNC", &CKeywordLists::CncCodes(), &CKeywordLists::CncMacroWords()},
        {"VBScript", &CKeywordLists::VbsKeywords(), &CKeywordLists::VbsConstants()},
        {"Java", &CKeywordLists::JavaKeywords(), &CKeywordLists::JavaSecondary()},
    }};
    return languages;
}


} // namespace

const CLanguageTable::Language* CLanguageTable::ForExtension(const QString& extension)
{
    const CFileKind* kind = FindFileKind(extension);
    if (!kind || kind->language == ZtLanguage::None)
        return nullptr;
    return &Languages()[int(kind->language)];
}

const CLanguageTable::Language* CLanguageTable::ForFileName(const QString& nameOrPath)
{
    return ForExtension(FileExtension(nameOrPath));
}

QString CLanguageTable::QuoteChars(const Language* language)
{
    return language ? QStringLiteral("\"") : QString();
}
