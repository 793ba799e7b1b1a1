#pragma once

#include "framework/DiskStamp.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class QPlainTextEdit;
class QStatusBar;

// Reads a source file into an editor's text off the UI thread.
//
// A worker reads the file twice. The first read decides the encoding and
// finds a zero byte, and refuses a file or a line too large to show; the
// second decodes the bytes piece by piece (CSourceText::DecodePiece), each
// piece ending after a line end of any kind, or inside a line too long for
// one piece. The UI thread appends the pieces a few at a time between events,
// so the window keeps answering and the first screen shows as soon as the
// first piece is in. The worker stays at most a few pieces ahead:
// the decoded text never exists twice in full.
//
// While it loads, the editor is read-only and its document's signals are held
// back: the text coming in is no edit, so it makes no undo step, no modified
// flag and nothing for the recovery journal. Escape anywhere in the main
// window cancels while the page's window is the active one.
// The file is only ever read.
class CSourceLoader : public QObject
{
    Q_OBJECT
public:
    enum class Outcome {
        Loaded,
        // The whole file was read, but it was deleted meanwhile.
        Deleted,
        // The file changed while it was read: what was read may mix two versions.
        Changed,
        Failed,
        Cancelled,
    };

    // Reads the open file descriptor (the loader owns it), which is the file
    // at path: what was checked is what is read. confirmTruncated is asked on
    // the UI thread when the file holds a zero byte (the text ends there);
    // false cancels.
    CSourceLoader(QPlainTextEdit* editor, const QString& path, int fileDescriptor,
                  std::function<bool(const QString& path, qsizetype offset)> confirmTruncated);
    ~CSourceLoader() override;

    // Replaces the editor's text by the file's, as it comes in.
    void Start();
    // Stops the worker and reports Cancelled. The text read so far stays in
    // the editor: the owner closes it.
    void Cancel();
    bool IsRunning() const { return m_pJob != nullptr; }
    // The file as it was before the first byte was read.
    CDiskStamp StampBeforeReading() const { return m_stampBefore; }

    // Files and lines larger than these are refused with a message: their
    // text would not fit in memory, or a line that long could not be laid out
    // on screen in reasonable time.
    static qint64 s_nLargestFile;
    static qsizetype s_nLongestLine;
    // About how many bytes one piece holds; tests make it small.
    static qsizetype s_nPieceBytes;
    // Progress shows in the status bar once a load has taken this long.
    static qint64 s_nProgressAfterMs;
    // Runs on the worker between its two reads of the file. Tests change the
    // file there.
    static std::function<void(const QString& path)> s_betweenReads;

    // Whether the bytes hold a line of more than longest bytes (CR and LF both
    // end one). lineLength carries the length of the last line, not ended yet,
    // from one call to the next.
    static bool HasLineLongerThan(const char* data, qsizetype size, qsizetype longest, qsizetype& lineLength);
    // The message for a file too large to open, and for one with a line too long.
    static QString TooLargeMessage(const QString& path, qint64 size);
    static QString LineTooLongMessage(const QString& path);

signals:
    // The first piece of text is in the editor.
    void firstTextShown();
    // The load is over; message says why it failed (empty when cancelled or loaded).
    void finished(CSourceLoader::Outcome outcome, const QString& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct CJob;
    static void Run(const std::shared_ptr<CJob>& job);
    static void KeepLargeBlocksMapped();
    bool IsEscapeForThisLoad(QObject* watched, QEvent* event) const;
    void OnTick();
    void TellColorizer(int fromBlock);
    void ShowProgress(int percent);
    void ClearProgress();
    void Finish(Outcome outcome, const QString& message);

    QPointer<QPlainTextEdit> m_pEditor;
    QString m_strPath;
    int m_nFileDescriptor;
    std::function<bool(const QString&, qsizetype)> m_confirmTruncated;
    std::shared_ptr<CJob> m_pJob;
    QTimer m_tick;
    QElapsedTimer m_sinceStart;
    CDiskStamp m_stampBefore;
    bool m_bAnyText = false;
    // The status bar showing this load's progress; null when none does.
    QPointer<QStatusBar> m_pProgressBar;
};
