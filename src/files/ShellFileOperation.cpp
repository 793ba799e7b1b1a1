#include "files/ShellFileOperation.h"

#include "files/FileMoveNotifier.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QMetaObject>
#include <QMutex>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QThreadPool>
#include <QWaitCondition>

#include <atomic>
#include <optional>
#include <utility>

namespace {

// Progress reaches the window at most this often; a copy of many small
// files would otherwise flood it.
constexpr qint64 kStepMs = 100;

CShellFileOperation::Factory& InstalledFactory()
{
    static CShellFileOperation::Factory factory;
    return factory;
}

// The jobs' own threads: a long copy must not hold up the folder readers
// (ZtBackgroundPool) nor Qt's painter (the global pool).
QThreadPool& JobPool()
{
    static QThreadPool pool;
    return pool;
}

QString NameOf(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? path : name;
}

bool PathPresent(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// Callers hand over what a selection or the clipboard held: an empty entry
// names nothing.
QStringList NamedPaths(const QStringList& paths)
{
    QStringList named = paths;
    named.removeAll(QString());
    return named;
}

QString Title()
{
    return QStringLiteral("Zentrel");
}

// Without a window manager nothing makes the owner's window active again
// when a box or the progress dialog over it closes: its shortcuts and menu
// keys would be dead until the user clicked into it.
void GiveKeysBackTo(QWidget* owner, QWidget* focus)
{
    if (!owner)
        return;
    QWidget* window = owner->window();
    window->activateWindow();
    if (QApplication::activeWindow() != window && !QApplication::activeModalWidget())
        QApplication::setActiveWindow(window);
    if (focus && focus->window() == window)
        focus->setFocus();
}

} // namespace

// What the worker shares with the operation: the operation clears
// m_pReceiver (under the lock) when it goes, so the worker never posts to a
// dead object, and a worker waiting for an answer is woken with Cancel.
struct CShellFileOperation::CRun : CFileOperationJob::CHost
{
    QMutex m_lock;
    QWaitCondition m_answered;
    CShellFileOperation* m_pReceiver = nullptr;
    quint64 m_nGeneration = 0;
    std::atomic<bool> m_bCancelled{false};
    std::optional<EFileAnswer> m_answer;
    QElapsedTimer m_sinceStep;

    // Runs call(receiver, generation) on the receiver's thread; false when
    // nobody listens any more.
    template <typename Call>
    bool Post(Call call)
    {
        QMutexLocker locker(&m_lock);
        return PostLocked(std::move(call));
    }

    template <typename Call>
    bool PostLocked(Call call)
    {
        if (!m_pReceiver)
            return false;
        CShellFileOperation* receiver = m_pReceiver;
        const quint64 generation = m_nGeneration;
        QMetaObject::invokeMethod(
            receiver, [receiver, generation, call] { call(receiver, generation); }, Qt::QueuedConnection);
        return true;
    }

    EFileAnswer Ask(EFileQuestion question, const QString& text) override
    {
        QMutexLocker locker(&m_lock);
        m_answer.reset();
        if (m_bCancelled || !PostLocked([question, text](CShellFileOperation* receiver, quint64 generation) {
                receiver->OnQuestion(generation, question, text);
            }))
            return EFileAnswer::Cancel;
        while (!m_answer && m_pReceiver && !m_bCancelled)
            m_answered.wait(&m_lock);
        return m_answer.value_or(EFileAnswer::Cancel);
    }

    bool Step(int done, int total, const QString& path) override
    {
        if (m_bCancelled)
            return false;
        if (!m_sinceStep.isValid() || m_sinceStep.elapsed() >= kStepMs) {
            m_sinceStep.start();
            Post([done, total, path](CShellFileOperation* receiver, quint64 generation) {
                receiver->OnStep(generation, done, total, path);
            });
        }
        return !m_bCancelled;
    }

    bool IsCancelled() override { return m_bCancelled; }

    void Answer(EFileAnswer answer)
    {
        QMutexLocker locker(&m_lock);
        m_answer = answer;
        m_answered.wakeAll();
    }

