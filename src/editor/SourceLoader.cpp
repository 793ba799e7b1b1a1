#include "editor/SourceLoader.h"

#include "editor/SourceText.h"
#include "editor/SyntaxColorizer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include <unistd.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

qint64 CSourceLoader::s_nLargestFile = qint64(256) << 20;
qsizetype CSourceLoader::s_nLongestLine = qsizetype(4) << 20;
qsizetype CSourceLoader::s_nPieceBytes = qsizetype(256) << 10;
qint64 CSourceLoader::s_nProgressAfterMs = 500;
std::function<void(const QString&)> CSourceLoader::s_betweenReads;

namespace {
// The worker waits while this many pieces are waiting for the UI thread.
constexpr size_t kPiecesAhead = 4;
// The UI thread appends pieces for about this long before it lets other
// events in; a piece it has started is always finished.
constexpr qint64 kTickBudgetMs = 16;
const QByteArray kByteOrderMark("\xef\xbb\xbf");

QString NativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}
} // namespace

// What the worker and the loader share, under m_lock. The loader may go away
// at any time: it sets m_bCancelled, and the worker stops at its next check
// without touching anything but this job.
struct CSourceLoader::CJob
{
    enum class Stage { Scanning, AskTruncated, Decoding, Done };

    QString m_strPath;
    int m_nFileDescriptor = -1;
    qint64 m_nLargestFile = 0;
    qsizetype m_nLongestLine = 0;
    qsizetype m_nPieceBytes = 0;
    std::function<void(const QString&)> m_betweenReads;
    CDiskStamp m_stampBefore;

    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_bCancelled = false;
    bool m_bTruncateAnswered = false;
    Stage m_stage = Stage::Scanning;
    qint64 m_nZeroByte = -1;
    qint64 m_nTotal = 0;
    qint64 m_nDone = 0;
    std::deque<QString> m_pieces;
    // Filled by the worker as it decodes; handed over when it is done.
    CSourceText m_source;
    Outcome m_outcome = Outcome::Loaded;
    QString m_strMessage;

    bool Cancelled()
    {
        std::lock_guard<std::mutex> locker(m_lock);
        return m_bCancelled;
    }
    void SetProgress(qint64 done)
    {
        std::lock_guard<std::mutex> locker(m_lock);
        m_nDone = done;
    }
    void End(Outcome outcome, const QString& message = {})
    {
        std::lock_guard<std::mutex> locker(m_lock);
        m_outcome = outcome;
        m_strMessage = message;
        m_stage = Stage::Done;
    }
};

namespace {
// What the first read learns about the file.
struct CFileFacts
{
    qint64 textBytes = 0;
    qint64 zeroByte = -1;
    bool utf8 = true;
    bool frameMarker = false;
    bool byteOrderMark = false;
    bool lineTooLong = false;
    bool tooLarge = false;
};

// Checks text cut where CompleteBytes cuts, or at the file's end: UTF-8
// validity cannot be cut in two there.
void CheckLines(const char* data, qsizetype size, CFileFacts& facts)
{
    if (!facts.utf8)
        return;
    facts.utf8 = CSourceText::IsValidUtf8(data, size);
    if (facts.utf8 && !facts.frameMarker)
        facts.frameMarker = CSourceText::HasFrameMarker(data, size);
}

// How many of the bytes read so far can be decoded without what follows:
// up to the last line end of any kind that the next bytes cannot change (a CR
// may yet become CR LF or CR CR LF, which count as one line end). A line with
// no such end is cut before its last character, which may be incomplete, and
// never just after a CR, so that a long line comes in several pieces too; the
// editor joins the pieces of a line without a break. Bytes 80-BF continue a
// UTF-8 character, at most three of them; in Windows-1252 any cut is whole.
qsizetype CompleteBytes(const char* data, qsizetype size)
{
    for (qsizetype i = size - 1; i >= 0; --i) {
        if (data[i] == '\n')
            return i + 1;
        if (data[i] == '\r' && i + 1 < size && data[i + 1] != '\n'
            && !(data[i + 1] == '\r' && (i + 2 == size || data[i + 2] == '\n')))
            return i + 1;
    }
    qsizetype cut = size - 1;
    for (int back = 0; cut > 0 && back < 3 && (uchar(data[cut]) & 0xC0) == 0x80; ++back)
        --cut;
    while (cut > 0 && data[cut - 1] == '\r')
        --cut;
    return qMax<qsizetype>(cut, 0);
}
} // namespace

