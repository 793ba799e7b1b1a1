#pragma once
// How the colouring tests write a token: class:text@column, with the classes
// "kw1" (primary keyword), "kw2" (secondary keyword), "str", "num", "other",
// and the structural classes by the names tools print ("tag", "css-value").

#include "editor/SyntaxToken.h"

#include <QString>
#include <QStringView>

namespace ZtTest {

inline QString TokenClassName(ZtTokenClass tokenClass)
{
    static const char* const names[] = {"other", "kw1", "kw2", "str", "num"};
    if (tokenClass > ZtTokenClass::Number) // structural classes by their own names
        return QLatin1String(ZtTokenClassName(tokenClass));
    return QLatin1String(names[int(tokenClass)]);
}

// One token as class:text@start, where text is the token's part of line.
inline QString DescribeToken(ZtTokenClass tokenClass, QStringView line, int start, int length)
{
    return QStringLiteral("%1:%2@%3")
        .arg(TokenClassName(tokenClass), line.mid(start, length).toString())
        .arg(start);
}

} // namespace ZtTest
