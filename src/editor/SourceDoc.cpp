#include "editor/SourceDoc.h"

#include "framework/Archive.h"
#include "framework/MDIChildWnd.h"
#include "framework/MessageBox.h"
#include "framework/View.h"
#include "editor/SourceText.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <utility>

#include <unistd.h>

std::function<bool(const QString&, qsizetype)> CSourceDoc::s_confirmTruncatedOpen =
    [](const QString& path, qsizetype offset) {
        const auto answer = ZtMessageBox::Show(
            QObject::tr("%1 holds binary data: a zero byte at offset %2.\n"
                        "Only the text before it can be shown, and saving the file would keep only that text.\n\n"
                        "Open it anyway?")
                .arg(QDir::toNativeSeparators(path))
                .arg(offset),
            QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        return answer == QMessageBox::Yes;
    };

qint64 CSourceDoc::s_nBackgroundLoadBytes = qint64(1) << 20;

namespace {
// The text before a reload is copied out in slices of this many characters,
// for about this long between events.
constexpr int kCopySliceChars = 1 << 20;
constexpr qint64 kCopyTickMs = 16;

QString DeletedWhileReadMessage(const QString& path)
{
    return CSourceDoc::tr("%1 was deleted while it was being opened.\n"
                          "The window shows the whole text as it was read; save it to keep it.")
        .arg(QDir::toNativeSeparators(path));
}
} // namespace

bool CSourceDoc::OnOpenDocument(const QString& path)
{
    auto* editor = GetFirstView() ? qobject_cast<QPlainTextEdit*>(GetFirstView()->GetWidget()) : nullptr;
    const QFileInfo info(path);
    if (!editor || IsLoading() || !info.isFile() || info.size() < s_nBackgroundLoadBytes)
        return CDocument::OnOpenDocument(path);
    const int descriptor = OpenToLoad(path);
    if (descriptor < 0)
        return false;
    DeleteContents();
    m_bOpenPending = true;
    StartLoad(editor, path, descriptor);
    return true;
}

int CSourceDoc::OpenToLoad(const QString& path)
{
    // The same checks and messages as a file read at once.
    QFile file;
    if (!OpenForReading(path, file))
        return -1;
    if (file.size() > CSourceLoader::s_nLargestFile) {
        ReportError(CSourceLoader::TooLargeMessage(path, file.size()));
        return -1;
    }
    const int descriptor = ::dup(file.handle());
    if (descriptor < 0)
        ReportError(tr("Cannot read %1.\n%2")
                        .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(errno))));
    return descriptor;
}

void CSourceDoc::StartLoad(QPlainTextEdit* editor, const QString& path, int descriptor)
{
    m_pLoader = new CSourceLoader(editor, path, descriptor, s_confirmTruncatedOpen);
    connect(m_pLoader, &CSourceLoader::finished, this, &CSourceDoc::OnLoadFinished);
    m_pLoader->Start();
}

void CSourceDoc::OnCloseDocument()
{
    if (std::exchange(m_bOpenPending, false))
        emit openAbandoned(GetPathName());
    CDocument::OnCloseDocument();
}

bool CSourceDoc::IsLoading() const
{
    return (m_pLoader && m_pLoader->IsRunning()) || m_pReload;
}

void CSourceDoc::CancelLoad()
{
    if (m_pLoader && m_pLoader->IsRunning())
        m_pLoader->Cancel();
    else if (m_pReload)
        EndCopyForReload();
}

void CSourceDoc::OnLoadFinished(CSourceLoader::Outcome outcome, const QString& message)
{
    const CDiskStamp stamp = m_pLoader->StampBeforeReading();
    m_pLoader->deleteLater();
    if (m_pReload) {
        OnReloadFinished(outcome, message, stamp);
        return;
    }
    if (outcome == CSourceLoader::Outcome::Loaded || outcome == CSourceLoader::Outcome::Deleted)
        m_bOpenPending = false;
    switch (outcome) {
    case CSourceLoader::Outcome::Loaded:
        SetDiskStamp(stamp);
        SetSettledDiskStamp(CDiskStamp());
        SetModifiedFlag(false);
        return;
    case CSourceLoader::Outcome::Deleted:
        // Everything was read: keep it, and let closing ask to save it.
        SetDiskStamp(stamp);
        SetSettledDiskStamp(CDiskStamp::Of(GetPathName()));
        SetModifiedFlag(true);
        ReportError(DeletedWhileReadMessage(GetPathName()));
        return;
    case CSourceLoader::Outcome::Changed:
    case CSourceLoader::Outcome::Failed:
    case CSourceLoader::Outcome::Cancelled:
        // No half text stays behind: the window goes.
        OnCloseDocument();
        if (!message.isEmpty())
            ReportError(message);
        return;
    }
}

