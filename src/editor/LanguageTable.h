#pragma once

#include <QString>

// The keyword lists of the language a file's extension selects (the file
// kinds table says which). A file of no listed language gets no language (it
// is still coloured, all as other text).
class CLanguageTable
{
public:
    struct Language
    {
        const char* name;            // "HTML", "CSS", ...: for messages and tools
        const QString* primaryList;  // list form: " word word "
        const QString* secondaryList;
    };

    // The language of an extension as FileExtension gives it (lower-cased,
    // with its dot), or null.
    static const Language* ForExtension(const QString& extension);
    // The language of a file name or path, or null.
    static const Language* ForFileName(const QString& nameOrPath);

    // The quote characters of a language: the double quote for every listed
    // language, none without a language.
    static QString QuoteChars(const Language* language);
};
