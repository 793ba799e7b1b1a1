#pragma once

#include "files/FileOperationPlan.h"

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <utility>

class QProgressDialog;

// Carries out a copy, move, rename or delete the way a desktop file manager
// does: it asks before replacing or deleting, shows progress for long runs
// (with a Cancel button), refuses to copy a folder into itself, and reports a
// failure in a message box, leaving the source as it was.
//
// Every question, message and progress step goes through a virtual function,
// so a test (or a caller that must stay silent) can answer them without a
// dialog. CFileName's shell calls make their operation object with Create(),
// which a test can redirect with SetFactory().
class CShellFileOperation
{
public:
    enum class EAnswer { Yes, YesToAll, No, Cancel };
    enum class EQuestion { ReplaceFile, MergeFolder, Delete };

    using Factory = std::function<std::unique_ptr<CShellFileOperation>(QWidget* owner)>;

    explicit CShellFileOperation(QWidget* owner = nullptr);
    virtual ~CShellFileOperation();

    // The operation object for a shell call; a plain CShellFileOperation
    // unless a factory was installed.
    static std::unique_ptr<CShellFileOperation> Create(QWidget* owner);
    // Installs factory for Create(); an empty one restores the default.
    static void SetFactory(Factory factory);

    // Each returns true when the whole request was carried out; false after
    // a refusal, a failure or a cancel (see WasCancelled).
    bool Copy(const QStringList& sources, const QString& destination);
    bool Move(const QStringList& sources, const QString& destination);
    bool Rename(const QString& from, const QString& to);
    // Moves paths to the desktop trash, asking first unless bConfirm is false.
    bool Delete(const QStringList& paths, bool bConfirm);

    bool WasCancelled() const { return m_bCancelled; }
    // The text of the last message shown with ShowError.
    QString LastError() const { return m_strLastError; }

    // Makes sure the desktop trash can be used: without the user's data
    // folder, moving to the trash would put files in the current directory.
    static bool PrepareTrash();

protected:
    // Asks question about path. A Delete question offers only Yes and No;
    // the others also offer Yes to all and Cancel.
    virtual EAnswer Confirm(EQuestion question, const QString& text);
    virtual void ShowError(const QString& message);
    // Progress over total files. StepProgress returns false when the user
    // asked to cancel.
    virtual void BeginProgress(const QString& title, int total);
    virtual bool StepProgress(int done, const QString& path);
    virtual void EndProgress();

    QWidget* Owner() const { return m_pOwner; }

private:
    bool Transfer(const QStringList& sources, const QString& destination, bool bCopy);
    bool RunTransfers(const QVector<CFileTransfer>& transfers, bool bCopy, const QString& title);
    bool TransferItem(const QString& source, const QString& target, bool bCopy);
    bool CopyFolder(const QString& source, const QString& target);
    bool CopyFile(const QString& source, const QString& target);
    bool CopyLink(const QString& source, const QString& target);
    // Copies the entry name (not valid in the file name encoding) of
    // sourceFolder into targetFolder by its bytes, whole.
    bool CopyUndecodable(const QString& sourceFolder, const QString& targetFolder, const QByteArray& name);
    bool MoveItem(const QString& source, const QString& target);
    bool RemoveMovedSources();
    // Tells CFileMoveNotifier about every item of m_moves that now lies at
    // its target, and forgets them.
    void ReportMoves();
    EAnswer AskConflict(EQuestion question, const QString& target);
    bool CountStep(const QString& path);
    bool Fail(const QString& message);
    QString Verb() const;

    QPointer<QWidget> m_pOwner;
    QProgressDialog* m_pProgress = nullptr;
    bool m_bCopy = true;
    bool m_bCancelled = false;
    bool m_bReplaceAll = false;
    int m_nDone = 0;
    QString m_strLastError;
    // Sources already copied during a move that could not be done by a
    // plain rename; they are removed once the whole copy succeeded.
    QStringList m_movedSources;
    // The same for entries whose names Qt cannot decode, as native paths.
    QList<QByteArray> m_movedUndecodable;
    // Every item a move or rename set out to move, source and target, in
    // order; reported once the run is over.
    QVector<std::pair<QString, QString>> m_moves;
};
