#pragma once

#include <QString>
#include <QStringList>

// A program to start and the arguments it gets, each one word whatever it
// holds: nothing here is ever read by a shell. A file name with blanks,
// quotes, ";" or "$( )" reaches the program as that one argument.
struct CCommandLine
{
    QString m_strProgram; // empty: nothing to run
    QStringList m_arguments;
    // The program's standard output goes into this file, which the console
    // runner creates or empties first.
    bool m_bRedirectOutput = false;
    QString m_strOutputFile;

    bool IsEmpty() const { return m_strProgram.isEmpty(); }
    // The program followed by its arguments.
    QStringList Words() const { return QStringList{m_strProgram} + m_arguments; }

    friend bool operator==(const CCommandLine&, const CCommandLine&) = default;
};
