#include "editor/LanguageTable.h"

#include "files/FileKinds.h"
#include "editor/KeywordLists.h"

#include <array>

namespace {

struct ExtensionEntry
{
    const char* extension;
    int language; // index into Languages()
};

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

// In the order the extensions are tried.
constexpr ExtensionEntry kExtensions[] = {
    {".html", 0}, {".htm", 0}, {".css", 1},  {".perl", 2}, {".prl", 2},
    {".pl", 2},   {".cnc", 3}, {".vbs", 4}, {".java", 5},
};

} // namespace

const CLanguageTable::Language* CLanguageTable::ForExtension(const QString& extension)
{
    for (const ExtensionEntry& entry : kExtensions) {
        if (extension == QLatin1String(entry.extension))
            return &Languages()[entry.language];
    }
    return nullptr;
}

const CLanguageTable::Language* CLanguageTable::ForFileName(const QString& nameOrPath)
{
    const QString extension = FileExtension(nameOrPath);
    if (extension.isEmpty())
        return nullptr;
    return ForExtension(extension);
}

QString CLanguageTable::QuoteChars(const Language* language)
{
    return language ? QStringLiteral("\"") : QString();
}
