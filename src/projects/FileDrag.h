#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>

#include <functional>

class QMimeData;
class QObject;
class QWidget;

// The one way files are dragged out of the Project tree and the file list,
// and dropped on the trees: the drag carries the paths as file URLs (so a
// file manager or another program takes them too), as text, and, for a
// file, in the format a page editor turns into a link or image tag.
class CFileDrag
{
public:
    struct CResult
    {
        Qt::DropAction m_action = Qt::IgnoreAction;
        // The window the drag ended over when it belongs to this program;
        // null over another program or nowhere.
        QObject* m_pTarget = nullptr;
    };

    // The drag's data; the first path is the one a page editor links to.
    static QMimeData* MakeMimeData(const QStringList& paths);
    // Drags paths from source until the button is let go.
    static CResult Exec(QWidget* source, const QStringList& paths, const QPixmap& pixmap,
                        Qt::DropActions actions, Qt::DropAction defaultAction);
    // The same with data made beforehand; the drag takes it over.
    static CResult Exec(QWidget* source, QMimeData* data, const QPixmap& pixmap, Qt::DropActions actions,
                        Qt::DropAction defaultAction);
    // Runs every drag instead of the window system while set (tests have no
    // pointer to let go): it gets the drag's data and the actions offered.
    using ExecHandler = std::function<CResult(const QMimeData* data, Qt::DropActions actions,
                                              Qt::DropAction defaultAction)>;
    static void SetExecHandler(ExecHandler handler);

    // The local files a drop offers; empty when it offers anything else.
    static QStringList DroppedPaths(const QMimeData* data);
    // Starts copying paths into folder; onCopied runs (while owner lives)
    // once everything was copied. A refusal, a failure or a cancel tells the
    // user "Action canceled!"; false when there was nothing to copy.
    static bool CopyInto(QWidget* owner, const QStringList& paths, const QString& folder,
                         std::function<void()> onCopied);
    // Tells the user a drop needs an item under the cursor.
    static void ShowDropOnItem();
};