QTextDocument* CSourceDoc::TextDocument() const
{
    auto* editor = GetFirstView() ? qobject_cast<QPlainTextEdit*>(GetFirstView()->GetWidget()) : nullptr;
    return editor ? editor->document() : nullptr;
}

void CSourceDoc::Serialize(CArchive& ar)
{
    QTextDocument* text = TextDocument();
    if (!text) {
        ar.Fail(tr("The document has no editor."));
        return;
    }
    if (ar.IsStoring()) {
        if (IsLoading()) {
            ar.Fail(tr("%1 is still being opened; it can be saved once all of it is read.")
                        .arg(QDir::toNativeSeparators(GetPathName())));
            return;
        }
        ar.Bytes() = CSourceText::Save(text);
        return;
    }
    const qsizetype nul = CSourceText::FirstNul(ar.Bytes());
    if (nul >= 0 && !s_confirmTruncatedOpen(ar.GetFilePath(), nul)) {
        ar.Cancel();
        return;
    }
    CSourceText::LoadInto(text, ar.Bytes());
    // A file opens with the caret at its start.
    if (auto* editor = qobject_cast<QPlainTextEdit*>(GetFirstView()->GetWidget()))
        editor->moveCursor(QTextCursor::Start);
}

std::function<QByteArray()> CSourceDoc::StoreLater()
{
    QTextDocument* text = TextDocument();
    if (!text || IsLoading())
        return {};
    return [snapshot = CSourceText::Snapshot(text)] { return snapshot.Bytes(); };
}

bool CSourceDoc::IsModified() const
{
    QTextDocument* text = TextDocument();
    return text ? text->isModified() : CDocument::IsModified();
}

void CSourceDoc::SetModifiedFlag(bool modified)
{
    if (QTextDocument* text = TextDocument())
        text->setModified(modified);
    CDocument::SetModifiedFlag(modified);
}

// Where a view stood before its text was read again.
struct CViewPlace
{
    QPointer<QPlainTextEdit> editor;
    int line = 0;
    int column = 0;
    int firstVisibleLine = 0;
    int horizontalScroll = 0;
};

struct CSourceDoc::CReload
{
    QList<CViewPlace> places;
    bool modifiedBefore = false;
    // The file, opened and checked when the reload was asked for.
    int descriptor = -1;
    // The text before the reload, copied out a slice at a time before the
    // load starts: copied is how many characters are in textBefore.text.
    CSourceText textBefore;
    int copied = 0;

    ~CReload()
    {
        if (descriptor >= 0)
            ::close(descriptor);
    }
};

namespace {
QList<CViewPlace> PlacesOf(const QList<CMDIChildWnd*>& frames)
{
    QList<CViewPlace> places;
    for (CMDIChildWnd* frame : frames) {
        auto* editor = frame->GetActiveView() ? qobject_cast<QPlainTextEdit*>(frame->GetActiveView()->GetWidget())
                                              : nullptr;
        if (!editor)
            continue;
        const QTextCursor caret = editor->textCursor();
        places.append({editor, caret.blockNumber(), caret.positionInBlock(), editor->verticalScrollBar()->value(),
                       editor->horizontalScrollBar()->value()});
    }
    return places;
}

void GoBackTo(const QList<CViewPlace>& places)
{
    for (const CViewPlace& place : places) {
        if (!place.editor)
            continue;
        const QTextBlock block = place.editor->document()->findBlockByNumber(
            qMin(place.line, place.editor->document()->blockCount() - 1));
        QTextCursor caret(block);
        caret.setPosition(block.position() + qMin(place.column, block.length() - 1));
        place.editor->setTextCursor(caret);
        // A plain text editor scrolls by lines: the same value shows the same
        // first line.
        place.editor->verticalScrollBar()->setValue(place.firstVisibleLine);
        place.editor->horizontalScrollBar()->setValue(place.horizontalScroll);
    }
}
} // namespace

