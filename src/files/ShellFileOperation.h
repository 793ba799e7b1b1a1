#pragma once

#include "files/FileOperationJob.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QProgressDialog;

// Carries out a copy, move, rename or delete the way a desktop file manager
// does: it asks before replacing or deleting, shows progress (with a Cancel
// button) for long runs, refuses to copy a folder into itself, and reports
// a failure in a message box, leaving the source as it was.
//
// The request is checked, and a delete confirmed, on the calling (UI)
// thread; the disk work then runs as a CFileOperationJob on a worker
// thread, so the window stays usable. A question the worker meets (replace
// this file?) is asked here on the UI thread while only the worker waits.
// finished comes once per request, always after the call has returned, also
// for a request refused at once.
//
// Every question, message and progress step goes through a virtual function
// called on the UI thread, so a test (or a caller that must stay silent)
// can answer them without a dialog. CFileName's shell calls make their
// operation object with Create(), which a test can redirect with
// SetFactory().
class CShellFileOperation : public QObject
{
    Q_OBJECT
public:
    using EAnswer = EFileAnswer;
    using EQuestion = EFileQuestion;

    using Factory = std::function<std::unique_ptr<CShellFileOperation>(QWidget* owner)>;

    explicit CShellFileOperation(QWidget* owner = nullptr);
    // Cancels a job still running; it stops at its next file or block.
    ~CShellFileOperation() override;

    // The operation object for a shell call; a plain CShellFileOperation
    // unless a factory was installed.
    static std::unique_ptr<CShellFileOperation> Create(QWidget* owner);
    // Installs factory for Create(); an empty one restores the default.
    static void SetFactory(Factory factory);

    // Each starts one request; finished(true) says the whole request was
    // carried out, finished(false) follows a refusal, a failure or a cancel
    // (see WasCancelled). One request at a time: a call while one is
    // running is ignored.
    void Copy(const QStringList& sources, const QString& destination);
    void Move(const QStringList& sources, const QString& destination);
    void Rename(const QString& from, const QString& to);
    // Moves paths to the desktop trash, asking first unless bConfirm is false.
    void Delete(const QStringList& paths, bool bConfirm);

    // Stops the running job; what was copied stays, a half-copied file goes.
    void Cancel();
    bool IsRunning() const { return m_bRunning; }
    // The object deletes itself once finished was emitted.
    void SetAutoDelete(bool bAutoDelete) { m_bAutoDelete = bAutoDelete; }

    bool WasCancelled() const { return m_bCancelled; }
    // The text of the last message shown with ShowError.
    QString LastError() const { return m_strLastError; }

    // Makes sure the desktop trash can be used: without the user's data
    // folder, moving to the trash would put files in the current directory.
    static bool PrepareTrash();
    // Blocks until the worker of every job started so far has returned,
    // also of operations already destroyed.
    static void WaitForJobs();

signals:
    void finished(bool ok);

protected:
    // Asks question about path. A Delete question offers only Yes and No;
    // the others also offer Yes to all and Cancel.
    virtual EAnswer Confirm(EQuestion question, const QString& text);
    virtual void ShowError(const QString& message);
    // Progress in units (files, or the items of a move), the total known
    // from the first step on. StepProgress returns false when the user
    // asked to cancel; the worker reports a step now and then, not each.
    virtual void BeginProgress(const QString& title, int total);
    virtual bool StepProgress(int done, const QString& path);
    virtual void EndProgress();

    QWidget* Owner() const { return m_pOwner; }

private:
    struct CRun;

    void Transfer(const QStringList& sources, const QString& destination, bool bCopy);
    bool Begin();
    void Refuse(const QString& message);
    void Start(const QString& title, bool bCopy, std::function<bool(CFileOperationJob&)> work);
    // Called on the UI thread by the worker's messages.
    void OnStep(quint64 generation, int done, int total, const QString& path);
    void OnQuestion(quint64 generation, EQuestion question, const QString& text);
    void OnDone(quint64 generation, bool ok, bool bCancelled, const QString& error,
                const QVector<std::pair<QString, QString>>& moves);
    void Finish(bool ok);
    QString Verb(bool bCopy) const;

    QPointer<QWidget> m_pOwner;
    QPointer<QProgressDialog> m_pProgress;
    std::shared_ptr<CRun> m_pRun;
    quint64 m_nGeneration = 0;
    bool m_bRunning = false;
    bool m_bAutoDelete = false;
    bool m_bCancelled = false;
    QString m_strLastError;
    QString m_strTitle;
};
