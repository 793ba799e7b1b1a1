#include "editor/PlainTextDoc.h"

bool CPlainTextDoc::OnOpenDocument(const QString& path)
{
    if (!CSourceDoc::OnOpenDocument(path))
        return false;
    // Only a file that opened becomes the current file.
    emit currentFileChanged(path);
    return true;
}
