#pragma once

#include <QPointer>
#include <QString>
#include <QTextDocument>

// A document open in the editor: site-wide tools read and change it there,
// unsaved changes and all, rather than its file on disk.
struct COpenText
{
    QString path;
    QPointer<QTextDocument> document;
};