CSourceLoader::CSourceLoader(QPlainTextEdit* editor, const QString& path, int fileDescriptor,
                             std::function<bool(const QString&, qsizetype)> confirmTruncated)
    : QObject(editor)
    , m_pEditor(editor)
    , m_strPath(path)
    , m_nFileDescriptor(fileDescriptor)
    , m_confirmTruncated(std::move(confirmTruncated))
{
    m_tick.setInterval(5);
    connect(&m_tick, &QTimer::timeout, this, &CSourceLoader::OnTick);
}

CSourceLoader::~CSourceLoader()
{
    // The window may close while the load runs: the main window stays.
    ClearProgress();
    if (m_nFileDescriptor >= 0)
        ::close(m_nFileDescriptor);
    if (m_pJob) {
        std::lock_guard<std::mutex> locker(m_pJob->m_lock);
        m_pJob->m_bCancelled = true;
        m_pJob->m_wake.notify_all();
    }
}

QString CSourceLoader::TooLargeMessage(const QString& path, qint64 size)
{
    return tr("%1 is too large to open (%2 MB).\nThe editor opens files of up to %3 MB.")
        .arg(NativePath(path))
        .arg((size + (1 << 20) - 1) >> 20)
        .arg(s_nLargestFile >> 20);
}

QString CSourceLoader::LineTooLongMessage(const QString& path)
{
    return tr("%1 has a line longer than %L2 bytes, which the editor cannot show.")
        .arg(NativePath(path))
        .arg(s_nLongestLine);
}

// Lines are found with memchr, which reads many bytes at a time; only a line
// that may be too long is looked at byte by byte.
bool CSourceLoader::HasLineLongerThan(const char* data, qsizetype size, qsizetype longest, qsizetype& lineLength)
{
    const char* at = data;
    const char* const end = data + size;
    while (at < end) {
        const void* feed = std::memchr(at, '\n', size_t(end - at));
        const char* const lineEnd = feed ? static_cast<const char*>(feed) : end;
        if (lineLength + (lineEnd - at) > longest) {
            for (; at < lineEnd; ++at) {
                if (*at == '\r')
                    lineLength = 0;
                else if (++lineLength > longest)
                    return true;
            }
        } else if (!feed) {
            // The last line goes on in the next bytes: count from its last CR.
            const void* lastCr = memrchr(at, '\r', size_t(lineEnd - at));
            lineLength = lastCr ? lineEnd - static_cast<const char*>(lastCr) - 1 : lineLength + (lineEnd - at);
        }
        if (!feed)
            break;
        lineLength = 0;
        at = lineEnd + 1;
    }
    return false;
}

void CSourceLoader::Start()
{
    auto job = std::make_shared<CJob>();
    job->m_strPath = m_strPath;
    job->m_nFileDescriptor = std::exchange(m_nFileDescriptor, -1);
    job->m_nLargestFile = s_nLargestFile;
    job->m_nLongestLine = s_nLongestLine;
    job->m_nPieceBytes = qMax<qsizetype>(1, s_nPieceBytes);
    job->m_betweenReads = s_betweenReads;
    m_stampBefore = CDiskStamp::Of(m_strPath);
    job->m_stampBefore = m_stampBefore;
    m_pJob = job;

    KeepLargeBlocksMapped();
    QTextDocument* document = m_pEditor->document();
    document->setUndoRedoEnabled(false);
    document->blockSignals(true);
    // A reload starts from an empty text too.
    document->clear();
    TellColorizer(0);
    m_pEditor->setReadOnly(true);
    qApp->installEventFilter(this);
    m_sinceStart.start();
    m_tick.start();
    std::thread([job] { Run(job); }).detach();
}

