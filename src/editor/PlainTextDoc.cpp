#include "editor/PlainTextDoc.h"

#include "app/ZentrelApp.h"

bool CPlainTextDoc::OnOpenDocument(const QString& path)
{
    if (!CSourceDoc::OnOpenDocument(path))
        return false;
    // Only a file that opened becomes the current file.
    if (ZtApp())
        ZtApp()->m_strCurrentFile = path;
    return true;
}
