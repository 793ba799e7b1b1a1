#include "app/UnsavedWork.h"

#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/RecoveryFolder.h"
#include "framework/RecoveryJournal.h"
#include "framework/KeysBack.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

namespace {
CUnsavedWork::Asker& InstalledAsker()
{
    static CUnsavedWork::Asker asker;
    return asker;
}

QWidget* MainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->inherits("QMainWindow") && widget->isVisible())
            return widget;
    }
    return QApplication::activeWindow();
}

CRecoveryChoice AskWithDialog(const QList<CJournalRecord>& records)
{
    QWidget* mainWindow = MainWindow();
    CRecoverDlg dialog(records, mainWindow);
    dialog.exec();
    // Without a window manager nothing gives the keys back once the dialog
    // has closed.
    ZtGiveKeysBack(mainWindow);
    return dialog.Choice();
}
} // namespace

CUnsavedWork::CUnsavedWork(const QString& root, QObject* parent)
    : QObject(parent), m_pFolder(std::make_unique<CRecoveryFolder>(root))
{
}

CUnsavedWork::~CUnsavedWork()
{
    // The journal's last removals finish before the session folder goes.
    m_pJournal.reset();
}

void CUnsavedWork::SetAsker(Asker asker)
{
    InstalledAsker() = std::move(asker);
}

void CUnsavedWork::Start()
{
    if (m_pJournal)
        return;
    if (!m_pFolder->Open())
        emit journalProblem(tr("Unsaved work is not journaled: %1").arg(m_pFolder->Problem()));
    m_pJournal = std::make_unique<CRecoveryJournal>(m_pFolder->SessionFolder());
    connect(m_pJournal.get(), &CRecoveryJournal::writeFailed, this, [this](const QString& reason) {
        emit journalProblem(tr("Unsaved work could not be journaled: %1").arg(reason));
    });
    m_orphans = m_pFolder->ClaimOrphans();
    // Sessions that left no journal (a process killed with nothing unsaved)
    // are tidied away at once.
    if (m_orphans.isEmpty())
        m_pFolder->ReleaseOrphans();
}

void CUnsavedWork::Watch(CDocument* document)
{
    if (m_pJournal)
        m_pJournal->Watch(document);
}

void CUnsavedWork::OfferRecovery(const QList<CDocTemplate*>& templates)
{
    if (m_orphans.isEmpty())
        return;
    const CRecoveryChoice choice = InstalledAsker() ? InstalledAsker()(m_orphans) : AskWithDialog(m_orphans);
    Apply(choice, templates);
}

void CUnsavedWork::Apply(const CRecoveryChoice& choice, const QList<CDocTemplate*>& templates)
{
    if (choice.m_action != CRecoveryChoice::Action::Later) {
        for (int index : choice.m_checked) {
            if (index < 0 || index >= m_orphans.size())
                continue;
            CJournalRecord& record = m_orphans[index];
            if (choice.m_action == CRecoveryChoice::Action::Discard || Recover(record, templates))
                QFile::remove(record.m_strJournalFile);
        }
    }
    m_orphans.clear();
    m_pFolder->ReleaseOrphans();
}

bool CUnsavedWork::IsOpen(const QString& path, const QList<CDocTemplate*>& templates)
{
    const QString target = QFileInfo(path).absoluteFilePath();
    for (const CDocTemplate* docTemplate : templates) {
        for (const CDocument* document : docTemplate->Documents()) {
            if (!document->GetPathName().isEmpty() && QFileInfo(document->GetPathName()).absoluteFilePath() == target)
                return true;
        }
    }
    return false;
}

CDocument* CUnsavedWork::Recover(CJournalRecord& record, const QList<CDocTemplate*>& templates)
{
    CDocTemplate* target = nullptr;
    for (CDocTemplate* docTemplate : templates) {
        if (docTemplate->Strings().m_strDocName == record.m_strKind)
            target = docTemplate;
    }
    // A second journal of a file already open (two sessions lost in a row)
    // would open a second window on that file; it waits for the next start.
    if (!record.m_strPath.isEmpty() && IsOpen(record.m_strPath, templates))
        return nullptr;
    QByteArray bytes;
    if (!target || !record.ReadBytes(bytes))
        return nullptr;
    const bool changed = record.FileChangedSince();
    COpenRequest request;
    request.m_strPath = record.m_strPath;
    request.m_recoveredBytes = bytes;
    CDocument* document = target->OpenDocumentFile(request);
    if (!document)
        return nullptr;
    document->SetDiskStamp(record.m_loadStamp);
    if (record.m_strPath.isEmpty() && !record.m_strTitle.isEmpty())
        document->SetTitle(record.m_strTitle);
    if (changed) {
        // Another program wrote the file after this text was loaded: the
        // title says so, and the stamp of the load makes the first save ask
        // before it replaces that file. The change counts as answered, so
        // the check on activation does not ask about it once more.
        document->SetSettledDiskStamp(CDiskStamp::Of(record.m_strPath));
        document->SetTitle(tr("%1 (changed on disk)").arg(QFileInfo(record.m_strPath).fileName()));
    }
    if (m_pJournal)
        m_pJournal->JournalNow(document);
    return document;
}
