// The journal's cost on a 10 MB page: a keystroke with and without the
// journal watching the page, the part of a journal write that runs on the UI
// thread (copying the text out) and the part the worker does (the file
// bytes, the checksum and the atomic write). Medians of several runs.
//
//   build/bin/bench-journal [keystrokes]

#include "BenchSetup.h"
#include "Median.h"
#include "app/UnsavedWork.h"
#include "app/ZentrelApp.h"
#include "framework/Archive.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/MessageBox.h"
#include "framework/RecoveryJournal.h"
#include "framework/View.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QByteArray MakePage(qsizetype bytes)
{
    const QByteArray row = "<TR><TD ALIGN=\"left\" WIDTH=\"100\">Cell 12.5 text &amp; more</TD></TR>\r\n";
    QByteArray page = "<HTML>\r\n<BODY BGCOLOR=\"#FFFFFF\">\r\n<TABLE BORDER=\"1\">\r\n";
    while (page.size() < bytes)
        page += row;
    return page + "</TABLE>\r\n</BODY>\r\n</HTML>\r\n";
}


// Milliseconds for one typed character, key press to the edit done.
std::vector<double> TypeKeys(QPlainTextEdit* editor, int count)
{
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer timer;
        timer.start();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QCoreApplication::sendEvent(editor, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QCoreApplication::sendEvent(editor, &release);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return times;
}

} // namespace

int main(int argc, char** argv)
{
    ZtBench::UseOffscreenWithoutDisplay();
    QTemporaryDir profileDir;
    ZtBench::UseOwnProfile(profileDir);
    CZentrelApp app(argc, argv);
    ZtBench::ShowMainFrame(app);
    ZtBench::PrintMessagesAndAnswer(QMessageBox::No);
    const int keys = argc > 1 ? std::max(5, atoi(argv[1])) : 200;

    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("big.html"));
    QFile file(source);
    file.open(QIODevice::WriteOnly);
    file.write(MakePage(10 * 1024 * 1024));
    file.close();

    CDocument* document = app.WebPageTemplate()->OpenDocumentFile(source);
    auto* editor = qobject_cast<QPlainTextEdit*>(document->GetFirstView()->GetWidget());
    editor->moveCursor(QTextCursor::End);
    const double plainKeyMs = ZtBench::Median(TypeKeys(editor, keys));

    CUnsavedWork work(dir.filePath(QStringLiteral("recovery")));
    work.Start();
    work.Watch(document);
    const double journaledKeyMs = ZtBench::Median(TypeKeys(editor, keys));

    std::vector<double> serializeMs, workerMs;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        const auto store = document->StoreLater();
        serializeMs.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        work.Journal()->JournalNow(document);
        const double queued = timer.nsecsElapsed() / 1e6;
        work.Journal()->WaitForDisk();
        workerMs.push_back(timer.nsecsElapsed() / 1e6 - queued);
    }
    const qint64 journalBytes = QFileInfo(work.Journal()->JournalFile(document)).size();
    std::printf("page_mb: %.1f MB\n", journalBytes / 1048576.0);
    std::printf("keystroke_without_journal_ms: %.2f ms\n", plainKeyMs);
    std::printf("keystroke_with_journal_ms: %.2f ms\n", journaledKeyMs);
    std::printf("journal_ui_thread_ms: %.0f ms (copying the text out, once per pause)\n", ZtBench::Median(serializeMs));
    std::printf("journal_worker_ms: %.0f ms (file bytes, checksum, atomic write)\n", ZtBench::Median(workerMs));
    document->SetModifiedFlag(false);
    document->OnCloseDocument();
    return 0;
}
