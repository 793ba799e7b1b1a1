#pragma once

#include <QString>

// The reference a page gets for a file: the file's path relative to base
// when it lies below base ("/web/site/images/logo.gif" under "/web/site"
// gives "images/logo.gif"), otherwise the path unchanged. A file lies below
// base only when a "/" follows base in its path, so "/web/site2/a.gif" is
// not below "/web/site". Letter case is kept, since on Linux a link that
// changed it would name another file.
QString MakeRelativePath(QString path, QString base);
