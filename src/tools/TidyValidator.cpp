#include "tools/TidyValidator.h"

#include <QMutex>
#include <QTextDocument>

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <algorithm>
#include <memory>

namespace {

// A message as Tidy gives it: its column is Tidy's, not yet the editor's.
struct CRawMessage
{
    int line;
    int column;
    CTidyMessage::Severity severity;
    QString text;
};

struct CCollector
{
    QVector<CRawMessage> messages;
    int omitted = 0;
};

Bool TIDY_CALL Collect(TidyMessage message)
{
    auto* collector = static_cast<CCollector*>(tidyGetAppData(tidyGetMessageDoc(message)));
    CTidyMessage::Severity severity;
    switch (tidyGetMessageLevel(message)) {
    case TidyWarning:
    case TidyAccess:
        severity = CTidyMessage::Warning;
        break;
    case TidyError:
    case TidyBadDocument:
    case TidyFatal:
        severity = CTidyMessage::Error;
        break;
    default:
        // Information, configuration notes and the summary say nothing
        // about a place in the page.
        return no;
    }
    if (collector->messages.size() >= CTidyValidator::kMaxMessages) {
        ++collector->omitted;
        return no;
    }
    collector->messages.append({qMax(0, tidyGetMessageLine(message)), tidyGetMessageColumn(message), severity,
                                QString::fromUtf8(tidyGetMessage(message)).trimmed()});
    // Handled here: Tidy writes nothing of it anywhere.
    return no;
}

// Tidy keeps some state of its own between documents (its message tables);
// one check at a time keeps threads from meeting there.
QMutex& TidyLock()
{
    static QMutex lock;
    return lock;
}

void Configure(TidyDoc doc)
{
    tidyOptSetBool(doc, TidyQuiet, yes);
    tidyOptSetBool(doc, TidyShowInfo, no);
    tidyOptSetBool(doc, TidyShowWarnings, yes);
    // Tidy shows six errors unless told otherwise.
    tidyOptSetInt(doc, TidyShowErrors, CTidyValidator::kMaxMessages + 1);
    tidyOptSetInt(doc, TidyTabSize, CTidyValidator::kTabSize);
    tidyOptSetBool(doc, TidyShowMarkup, no);
    tidySetInCharEncoding(doc, "utf8");
}

// Runs Tidy over utf8 and collects its messages. The tree is cleaned as well
// as parsed: some warnings (attributes HTML does not have) come only then.
CCollector RunTidy(QByteArray utf8)
{
    CCollector collector;
    QMutexLocker locker(&TidyLock());
    std::unique_ptr<std::remove_pointer_t<TidyDoc>, void (*)(TidyDoc)> doc(tidyCreate(), tidyRelease);
    TidyBuffer errors;
    tidyBufInit(&errors);
    // Whatever slips past the callback lands here, not on the terminal.
    tidySetErrorBuffer(doc.get(), &errors);
    tidySetAppData(doc.get(), &collector);
    tidySetMessageCallback(doc.get(), Collect);
    Configure(doc.get());
    TidyBuffer input;
    tidyBufInit(&input);
    tidyBufAttach(&input, reinterpret_cast<byte*>(utf8.data()), uint(utf8.size()));
    if (tidyParseBuffer(doc.get(), &input) >= 0)
        tidyCleanAndRepair(doc.get());
    tidyBufDetach(&input);
    doc.reset();
    tidyBufFree(&errors);
    return collector;
}

} // namespace

qsizetype CTidyValidator::TextColumn(QStringView line, int tidyColumn)
{
    int column = 1;
    qsizetype offset = 0;
    while (offset < line.size() && column < tidyColumn) {
        if (line.at(offset) == QLatin1Char('\t'))
            column += kTabSize - (column - 1) % kTabSize;
        else
            ++column;
        // A character outside the basic plane is one column and two units.
        offset += line.at(offset).isHighSurrogate() && offset + 1 < line.size() && line.at(offset + 1).isLowSurrogate()
            ? 2
            : 1;
    }
    return offset;
}

QString CTidyValidator::EditorText(const QTextDocument* document)
{
    // The raw text keeps the no-break spaces and line separators that
    // toPlainText turns into other characters.
    QString text = document->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

CTidyReport CTidyValidator::Validate(QStringView text)
{
    CTidyReport report;
    if (IsTooLarge(text.size())) {
        report.tooLarge = true;
        return report;
    }
    CCollector collected = RunTidy(text.toUtf8());
    report.omitted = collected.omitted;
    // Tidy reports some things when it meets their end (an element closed
    // late): the list is read top to bottom.
    std::stable_sort(collected.messages.begin(), collected.messages.end(),
                     [](const CRawMessage& a, const CRawMessage& b) {
                         return a.line != b.line ? a.line < b.line : a.column < b.column;
                     });
    // One pass down the text finds each message's line.
    int line = 1;
    qsizetype lineStart = 0;
    report.messages.reserve(collected.messages.size());
    for (const CRawMessage& raw : std::as_const(collected.messages)) {
        while (line < raw.line) {
            const qsizetype next = text.indexOf(QLatin1Char('\n'), lineStart);
            if (next < 0)
                break;
            lineStart = next + 1;
            ++line;
        }
        qsizetype column = 0;
        if (raw.line > 0 && line == raw.line) {
            qsizetype lineEnd = text.indexOf(QLatin1Char('\n'), lineStart);
            if (lineEnd < 0)
                lineEnd = text.size();
            column = TextColumn(text.mid(lineStart, lineEnd - lineStart), raw.column);
        }
        report.messages.append({raw.line, column, raw.severity, raw.text});
    }
    return report;
}