    void Stop(bool bDetach)
    {
        QMutexLocker locker(&m_lock);
        m_bCancelled = true;
        if (bDetach)
            m_pReceiver = nullptr;
        m_answered.wakeAll();
    }
};

CShellFileOperation::CShellFileOperation(QWidget* owner)
    : m_pOwner(owner)
{
}

CShellFileOperation::~CShellFileOperation()
{
    if (m_pRun)
        m_pRun->Stop(true);
    delete m_pProgress;
}

std::unique_ptr<CShellFileOperation> CShellFileOperation::Create(QWidget* owner)
{
    if (InstalledFactory())
        return InstalledFactory()(owner);
    return std::make_unique<CShellFileOperation>(owner);
}

void CShellFileOperation::SetFactory(Factory factory)
{
    InstalledFactory() = std::move(factory);
}

bool CShellFileOperation::PrepareTrash()
{
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return !dataDir.isEmpty() && QDir().mkpath(dataDir);
}

void CShellFileOperation::WaitForJobs()
{
    JobPool().waitForDone();
}

void CShellFileOperation::Copy(const QStringList& sources, const QString& destination)
{
    Transfer(sources, destination, true);
}

void CShellFileOperation::Move(const QStringList& sources, const QString& destination)
{
    Transfer(sources, destination, false);
}

void CShellFileOperation::Cancel()
{
    if (m_pRun)
        m_pRun->Stop(false);
}

QString CShellFileOperation::Verb(bool bCopy) const
{
    return bCopy ? QStringLiteral("copy") : QStringLiteral("move");
}

bool CShellFileOperation::Begin()
{
    if (m_bRunning)
        return false;
    m_bRunning = true;
    m_bCancelled = false;
    m_strLastError.clear();
    return true;
}

void CShellFileOperation::Refuse(const QString& message)
{
    if (!message.isEmpty()) {
        m_strLastError = message;
        ShowError(message);
    }
    QMetaObject::invokeMethod(this, [this] { Finish(false); }, Qt::QueuedConnection);
}

void CShellFileOperation::Finish(bool ok)
{
    m_bRunning = false;
    emit finished(ok);
    if (m_bAutoDelete)
        deleteLater();
}

void CShellFileOperation::Transfer(const QStringList& requested, const QString& destination, bool bCopy)
{
    if (!Begin())
        return;
    const QStringList sources = NamedPaths(requested);
    if (sources.isEmpty())
        return Refuse({});
    if (destination.isEmpty())
        return Refuse(QStringLiteral("Cannot %1 the files: no destination was given.").arg(Verb(bCopy)));

    const QVector<CFileTransfer> transfers = CFileOperationPlan::PlanTransfers(sources, destination, bCopy);
    for (const CFileTransfer& transfer : transfers) {
        if (!PathPresent(transfer.m_strSource))
            return Refuse(QStringLiteral("Cannot %1 '%2': it does not exist.").arg(Verb(bCopy), transfer.m_strSource));
    }
    const int nested = CFileOperationPlan::FindSelfNesting(transfers);
    if (nested >= 0)
        return Refuse(QStringLiteral("Cannot %1 '%2': the destination folder is inside the "
                                     "source folder.")
                          .arg(Verb(bCopy), NameOf(transfers.at(nested).m_strSource)));
    Start(bCopy ? QStringLiteral("Copying...") : QStringLiteral("Moving..."), bCopy,
          [transfers](CFileOperationJob& job) { return job.RunTransfers(transfers); });
}

void CShellFileOperation::Rename(const QString& from, const QString& to)
{
    if (!Begin())
        return;
    const QVector<CFileTransfer> transfers = CFileOperationPlan::PlanRename(from, to);
    if (transfers.isEmpty())
        return Refuse(QStringLiteral("Cannot rename '%1': no such file or folder.").arg(from));
    for (const CFileTransfer& transfer : transfers) {
        if (!PathPresent(transfer.m_strSource))
            return Refuse(QStringLiteral("Cannot rename '%1': it does not exist.").arg(transfer.m_strSource));
        if (PathPresent(transfer.m_strTarget))
            return Refuse(QStringLiteral("Cannot rename '%1': a file or folder named '%2' "
                                         "already exists.")
                              .arg(NameOf(transfer.m_strSource), NameOf(transfer.m_strTarget)));
    }
    if (CFileOperationPlan::FindSelfNesting(transfers) >= 0)
        return Refuse(QStringLiteral("Cannot rename '%1': a folder cannot be moved into itself.").arg(from));
    Start(QStringLiteral("Renaming..."), false,
          [transfers](CFileOperationJob& job) { return job.RunTransfers(transfers); });
}

void CShellFileOperation::Delete(const QStringList& paths, bool bConfirm)
{
    if (!Begin())
        return;
    const QStringList items = CFileOperationPlan::ExpandSources(NamedPaths(paths));
    if (items.isEmpty())
        return Refuse({});
    for (const QString& item : items) {
        if (!PathPresent(item))
            return Refuse(QStringLiteral("Cannot delete '%1': it does not exist.").arg(item));
    }
    if (bConfirm) {
        const QString text =
            items.size() == 1
                ? QStringLiteral("Are you sure you want to move '%1' to the Trash?").arg(NameOf(items.first()))
                : QStringLiteral("Are you sure you want to move these %1 items to the Trash?").arg(items.size());
        const EAnswer answer = Confirm(EQuestion::Delete, text);
        if (answer != EAnswer::Yes && answer != EAnswer::YesToAll) {
            m_bCancelled = true;
            return Refuse({});
        }
    }
    PrepareTrash();
    Start(QStringLiteral("Moving to Trash..."), true, [items](CFileOperationJob& job) { return job.RunDelete(items); });
}

void CShellFileOperation::Start(const QString& title, bool bCopy, std::function<bool(CFileOperationJob&)> work)
{
    auto run = std::make_shared<CRun>();
    run->m_pReceiver = this;
    run->m_nGeneration = ++m_nGeneration;
    m_pRun = run;
    m_strTitle = title;
    BeginProgress(title, 0);
    JobPool().start([run, bCopy, work] {
        CFileOperationJob job(run.get(), bCopy);
        const bool ok = work(job);
        // Pipes and devices left out are named once the rest is done.
        QString error = job.Error();
        if (error.isEmpty() && !job.Skipped().isEmpty())
            error = QStringLiteral("These items are not ordinary files and were not %1:\n%2")
                        .arg(bCopy ? QStringLiteral("copied") : QStringLiteral("moved"),
                             job.Skipped().join(QLatin1Char('\n')));
        run->Post([ok, bCancelled = job.WasCancelled(), error,
                   moves = job.Moves()](CShellFileOperation* receiver, quint64 generation) {
            receiver->OnDone(generation, ok, bCancelled, error, moves);
        });
    });
}

void CShellFileOperation::OnStep(quint64 generation, int done, int total, const QString& path)
{
    if (generation != m_nGeneration || !m_pRun)
        return;
    if (m_pProgress)
        m_pProgress->setMaximum(qMax(total, 1));
    if (!StepProgress(done, path))
        Cancel();
}

void CShellFileOperation::OnQuestion(quint64 generation, EQuestion question, const QString& text)
{
    if (generation != m_nGeneration || !m_pRun)
        return;
    // The box below runs its own event loop, in which this object may go.
    const std::shared_ptr<CRun> run = m_pRun;
    run->Answer(Confirm(question, text));
}

void CShellFileOperation::OnDone(quint64 generation, bool ok, bool bCancelled, const QString& error,
                                 const QVector<std::pair<QString, QString>>& moves)
{
    if (generation != m_nGeneration || !m_pRun)
        return;
    m_pRun.reset();
    m_bCancelled = bCancelled;
    EndProgress();
    // Only what really went: after a No, a failure or a cancel the source
    // may still be where it was, and then nothing moved.
    for (const auto& [source, target] : moves) {
        if (!PathPresent(source) && PathPresent(target))
            CFileMoveNotifier::Instance()->ReportMoved(source, target);
    }
    if (!error.isEmpty()) {
        m_strLastError = error;
        ShowError(error);
    }
    Finish(ok);
}

CShellFileOperation::EAnswer CShellFileOperation::Confirm(EQuestion question, const QString& text)
{
    const QPointer<QWidget> focus = QApplication::focusWidget();
    if (question == EQuestion::Delete) {
        const auto button = QMessageBox::question(Owner(), QStringLiteral("Confirm Delete"), text,
                                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        GiveKeysBackTo(Owner(), focus);
        return button == QMessageBox::Yes ? EAnswer::Yes : EAnswer::No;
    }
    const QString title =
        question == EQuestion::ReplaceFile ? QStringLiteral("Confirm File Replace") : QStringLiteral("Confirm Folder Replace");
    const auto button =
        QMessageBox::question(Owner(), title, text,
                              QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::Cancel,
                              QMessageBox::Yes);
    GiveKeysBackTo(Owner(), focus);
    switch (button) {
    case QMessageBox::Yes:
        return EAnswer::Yes;
    case QMessageBox::YesToAll:
        return EAnswer::YesToAll;
    case QMessageBox::No:
        return EAnswer::No;
    default:
        return EAnswer::Cancel;
    }
}

void CShellFileOperation::ShowError(const QString& message)
{
    const QPointer<QWidget> focus = QApplication::focusWidget();
    QMessageBox::warning(Owner(), Title(), message);
    GiveKeysBackTo(Owner(), focus);
}

void CShellFileOperation::BeginProgress(const QString& title, int total)
{
    delete m_pProgress;
    m_pProgress = new QProgressDialog(title, QStringLiteral("Cancel"), 0, qMax(total, 1), Owner());
    m_pProgress->setWindowTitle(Title());
    // The window stays usable while the job runs.
    m_pProgress->setWindowModality(Qt::NonModal);
    // Short operations finish before the dialog would appear.
    m_pProgress->setMinimumDuration(500);
    m_pProgress->setAutoReset(false);
    m_pProgress->setAutoClose(false);
    QObject::connect(m_pProgress, &QProgressDialog::canceled, this, &CShellFileOperation::Cancel);
}

bool CShellFileOperation::StepProgress(int done, const QString& path)
{
    if (!m_pProgress)
        return true;
    m_pProgress->setLabelText(m_strTitle + QLatin1Char('\n') + NameOf(path));
    m_pProgress->setValue(qMin(done, m_pProgress->maximum()));
    return !m_pProgress->wasCanceled();
}

void CShellFileOperation::EndProgress()
{
    const bool bWasActive = m_pProgress && m_pProgress->isActiveWindow();
    delete m_pProgress;
    if (bWasActive)
        GiveKeysBackTo(Owner(), nullptr);
}
