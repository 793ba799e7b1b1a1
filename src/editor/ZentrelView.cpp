#include "editor/ZentrelView.h"

#include "files/AtomicFile.h"
#include "framework/MessageBox.h"
#include "editor/SourceText.h"
#include "editor/SyntaxColorizer.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>

using namespace ZtCmd;

namespace {
CSourceEditView::Settings WebPageSettings()
{
    return {IDR_EDITOR_CONTEXT, 180, CSourceEditView::kWebPageScreenSizeTwips, CSourceEditView::WebPageDefaultFace(),
            true};
}
} // namespace

CZentrelView::CZentrelView()
    : CSourceEditView(WebPageSettings())
    , m_pColorizer(new CSyntaxColorizer(this))
{
    setObjectName(QStringLiteral("ZentrelView"));
}

CZentrelView::~CZentrelView() = default;

namespace {
CZentrelView::FileDropHandler& InstalledFileDropHandler()
{
    static CZentrelView::FileDropHandler handler;
    return handler;
}

CZentrelView::FileOpenHandler& InstalledFileOpenHandler()
{
    static CZentrelView::FileOpenHandler handler;
    return handler;
}

bool OffersLocalFile(const QMimeData* data)
{
    return !data->urls().isEmpty() && data->urls().first().isLocalFile();
}
} // namespace

void CZentrelView::SetFileDropHandler(FileDropHandler handler)
{
    InstalledFileDropHandler() = std::move(handler);
}

void CZentrelView::SetFileOpenHandler(FileOpenHandler handler)
{
    InstalledFileOpenHandler() = std::move(handler);
}

bool CZentrelView::AcceptsFileDrop(const QMimeData* data) const
{
    if (data->hasFormat(OpenFileDragFormat()))
        return InstalledFileOpenHandler() && OffersLocalFile(data);
    return InstalledFileDropHandler() && data->hasFormat(ProgramFileDragFormat()) && OffersLocalFile(data);
}

void CZentrelView::dropEvent(QDropEvent* event)
{
    if (event->mimeData()->hasFormat(OpenFileDragFormat()) && AcceptsFileDrop(event->mimeData())) {
        // Opened after the drop: a new window must not appear while the
        // drag still delivers its events.
        const QString path = event->mimeData()->urls().first().toLocalFile();
        QTimer::singleShot(0, qApp, [handler = InstalledFileOpenHandler(), path] { handler(path); });
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    if (event->mimeData()->hasFormat(KeywordDragFormat())) {
        // The keyword goes where it was let go, as one undoable edit.
        setTextCursor(cursorForPosition(event->position().toPoint()));
        setFocus(Qt::OtherFocusReason);
        ReplaceSelection(QString::fromUtf8(event->mimeData()->data(KeywordDragFormat())));
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    if (!AcceptsFileDrop(event->mimeData())) {
        CSourceEditView::dropEvent(event);
        return;
    }
    // The tag goes where the file was let go, as one edit.
    setTextCursor(cursorForPosition(event->position().toPoint()));
    setFocus(Qt::OtherFocusReason);
    const QString tag = InstalledFileDropHandler()(event->mimeData()->urls().first().toLocalFile());
    if (!tag.isEmpty())
        ReplaceSelection(tag);
    // A copy: the dragged file stays where it is.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CZentrelView::OnOpenRequest(const COpenRequest& request)
{
    m_pColorizer->SetSyntaxColoring(request.m_bSyntaxColoring);
}

void CZentrelView::SetLanguage(const QString& nameOrPath)
{
    m_pColorizer->SetLanguage(nameOrPath);
}

bool CZentrelView::IsSyntaxColoring() const
{
    return m_pColorizer->IsSyntaxColoring();
}

CSourcePrinter::BlockColours CZentrelView::PrintColours() const
{
    if (!m_pColorizer->IsSyntaxColoring())
        return {};
    CSyntaxColorizer* colorizer = m_pColorizer;
    return [colorizer](const QTextBlock& block) { return colorizer->BlockFormats(block); };
}

void CZentrelView::ReplaceSelection(const QString& text)
{
    textCursor().insertText(text);
}

QString CZentrelView::TempPagePath(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return path.left(slash + 1) + QStringLiteral("tempFile.html");
}

QString CZentrelView::WriteTempPage(const QString& path)
{
    const QString tempPath = TempPagePath(path);
    QString reason;
    // The name is ours, not the user's: a link in its place is refused.
    if (!CAtomicFile::WriteScratch(tempPath, CSourceText::TempPageBytes(document()), &reason)) {
        ZtMessageBox::Show(tr("Cannot write the preview page %1.\n%2")
                               .arg(QDir::toNativeSeparators(tempPath), reason),
                           QMessageBox::Warning);
        return QString();
    }
    document()->setModified(true);
    return tempPath;
}
