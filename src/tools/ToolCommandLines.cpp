#include "tools/ToolCommandLines.h"

#include "tools/ShellWords.h"

#include <QFileInfo>

namespace ZtToolCommandLines {

CCommandLine JavaCompile(const QString& javaPath, const QString& compiler, const QString& switches,
                         const QString& sourcePath)
{
    QString folder = javaPath;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    CCommandLine line;
    line.m_strProgram = folder + compiler;
    line.m_arguments = ZtShellWords::Split(switches);
    line.m_arguments.append(sourcePath);
    return line;
}

CCommandLine PerlRun(const QString& perlPath, const QString& switches, const QString& script,
                     const QString& workFile, const QString& outputFile)
{
    CCommandLine line;
    line.m_strProgram = perlPath;
    line.m_arguments = ZtShellWords::Split(switches);
    line.m_arguments.append(script);
    if (!workFile.isEmpty()) {
        line.m_arguments.append(workFile);
        if (!outputFile.isEmpty())
            line.m_arguments.append(outputFile);
    } else if (outputFile.startsWith(QLatin1Char('>'))) {
        QString name = outputFile.mid(1);
        while (name.startsWith(QLatin1Char(' ')))
            name.remove(0, 1);
        line.m_bRedirectOutput = true;
        line.m_strOutputFile = name;
    }
    return line;
}

std::optional<CCommandLine> ConsoleCommand(const QString& executable, const QString& switches,
                                           const QString& parameters)
{
    if (executable.isEmpty() && parameters.isEmpty())
        return std::nullopt;
    CCommandLine line;
    if (executable.isEmpty())
        return line;
    // A blank typed before or after the name is not part of it.
    const QString typed = executable.trimmed();
    // The field may hold the program's first switches too ("perl -w"), split
    // like the switches; a path with blanks that names a file is kept whole,
    // so it need not be quoted.
    const QStringList words = QFileInfo(typed).isFile() ? QStringList{typed} : ZtShellWords::Split(typed);
    line.m_strProgram = words.value(0);
    line.m_arguments = words.mid(1) + ZtShellWords::Split(switches);
    if (!parameters.isEmpty())
        line.m_arguments.append(parameters);
    return line;
}

} // namespace ZtToolCommandLines
