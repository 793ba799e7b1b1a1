#include "framework/Document.h"

#include "framework/Archive.h"
#include "files/AtomicFile.h"
#include "framework/DocTemplate.h"
#include "framework/MessageBox.h"
#include "framework/MDIChildWnd.h"
#include "files/RegularFile.h"
#include "framework/View.h"
#include "framework/KeysBack.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace {
QString& DefaultDirectory()
{
    static QString folder = QDir::currentPath();
    return folder;
}
} // namespace

namespace {
// Every document alive, so that a save can tell whether another window holds
// the file it would replace.
QList<CDocument*>& LiveDocuments()
{
    static QList<CDocument*> documents;
    return documents;
}
} // namespace

CDocument::CDocument()
{
    LiveDocuments().append(this);
    OnCommand(ZtCmd::ID_FILE_SAVE, [this] { DoFileSave(); });
    OnCommand(ZtCmd::ID_FILE_SAVE_AS, [this] { DoSave(QString()); });
    OnCommand(ZtCmd::ID_FILE_CLOSE, [this] {
        if (SaveModified())
            OnCloseDocument();
    });
}

CDocument::~CDocument()
{
    LiveDocuments().removeOne(this);
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
}

bool CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OpenForReading(const QString& path, QFile& file) const
{
    const QString problem = CRegularFile::Problem(path);
    if (!problem.isEmpty()) {
        ReportError(problem);
        return false;
    }
    QString openError;
    if (!CRegularFile::OpenForReading(path, file, &openError)) {
        ReportError(openError);
        return false;
    }
    return true;
}

bool CDocument::OnOpenDocument(const QString& path)
{
    QFile file;
    if (!OpenForReading(path, file))
        return false;
    // Taken before the bytes are read: another program writing meanwhile
    // then shows as a change at the next check instead of passing unseen.
    const CDiskStamp stampBeforeReading = CDiskStamp::Of(path);
    CArchive archive(CArchive::Mode::Load, path);
    archive.Bytes() = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        ReportError(tr("Cannot read %1.\n%2").arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    DeleteContents();
    Serialize(archive);
    if (archive.HasFailed()) {
        if (!archive.ErrorMessage().isEmpty())
            ReportError(archive.ErrorMessage());
        return false;
    }
    m_diskStamp = stampBeforeReading;
    m_settledDiskStamp = CDiskStamp();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const QString& path)
{
    CArchive archive(CArchive::Mode::Store, path);
    Serialize(archive);
    if (archive.HasFailed()) {
        if (!archive.ErrorMessage().isEmpty())
            ReportError(archive.ErrorMessage());
        return false;
    }
    // CAtomicFile replaces the file only when every byte reached the disk, so
    // a full disk or a crash never leaves a half-written file behind.
    QString reason;
    if (!CAtomicFile::Write(path, archive.Bytes(), &reason)) {
        ReportError(tr("Cannot save %1.\n%2\nThe file on disk was left unchanged.")
                        .arg(QDir::toNativeSeparators(path), reason));
        return false;
    }
    m_diskStamp = CDiskStamp::Of(path);
    m_settledDiskStamp = CDiskStamp();
    SetModifiedFlag(false);
    emit fileSaved(path);
    return true;
}

bool CDocument::OnRecoverDocument(const QString& path, const QByteArray& bytes)
{
    CArchive archive(CArchive::Mode::Load, path);
    archive.Bytes() = bytes;
    DeleteContents();
    Serialize(archive);
    if (archive.HasFailed()) {
        if (!archive.ErrorMessage().isEmpty())
            ReportError(archive.ErrorMessage());
        return false;
    }
    SetModifiedFlag(true);
    return true;
}

void CDocument::OnCloseDocument()
{
    if (m_bClosing)
        return;
    m_bClosing = true;
    const QList<CMDIChildWnd*> frames = Frames();
    for (CMDIChildWnd* frame : frames) {
        frame->setAttribute(Qt::WA_DeleteOnClose);
        frame->close();
    }
    DeleteContents();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
    m_pDocTemplate = nullptr;
    deleteLater();
}

void CDocument::Serialize(CArchive&)
{
}

std::function<QByteArray()> CDocument::StoreLater()
{
    CArchive archive(CArchive::Mode::Store, m_strPathName);
    Serialize(archive);
    if (archive.HasFailed())
        return {};
    return [bytes = archive.Bytes()] { return bytes; };
}

void CDocument::SetPathName(const QString& path, bool addToRecentList)
{
    m_strPathName = QFileInfo(path).absoluteFilePath();
    SetTitle(QFileInfo(path).fileName());
    emit pathNameChanged(m_strPathName, addToRecentList);
}

void CDocument::FollowMovedFile(const QString& path)
{
    // A new path may clear the modified flag (a page named by Save As is
    // saved); a page that only moved keeps its unsaved changes.
    const bool modified = IsModified();
    SetPathName(path);
    if (modified && !IsModified())
        SetModifiedFlag(true);
    m_diskStamp = CDiskStamp::Of(path);
    m_settledDiskStamp = CDiskStamp();
}

void CDocument::SetTitle(const QString& title)
{
    m_strTitle = title;
    emit titleChanged();
}

void CDocument::SetModifiedFlag(bool modified)
{
    if (m_bModified == modified)
        return;
    m_bModified = modified;
    emit modifiedChanged(modified);
}

bool CDocument::SaveModified()
{
    if (!IsModified())
        return true;
    const QString name = m_strPathName.isEmpty() ? m_strTitle : QDir::toNativeSeparators(m_strPathName);
    const auto answer = ZtMessageBox::Show(tr("Save changes to %1?").arg(name), QMessageBox::Warning,
                                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                           QMessageBox::Yes);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::No)
        return true;
    return DoFileSave();
}

