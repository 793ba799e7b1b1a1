// Validating a 1 MB page with HTML Tidy.
//
// Writes a page of `kb` KB (1024 by default: headings, paragraphs with links,
// small tables, and every 50th section a stray end tag, an unknown tag and a
// picture without its text, so that Tidy has some hundreds of things to say)
// with CR LF line
// ends, opens it in the program and times, median of `runs`:
//   tidy_ms      CTidyValidator::Validate alone (the worker's share)
//   command_ms   Validate Page from the command to the Messages bar filled
//                and the error lines marked
//   ui_copy_ms   what the command itself holds the window for: copying the
//                text and stamping its lines
//   ui_report_ms what the report holds the window for when it arrives
//
//   build/bin/bench-validate [kb] [runs]

#include "BenchSetup.h"
#include "Median.h"

#include "app/ValidateCommands.h"
#include "editor/ZentrelDoc.h"
#include "editor/ZentrelView.h"
#include "framework/DocTemplate.h"
#include "framework/MessageBox.h"
#include "res/CommandIds.h"
#include "tools/MessagesBar.h"
#include "tools/TidyValidator.h"
#include "tools/ValidateJob.h"
#include "tools/ValidationMarks.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QByteArray MakePage(int kb)
{
    QByteArray page = "<!DOCTYPE html>\r\n<html><head><title>Bench</title></head><body>\r\n";
    for (int i = 0; page.size() < kb * 1024; ++i) {
        const QByteArray n = QByteArray::number(i);
        page += "<h2 id=\"s" + n + "\">Section " + n + "</h2>\r\n";
        page += "<p class=\"x\">Some text with <a href=\"page" + n + ".html\">a link</a> and <b>bold</b> words &amp; "
                "more.</p>\r\n";
        page += "<table><tr><td>" + n + "</td><td><img src=\"i" + n + ".png\" alt=\"\"></td></tr></table>\r\n";
        if (i % 50 == 0)
            page += "<p>a stray end tag</span></p>\r\n<foo>\r\n<img src=\"x.png\">\r\n";
    }
    return page + "</body></html>\r\n";
}


} // namespace

int main(int argc, char** argv)
{
    ZtBench::UseOffscreenWithoutDisplay();
    QTemporaryDir profileDir;
    ZtBench::UseOwnProfile(profileDir);
    CZentrelApp app(argc, argv);
    ZtBench::PrintMessagesAndAnswer(QMessageBox::Ok);
    const int kb = argc > 1 ? std::max(1, atoi(argv[1])) : 1024;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 9;
    CMainFrame* frame = ZtBench::ShowMainFrame(app);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    const QByteArray bytes = MakePage(kb);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return 1;
    file.close();
    app.OpenFileInEditor(path, false);
    auto* document = qobject_cast<CZentrelDoc*>(app.WebPageTemplate()->FirstDocument());
    // A page of 1 MB and more is read in the background.
    while (document->IsLoading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    CZentrelView* editor = document->GetView();
    CValidateCommands* commands = frame->Validate();

    std::vector<double> tidy, command, uiCopy, uiReport;
    int messages = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QString text = CTidyValidator::EditorText(editor->document());
        (void)CValidationMarks::Stamps(editor->document());
        uiCopy.push_back(timer.nsecsElapsed() / 1e6);

        timer.restart();
        const CTidyReport report = CTidyValidator::Validate(text);
        messages = int(report.messages.size());
        tidy.push_back(timer.nsecsElapsed() / 1e6);

        QEventLoop loop;
        // Queued: the loop ends after the commands have taken the report.
        const auto done = QObject::connect(
            commands->Job(), &CValidateJob::finished, &loop, [&] { loop.quit(); }, Qt::QueuedConnection);
        timer.restart();
        frame->ExecuteCommand(ZtCmd::ID_VALIDATE_PAGE);
        if (!commands->Job()->IsRunning())
            return 1;
        loop.exec();
        command.push_back(timer.nsecsElapsed() / 1e6);
        QObject::disconnect(done);

        // What the commands do with a report, timed on its own.
        QVector<int> errorLines;
        for (const CTidyMessage& message : report.messages) {
            if (message.severity == CTidyMessage::Error)
                errorLines.append(message.line);
        }
        const QVector<CValidationMarks::CLineStamp> stamps = CValidationMarks::Stamps(editor->document());
        timer.restart();
        commands->Bar()->ShowReport(QStringLiteral("page.html"), report);
        editor->findChild<CValidationMarks*>()->Mark(stamps, errorLines);
        QCoreApplication::processEvents();
        uiReport.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("page_kb=%d lines=%d messages=%d rows=%d\n", int(bytes.size() / 1024), editor->document()->blockCount(),
                messages, commands->Bar()->List()->topLevelItemCount());
    std::printf("tidy_ms=%.1f command_ms=%.1f ui_copy_ms=%.1f ui_report_ms=%.1f\n", ZtBench::Median(tidy), ZtBench::Median(command),
                ZtBench::Median(uiCopy), ZtBench::Median(uiReport));
    return 0;
}
