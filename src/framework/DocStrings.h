#pragma once

#include <QString>

// What a document type is called where: the seven fields of its resource
// string, "window title\ndocument name\nnew-file name\nfilter name\nfilter
// extension\nregistry type id\nregistry type name".
struct CDocStrings
{
    QString m_strWindowTitle;
    QString m_strDocName;      // untitled documents are named after it
    QString m_strFileNewName;
    QString m_strFilterName;   // the file dialogs' filter, "Internet Files (*.html)"
    QString m_strFilterExt;    // the extension files of the type carry, ".html"
    QString m_strRegFileTypeId;
    QString m_strRegFileTypeName;

    // The fields of a resource string; fields it lacks stay empty.
    static CDocStrings Parse(const QString& resourceString);
};