bool CSourceDoc::ReloadFromDisk()
{
    // Nothing was taken from the file yet.
    if (IsLoading())
        return false;
    const QList<CViewPlace> places = PlacesOf(Frames());
    auto* editor = GetFirstView() ? qobject_cast<QPlainTextEdit*>(GetFirstView()->GetWidget()) : nullptr;
    const QFileInfo info(GetPathName());
    if (editor && info.isFile() && info.size() >= s_nBackgroundLoadBytes) {
        const int descriptor = OpenToLoad(GetPathName());
        if (descriptor < 0)
            return false;
        // The text is copied out first, a slice between events, so that a
        // reload that cannot finish can put it back; it cannot be edited
        // meanwhile.
        m_pReload = std::make_shared<CReload>();
        m_pReload->places = places;
        m_pReload->modifiedBefore = IsModified();
        m_pReload->descriptor = descriptor;
        editor->setReadOnly(true);
        CopyForReloadLater();
        return true;
    }
    // The base class reads the file without announcing it as the file the
    // user works on now: the reload is not the user's doing.
    if (!CDocument::OnOpenDocument(GetPathName()))
        return false;
    GoBackTo(places);
    return true;
}

void CSourceDoc::CopyForReloadLater()
{
    // Only for the reload that asked: one cancelled meanwhile has no more turns.
    QTimer::singleShot(0, this, [this, reload = std::weak_ptr<CReload>(m_pReload)] {
        if (!reload.expired() && reload.lock() == m_pReload)
            CopyForReload();
    });
}

void CSourceDoc::CopyForReload()
{
    QTextDocument* text = TextDocument();
    if (!text) {
        m_pReload.reset();
        return;
    }
    CReload& reload = *m_pReload;
    QElapsedTimer tick;
    tick.start();
    const int length = text->characterCount() - 1;
    QTextCursor slice(text);
    while (reload.copied < length && tick.elapsed() < kCopyTickMs) {
        slice.setPosition(reload.copied);
        reload.copied = qMin(length, reload.copied + kCopySliceChars);
        slice.setPosition(reload.copied, QTextCursor::KeepAnchor);
        // Raw text: blocks joined by U+2029, nothing else changed.
        reload.textBefore.text += slice.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    }
    if (reload.copied < length) {
        CopyForReloadLater();
        return;
    }
    reload.textBefore = CSourceText::Snapshot(text, std::move(reload.textBefore.text));
    // The text on screen is about to become the file's: the window says so
    // now, while the document's signals are still heard.
    SetModifiedFlag(false);
    auto* editor = qobject_cast<QPlainTextEdit*>(GetFirstView()->GetWidget());
    StartLoad(editor, GetPathName(), std::exchange(reload.descriptor, -1));
}

void CSourceDoc::EndCopyForReload()
{
    m_pReload.reset();
    if (auto* editor = GetFirstView() ? qobject_cast<QPlainTextEdit*>(GetFirstView()->GetWidget()) : nullptr)
        editor->setReadOnly(false);
    SetSettledDiskStamp(CDiskStamp::Of(GetPathName()));
}

void CSourceDoc::OnReloadFinished(CSourceLoader::Outcome outcome, const QString& message, const CDiskStamp& stamp)
{
    const std::shared_ptr<CReload> reload = std::move(m_pReload);
    switch (outcome) {
    case CSourceLoader::Outcome::Loaded:
        SetDiskStamp(stamp);
        SetSettledDiskStamp(CDiskStamp());
        SetModifiedFlag(false);
        GoBackTo(reload->places);
        return;
    case CSourceLoader::Outcome::Deleted:
        SetDiskStamp(stamp);
        SetSettledDiskStamp(CDiskStamp::Of(GetPathName()));
        SetModifiedFlag(true);
        GoBackTo(reload->places);
        ReportError(DeletedWhileReadMessage(GetPathName()));
        return;
    case CSourceLoader::Outcome::Changed:
    case CSourceLoader::Outcome::Failed:
    case CSourceLoader::Outcome::Cancelled:
        // The text goes back as it was; the file as it is now counts as
        // seen, as after a reload that fails at once.
        if (QTextDocument* text = TextDocument())
            CSourceText::LoadInto(text, reload->textBefore.Bytes());
        SetSettledDiskStamp(CDiskStamp::Of(GetPathName()));
        SetModifiedFlag(reload->modifiedBefore);
        GoBackTo(reload->places);
        if (!message.isEmpty())
            ReportError(message);
        return;
    }
}
