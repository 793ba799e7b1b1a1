#include "projects/FileDrag.h"

#include "editor/SourceEditView.h"
#include "files/FileName.h"
#include "files/ShellFileOperation.h"
#include "framework/MessageBox.h"

#include <QDrag>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <memory>

QMimeData* CFileDrag::MakeMimeData(const QStringList& paths)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data->setUrls(urls);
    data->setText(paths.join(QLatin1Char('\n')));
    // A file, not a folder, becomes a link or image tag on a page.
    if (!paths.isEmpty() && !QFileInfo(paths.first()).isDir())
        data->setData(CSourceEditView::ProgramFileDragFormat(), QFile::encodeName(paths.first()));
    return data;
}

namespace {

CFileDrag::ExecHandler& Handler()
{
    static CFileDrag::ExecHandler handler;
    return handler;
}

} // namespace

void CFileDrag::SetExecHandler(ExecHandler handler)
{
    Handler() = std::move(handler);
}

CFileDrag::CResult CFileDrag::Exec(QWidget* source, const QStringList& paths, const QPixmap& pixmap,
                                   Qt::DropActions actions, Qt::DropAction defaultAction)
{
    return Exec(source, MakeMimeData(paths), pixmap, actions, defaultAction);
}

CFileDrag::CResult CFileDrag::Exec(QWidget* source, QMimeData* data, const QPixmap& pixmap, Qt::DropActions actions,
                                   Qt::DropAction defaultAction)
{
    if (Handler()) {
        const std::unique_ptr<QMimeData> owned(data);
        return Handler()(owned.get(), actions, defaultAction);
    }
    auto* drag = new QDrag(source);
    drag->setMimeData(data);
    if (!pixmap.isNull()) {
        drag->setPixmap(pixmap);
        drag->setHotSpot(QPoint(8, 8));
    }
    CResult result;
    result.m_action = drag->exec(actions, defaultAction);
    result.m_pTarget = drag->target();
    return result;
}

QStringList CFileDrag::DroppedPaths(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths << url.toLocalFile();
    }
    return paths;
}

bool CFileDrag::CopyInto(QWidget* owner, const QStringList& paths, const QString& folder,
                         std::function<void()> onCopied)
{
    if (paths.isEmpty()) {
        ZtMessageBox::Show(QStringLiteral("Action canceled!"), QMessageBox::NoIcon);
        return false;
    }
    const QString destination = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    CShellFileOperation* job = CFileName().ShellCopyFiles(owner, paths, destination);
    QObject* context = owner ? static_cast<QObject*>(owner) : job;
    QObject::connect(job, &CShellFileOperation::finished, context, [onCopied](bool bDone) {
        if (!bDone)
            ZtMessageBox::Show(QStringLiteral("Action canceled!"), QMessageBox::NoIcon);
        else if (onCopied)
            onCopied();
    });
    return true;
}

void CFileDrag::ShowDropOnItem()
{
    ZtMessageBox::Show(QStringLiteral("Drop on an item!"), QMessageBox::NoIcon);
}
