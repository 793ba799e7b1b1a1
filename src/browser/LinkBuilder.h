#pragma once

#include <QString>

// The tag a file dropped onto a page becomes: an anchor for a page, an image
// tag for a picture, nothing for any other file. The path in the tag is
// relative to the pages' base directory.
class CLinkBuilder
{
public:
    static QString BuildTagForFile(const QString& path, const QString& baseDirectory);
};
