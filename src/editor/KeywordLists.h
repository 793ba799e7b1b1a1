#pragma once

#include <QString>

// The keyword lists of the languages the editor colours.
//
// Each list is one string: the words joined by single spaces, with one space
// before the first word and one after the last, so that a word is in the list
// exactly when " word " occurs in it. Some entries (HTTP-EQUIV, G92.1,
// [$FIXTURE]) can never be a whole scanned word and therefore never match;
// they are kept so the lists stay exactly as published to users.
class CKeywordLists
{
public:
    static const QString& HtmlTags();          // HTML primary
    static const QString& HtmlColors();        // HTML secondary
    static const QString& StyleProperties();   // style sheet primary
    static const QString& StyleValues();       // style sheet secondary
    static const QString& PerlFunctions();     // Perl primary
    static const QString& CgiVariables();      // Perl secondary
    static const QString& CncCodes();          // CNC primary
    static const QString& CncMacroWords();     // CNC secondary
    static const QString& VbsKeywords();       // VBScript primary
    static const QString& VbsConstants();      // VBScript secondary
    static const QString& JavaKeywords();      // Java primary
    static const QString& JavaSecondary();     // Java secondary
};
