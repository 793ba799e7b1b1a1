#pragma once

#include <QString>

// Whether a file may be syntax coloured, from the "Settings" values
// "SyntaxColoringOn" and "SyntaxFileSize" in the profile and the file's size.
// 1 or more means yes (it is then the size limit); 0 means no; -1 means no
// limit has been set, which also means no colouring. A file that does not
// exist yet counts as empty.
int CheckSyntaxColoring(const QString& path);

// The profile value that has HTML pages coloured by their structure rather
// than by keywords: "Settings"/"SyntaxColoringByStructure", 0 (the default)
// or 1.
extern const char* const kColourByStructureKey;
// Whether pages opened from now on are coloured by structure.
bool IsColourByStructureOn();