void CSourceLoader::KeepLargeBlocksMapped()
{
#ifdef __GLIBC__
    // glibc raises the size from which a block gets a mapping of its own to
    // that of every such block freed (up to 32 MB): after one large block is
    // gone, the document's text and tables, which grow as the pieces come in,
    // are taken from the heap, and every growth copies them and leaves a hole
    // (30 MB for a 10 MB page). With the size fixed they stay in mappings,
    // which grow in place and go back to the system when freed.
    static const bool fixed = mallopt(M_MMAP_THRESHOLD, 256 << 10) == 1;
    Q_UNUSED(fixed);
#endif
}

void CSourceLoader::Cancel()
{
    if (m_pJob)
        Finish(Outcome::Cancelled, QString());
}

bool CSourceLoader::IsEscapeForThisLoad(QObject* watched, QEvent* event) const
{
    if (!m_pJob || !m_pEditor || (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        || static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
        return false;
    // Anywhere in the main window, while this page's window is the active one.
    auto* target = qobject_cast<QWidget*>(watched);
    if (!target || target->window() != m_pEditor->window())
        return false;
    for (QWidget* parent = m_pEditor->parentWidget(); parent; parent = parent->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(parent))
            return !frame->mdiArea() || frame->mdiArea()->activeSubWindow() == frame;
    }
    return true;
}

bool CSourceLoader::eventFilter(QObject* watched, QEvent* event)
{
    if (!IsEscapeForThisLoad(watched, event))
        return QObject::eventFilter(watched, event);
    event->accept();
    if (event->type() == QEvent::KeyPress)
        Cancel();
    return true;
}

void CSourceLoader::TellColorizer(int fromBlock)
{
    // The document's signals are held back while the text comes in, so the
    // colorizer would not learn that lines it has seen grew or went.
    if (auto* colorizer = m_pEditor->findChild<CSyntaxColorizer*>(QString(), Qt::FindDirectChildrenOnly))
        colorizer->TextChangedUnseen(fromBlock);
}

void CSourceLoader::OnTick()
{
    if (!m_pJob || !m_pEditor)
        return;
    QElapsedTimer tick;
    tick.start();
    QTextDocument* document = m_pEditor->document();
    for (;;) {
        QString piece;
        bool done = false;
        Outcome outcome;
        QString message;
        {
            std::lock_guard<std::mutex> locker(m_pJob->m_lock);
            if (!m_pJob->m_pieces.empty()) {
                piece = std::move(m_pJob->m_pieces.front());
                m_pJob->m_pieces.pop_front();
                m_pJob->m_wake.notify_all();
            } else if (m_pJob->m_stage == CJob::Stage::Done) {
                done = true;
                outcome = m_pJob->m_outcome;
                message = m_pJob->m_strMessage;
            } else {
                break;
            }
        }
        if (done) {
            Finish(outcome, message);
            return;
        }
        QTextCursor end(document);
        end.movePosition(QTextCursor::End);
        QTextBlock grown = end.block();
        end.insertText(piece);
        // The line the piece went on with is new text: it gets the user state
        // of a line never seen (-1) again, so that whoever keeps a state per
        // line (the colorizer) looks at it anew, although the document's
        // signals are held back.
        grown.setUserState(-1);
        TellColorizer(grown.blockNumber());
        // Loading is no edit: the text stays as read.
        document->setModified(false);
        if (!m_bAnyText) {
            m_bAnyText = true;
            emit firstTextShown();
        }
        if (tick.elapsed() >= kTickBudgetMs)
            break;
    }
    // Straight on while pieces come; otherwise wait a little for the worker.
    m_tick.setInterval(m_bAnyText ? 0 : 5);

    qint64 done;
    qint64 total;
    bool ask;
    qint64 zeroByte;
    {
        std::lock_guard<std::mutex> locker(m_pJob->m_lock);
        done = m_pJob->m_nDone;
        total = m_pJob->m_nTotal;
        ask = m_pJob->m_stage == CJob::Stage::AskTruncated && !m_pJob->m_bTruncateAnswered;
        zeroByte = m_pJob->m_nZeroByte;
    }
    if (ask) {
        // The question may run an event loop: no tick meanwhile.
        m_tick.stop();
        const QPointer<CSourceLoader> self(this);
        const bool open = m_confirmTruncated && m_confirmTruncated(m_strPath, zeroByte);
        // The window may have gone while the question was open.
        if (!self || !m_pJob)
            return;
        if (!open) {
            Cancel();
            return;
        }
        std::lock_guard<std::mutex> locker(m_pJob->m_lock);
        m_pJob->m_bTruncateAnswered = true;
        m_pJob->m_wake.notify_all();
        m_tick.start();
        return;
    }
    if (m_sinceStart.elapsed() >= s_nProgressAfterMs && total > 0)
        ShowProgress(int(done * 100 / total));
}

void CSourceLoader::ShowProgress(int percent)
{
    auto* window = m_pEditor ? qobject_cast<QMainWindow*>(m_pEditor->window()) : nullptr;
    if (!window)
        return;
    m_pProgressBar = window->statusBar();
    m_pProgressBar->showMessage(
        tr("Opening %1: %2% (Esc cancels)").arg(NativePath(m_strPath)).arg(qBound(0, percent, 100)));
}

void CSourceLoader::ClearProgress()
{
    if (m_pProgressBar)
        m_pProgressBar->clearMessage();
    m_pProgressBar = nullptr;
}

void CSourceLoader::Finish(Outcome outcome, const QString& message)
{
    m_tick.stop();
    std::shared_ptr<CJob> job = std::move(m_pJob);
    {
        std::lock_guard<std::mutex> locker(job->m_lock);
        job->m_bCancelled = true;
        job->m_wake.notify_all();
    }
    ClearProgress();
    qApp->removeEventFilter(this);
    if (m_pEditor) {
        QTextDocument* document = m_pEditor->document();
        if (outcome == Outcome::Loaded || outcome == Outcome::Deleted) {
            job->m_source.RecordOn(document);
            m_pEditor->moveCursor(QTextCursor::Start);
        }
        document->blockSignals(false);
        document->setUndoRedoEnabled(true);
        document->setModified(false);
        m_pEditor->setReadOnly(false);
    }
    emit finished(outcome, message);
}

void CSourceLoader::Run(const std::shared_ptr<CJob>& job)
{
    QFile file;
    if (!file.open(job->m_nFileDescriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(job->m_nFileDescriptor);
        job->End(Outcome::Failed, tr("Cannot read %1.\n%2").arg(NativePath(job->m_strPath), file.errorString()));
        return;
    }
    const qsizetype blockBytes = job->m_nPieceBytes;
    {
        std::lock_guard<std::mutex> locker(job->m_lock);
        job->m_nTotal = qMax<qint64>(1, file.size());
    }

    // First read: encoding, zero byte, sizes.
    CFileFacts facts;
    QByteArray open; // the last line, not yet complete
    qsizetype lineLength = 0;
    for (bool first = true;; first = false) {
        if (job->Cancelled())
            return;
        QByteArray block = file.read(qMax<qsizetype>(blockBytes, 64 << 10));
        if (file.error() != QFileDevice::NoError) {
            job->End(Outcome::Failed, tr("Cannot read %1.\n%2").arg(NativePath(job->m_strPath), file.errorString()));
            return;
        }
        if (first)
            facts.byteOrderMark = block.startsWith(kByteOrderMark);
        if (const void* zero = std::memchr(block.constData(), 0, size_t(block.size()))) {
            block.truncate(static_cast<const char*>(zero) - block.constData());
            facts.zeroByte = facts.textBytes + block.size();
        }
        facts.textBytes += block.size();
        if (facts.textBytes > job->m_nLargestFile) {
            job->End(Outcome::Failed, TooLargeMessage(job->m_strPath, qMax(facts.textBytes, file.size())));
            return;
        }
        facts.lineTooLong = CSourceLoader::HasLineLongerThan(block.constData(), block.size(), job->m_nLongestLine, lineLength);
        if (facts.lineTooLong) {
            job->End(Outcome::Failed, LineTooLongMessage(job->m_strPath));
            return;
        }
        const bool atEnd = block.isEmpty() || facts.zeroByte >= 0;
        open += block;
        const qsizetype complete = atEnd ? open.size() : CompleteBytes(open.constData(), open.size());
        CheckLines(open.constData(), complete, facts);
        open.remove(0, complete);
        job->SetProgress(facts.textBytes / 2);
        if (atEnd)
            break;
    }
    if (job->m_betweenReads)
        job->m_betweenReads(job->m_strPath);

    {
        std::unique_lock<std::mutex> locker(job->m_lock);
        job->m_nTotal = facts.textBytes;
        job->m_nZeroByte = facts.zeroByte;
        if (facts.zeroByte >= 0) {
            job->m_stage = CJob::Stage::AskTruncated;
            job->m_wake.wait(locker, [&] { return job->m_bCancelled || job->m_bTruncateAnswered; });
            if (job->m_bCancelled)
                return;
        }
        job->m_stage = CJob::Stage::Decoding;
    }

    CSourceText& source = job->m_source;
    source.encoding = facts.utf8 ? CSourceText::Encoding::Utf8 : CSourceText::Encoding::Windows1252;
    source.byteOrderMark = facts.utf8 && facts.byteOrderMark;
    if (facts.frameMarker) {
        // Rare: the stand-ins must be characters the whole text lacks.
        file.seek(0);
        source.frameMarkerStandIns = CSourceText::StandInsFor(QString::fromUtf8(file.read(facts.textBytes)));
    }

    // Second read: decode and hand over piece by piece.
    file.seek(0);
    CSourceText::LineEndCounts counts = {0, 0, 0, 0, 0};
    qint64 left = facts.textBytes;
    bool shrank = false;
    open.clear();
    for (bool first = true; left > 0 || !open.isEmpty();) {
        if (job->Cancelled())
            return;
        const QByteArray block = file.read(qMin<qint64>(blockBytes, left));
        if (file.error() != QFileDevice::NoError) {
            job->End(Outcome::Failed, tr("Cannot read %1.\n%2").arg(NativePath(job->m_strPath), file.errorString()));
            return;
        }
        if (block.isEmpty() && left > 0) {
            shrank = true;
            left = 0;
        }
        left -= block.size();
        open += block;
        const qsizetype complete = left == 0 ? open.size() : CompleteBytes(open.constData(), open.size());
        if (complete == 0)
            continue;
        QString piece = source.DecodePiece(open.constData(), complete, first, counts);
        first = false;
        open.remove(0, complete);

        std::unique_lock<std::mutex> locker(job->m_lock);
        job->m_wake.wait(locker, [&] { return job->m_bCancelled || job->m_pieces.size() < kPiecesAhead; });
        if (job->m_bCancelled)
            return;
        job->m_pieces.push_back(std::move(piece));
        job->m_nDone = (facts.textBytes + facts.textBytes - left) / 2;
    }
    source.dominantLineEnd = CSourceText::DominantLineEnd(counts);

    const CDiskStamp now = CDiskStamp::Of(job->m_strPath);
    if (!now.m_bExists)
        job->End(Outcome::Deleted);
    else if (shrank || now != job->m_stampBefore)
        job->End(Outcome::Changed, tr("%1 changed while it was being read, so it was not opened.\n"
                                      "Open it again once the program writing it has finished.")
                                       .arg(NativePath(job->m_strPath)));
    else
        job->End(Outcome::Loaded);
}
