#pragma once

#include "tools/CommandLine.h"

#include <optional>

// The command lines of the outside tools: the Java compiler, the Perl
// interpreter and a console command. Switches typed by the user are split
// into words the way a shell splits them (ZtShellWords::Split), with no
// expansion; every path stays one argument.
namespace ZtToolCommandLines {

// The compiler compiler (a file name such as "javac") in the folder
// javaPath, with the switches, compiling sourcePath.
CCommandLine JavaCompile(const QString& javaPath, const QString& compiler, const QString& switches,
                         const QString& sourcePath);

// The interpreter perlPath with the switches running script. A work file is
// the script's first argument and the output file, then, its second. Without
// a work file an output file starting with ">" receives the script's
// standard output (the name is what follows the ">" and any blanks); one
// without ">" is left out.
CCommandLine PerlRun(const QString& perlPath, const QString& switches, const QString& script,
                     const QString& workFile, const QString& outputFile);

// The executable with its switches and the parameters as one argument. The
// executable field is split into words like the switches ("perl -w" runs
// perl with -w), unless it names an existing file as it stands.
// Nothing (nullopt) when both the executable and the parameters are empty;
// an empty command line when only the executable is.
std::optional<CCommandLine> ConsoleCommand(const QString& executable, const QString& switches,
                                           const QString& parameters);

} // namespace ZtToolCommandLines
