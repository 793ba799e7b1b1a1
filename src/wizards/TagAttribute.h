#pragma once

#include <QString>

// One attribute of a generated tag: the name, "=", the value in double
// quotes exactly as typed, and one blank: NAME="value" .
QString TagAttribute(const char* name, const QString& value);

// Appends TagAttribute(name, value) to text when value has any characters.
// A value of blanks counts: nothing is trimmed.
void AppendAttributeIfSet(QString& text, const char* name, const QString& value);
