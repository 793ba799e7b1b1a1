#pragma once

#include <QString>

// Which files the outside tools accept, by extension (any case).
namespace ZtToolRules {

// The active editor's file can be compiled: ".java".
bool IsJavaSource(const QString& path);
// A file of the Project tree can be compiled: ".java" or ".jav".
bool IsTreeJavaFile(const QString& path);
// The active editor's file is a Perl script: ".pl", ".pll", ".prl" or ".pm".
bool IsPerlScript(const QString& path);

} // namespace ZtToolRules
