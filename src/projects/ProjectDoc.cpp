#include "projects/ProjectDoc.h"

#include "framework/Archive.h"

void CProjectDoc::Serialize(CArchive&)
{
    // The project file's contents are read by the project tree; the document
    // itself only stands for the open project.
}