bool CDocument::DoFileSave()
{
    const QFileInfo info(m_strPathName);
    if (m_strPathName.isEmpty() || (info.exists() && !info.isWritable()))
        return DoSave(QString());
    if (FollowsFileOnDisk() && info.exists() && IsChangedOnDisk()) {
        const auto answer = ZtMessageBox::Show(
            tr("%1 was changed by another program since it was opened here.\n"
               "Do you want to replace it with this text?")
                .arg(QDir::toNativeSeparators(m_strPathName)),
            QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return DoSave(QString());
        return DoSave(m_strPathName);
    }
    if (m_bPathNotYetWritten && info.exists()) {
        const auto answer = ZtMessageBox::Show(
            tr("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(m_strPathName)),
            QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return DoSave(QString());
    }
    return DoSave(m_strPathName);
}

bool CDocument::IsChangedOnDisk() const
{
    return !m_diskStamp.IsNull() && !m_strPathName.isEmpty() && CDiskStamp::Of(m_strPathName) != m_diskStamp;
}

bool CDocument::ReloadFromDisk()
{
    return OnOpenDocument(m_strPathName);
}

QString CDocument::SaveAsDirectory() const
{
    if (!m_strPathName.isEmpty())
        return QFileInfo(m_strPathName).absolutePath();
    return DefaultDirectory();
}

void CDocument::SetDefaultDirectory(const QString& folder)
{
    DefaultDirectory() = folder;
}

bool CDocument::DoSave(const QString& path, bool replacePath)
{
    QString target = path;
    if (target.isEmpty()) {
        QString suggested = m_strTitle;
        const QString extension = m_pDocTemplate ? m_pDocTemplate->Strings().m_strFilterExt : QString();
        if (!extension.isEmpty() && !suggested.contains(QLatin1Char('.')))
            suggested += extension.trimmed();
        QString filter;
        if (m_pDocTemplate && !m_pDocTemplate->Strings().m_strFilterName.isEmpty())
            filter = m_pDocTemplate->Strings().m_strFilterName.trimmed() + QStringLiteral(";;");
        filter += tr("All Files (*)");
        QWidget* owner = QApplication::activeWindow();
        target = QFileDialog::getSaveFileName(owner, tr("Save As"),
                                              SaveAsDirectory() + QLatin1Char('/') + suggested, filter);
        // Without a window manager nothing gives the keys back once the
        // dialog has closed.
        ZtGiveKeysBack(owner);
        if (target.isEmpty())
            return false;
    }
    if (const CDocument* holder = OtherDocumentAt(target)) {
        ReportError(tr("%1 is open in another window.\nClose that window first, or save under another name.")
                        .arg(QDir::toNativeSeparators(holder->GetPathName())));
        return false;
    }
    if (!OnSaveDocument(target))
        return false;
    m_bPathNotYetWritten = false;
    if (replacePath)
        SetPathName(target);
    return true;
}

const CDocument* CDocument::OtherDocumentAt(const QString& path) const
{
    const QString target = QFileInfo(path).absoluteFilePath();
    for (const CDocument* document : std::as_const(LiveDocuments())) {
        if (document != this && document->FollowsFileOnDisk() && !document->GetPathName().isEmpty()
            && QFileInfo(document->GetPathName()).absoluteFilePath() == target)
            return document;
    }
    return nullptr;
}

QList<CMDIChildWnd*> CDocument::Frames() const
{
    QList<CMDIChildWnd*> frames;
    for (const QPointer<CMDIChildWnd>& frame : m_frames) {
        if (frame)
            frames.append(frame);
    }
    return frames;
}

CView* CDocument::GetFirstView() const
{
    for (const QPointer<CMDIChildWnd>& frame : m_frames) {
        if (frame && frame->GetActiveView())
            return frame->GetActiveView();
    }
    return nullptr;
}

void CDocument::AddFrame(CMDIChildWnd* frame)
{
    m_frames.append(frame);
    connect(this, &CDocument::titleChanged, frame, &CMDIChildWnd::OnUpdateFrameTitle);
    connect(this, &CDocument::modifiedChanged, frame, &CMDIChildWnd::OnUpdateFrameTitle);
}

void CDocument::OnFrameDestroyed(CMDIChildWnd* frame)
{
    m_frames.removeAll(frame);
    m_frames.removeAll(nullptr);
    if (m_frames.isEmpty())
        OnCloseDocument();
}

bool CDocument::CanCloseFrame(CMDIChildWnd* frame)
{
    if (m_bClosing)
        return true;
    for (const QPointer<CMDIChildWnd>& other : m_frames) {
        if (other && other != frame)
            return true; // another view of the document stays open
    }
    return SaveModified();
}

void CDocument::ReportError(const QString& message) const
{
    ZtMessageBox::Show(message, QMessageBox::Warning);
}
