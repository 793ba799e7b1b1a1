#pragma once

#include <QString>
#include <QStringList>

// Words as a POSIX shell reads them, without anything a shell would run or
// expand: no variables, no command substitution, no globbing, no tilde. The
// split only decides where one argument ends and the next begins.
namespace ZtShellWords {

// Splits text at unquoted blanks (spaces, tabs, newlines). Single quotes keep
// everything up to the next single quote; double quotes keep everything up to
// the next unescaped double quote, a backslash in them escaping only ", \, $,
// ` and a newline; outside quotes a backslash keeps the next character. An
// unclosed quote runs to the end of the text. "" and '' give an empty word.
QStringList Split(const QString& text);

// word quoted so that a POSIX shell reads it back as exactly that one word:
// unchanged when it holds only characters no shell treats specially, else in
// single quotes (a single quote written as '\'').
QString Quote(const QString& word);

// Every word quoted and joined with blanks: a command line a user can paste
// into a shell.
QString Join(const QStringList& words);

} // namespace ZtShellWords
