#pragma once

#include <QString>

// What the Editor Font toolbar asks the active editor to change: either the
// face or the size, never both at once.
struct CCharFormatChange
{
    enum class Field { Face, Size };

    Field field = Field::Face;
    QString face;      // with Field::Face: the face name, at most 31 characters
    int sizeTwips = 0; // with Field::Size: twentieths of a point

    static CCharFormatChange Face(const QString& name) { return {Field::Face, name.left(31), 0}; }
    static CCharFormatChange Size(int twips) { return {Field::Size, QString(), twips}; }
};
