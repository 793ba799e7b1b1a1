#pragma once

#include <QObject>
#include <QString>

// Announces the files and folders the program itself moved or renamed, so
// that whatever holds one of those paths open can follow it to its new
// place instead of taking it for deleted by someone else. The shell file
// operations report here once a move is done; the document templates listen.
class CFileMoveNotifier : public QObject
{
    Q_OBJECT
public:
    static CFileMoveNotifier* Instance();

    // from now lies at to, whole: a folder's contents went with it.
    void ReportMoved(const QString& from, const QString& to);

    // Where path is after from was moved to to: to itself, or the same place
    // below a moved folder; empty when path was not touched by the move.
    static QString MovedPath(const QString& path, const QString& from, const QString& to);

signals:
    void pathMoved(const QString& from, const QString& to);
};
