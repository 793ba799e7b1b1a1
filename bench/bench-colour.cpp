// Figures of the syntax colouring engine: scanner throughput, opening and
// colouring a 10 MB page in a real editor, the cost of re-colouring after a
// keystroke, a paste and an undo, scrolling by pages, and memory.
//
//   bench-colour                 prints "name: value unit" lines (medians)
//   bench-colour --structure     the same figures with pages coloured by
//                                structure
//   bench-colour --spans FILE    colours FILE as the editor does and prints
//                                every coloured token as "start end class"
//   bench-colour --spans --structure FILE
//                                the same, FILE coloured by structure
//   bench-colour --open FILE     opens FILE once as the program does (off the
//                                UI thread from 1 MB, colours from the start)
//                                and prints when the first screen was painted,
//                                when all was in, and the process's memory
//   bench-colour --write-page FILE  writes the benchmark's 10 MB page

#include "Median.h"
#include "editor/SourceDoc.h"
#include "editor/SourceLoader.h"
#include "editor/SourceText.h"
#include "editor/SyntaxColorizer.h"
#include "editor/StructureScanner.h"
#include "editor/SyntaxScanner.h"
#include "editor/LanguageTable.h"
#include "editor/TokenFormats.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <vector>

#include <unistd.h>

namespace {

constexpr qsizetype kFileBytes = 10 * 1024 * 1024;
constexpr qsizetype kLongLineBytes = 1024 * 1024;

// Whether pages are coloured by structure rather than by keywords.
bool g_bStructure = false;


void Print(const QByteArray& name, double value, const char* unit)
{
    std::printf("%s: %.3f %s\n", name.constData(), value, unit);
    std::fflush(stdout);
}

// Lines of the kind a hand-written page of the era holds: tags and
// attributes in capitals, quoted values, numbers, running text.
QByteArray PageLine(int n)
{
    switch (n % 8) {
    case 0:
        return "<TABLE WIDTH=\"100%\" BORDER=0 CELLPADDING=2 CELLSPACING=0>\n";
    case 1:
        return "  <TR><TD VALIGN=top><FONT FACE=\"Arial\" SIZE=2>Item " + QByteArray::number(n)
               + " costs 45.50 dollars</FONT></TD>\n";
    case 2:
        return "  <TD><IMG SRC=\"images/pic" + QByteArray::number(n % 97)
               + ".gif\" WIDTH=120 HEIGHT=80 ALT=\"Picture\"></TD></TR>\n";
    case 3:
        return "</TABLE>\n";
    case 4:
        return "<P>Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod "
               "tempor 2024.</P>\n";
    case 5:
        return "<A HREF=\"page" + QByteArray::number(n % 31) + ".html\">Next page</A><BR>\n";
    case 6:
        return "<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" LINK=\"#0000FF\"> <H1>Title</H1>\n";
    default:
        return "<FONT COLOR=Red>Warning:</FONT> values 1e3 and 0x1F &nbsp; caf\xc3\xa9 \n";
    }
}

QByteArray MakePage(qsizetype bytes)
{
    QByteArray page;
    page.reserve(bytes + 256);
    for (int n = 0; page.size() < bytes; ++n)
        page += PageLine(n);
    page.truncate(bytes);
    return page;
}

// A page whose middle line is 1 MB long.
QByteArray MakeLongLinePage()
{
    QByteArray longLine;
    longLine.reserve(kLongLineBytes + 64);
    for (int n = 0; longLine.size() < kLongLineBytes; ++n)
        longLine += "<TD WIDTH=" + QByteArray::number(n % 500) + ">cell \"x\"</TD>";
    longLine.truncate(kLongLineBytes);
    const QByteArray half = MakePage((kFileBytes - kLongLineBytes) / 2);
    return half + longLine + '\n' + half;
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

double StatusMb(const QByteArray& field)
{
    const QByteArray status = ReadFile(QStringLiteral("/proc/self/status"));
    for (const QByteArray& line : status.split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

double PeakRssMb()
{
    return StatusMb("VmHWM:");
}

// Times only the colorizer's share of a change notification: one slot runs
// before the colorizer's (connected earlier), one after (connected later).
class CChangeTimer
{
public:
    void Before(QTextDocument* document)
    {
        QObject::connect(document, &QTextDocument::contentsChange, [this] {
            if (m_nDepth++ == 0)
                m_timer.start();
        });
    }
    void After(QTextDocument* document)
    {
        QObject::connect(document, &QTextDocument::contentsChange, [this] {
            if (--m_nDepth == 0)
                m_dLastMs = double(m_timer.nsecsElapsed()) / 1e6;
        });
    }
    double LastMs() const { return m_dLastMs; }

private:
    QElapsedTimer m_timer;
    int m_nDepth = 0;
    double m_dLastMs = 0;
};

// Times only the colorizer's share of a viewport paint: an event filter
// installed before the colorizer's runs after it, one installed after runs
// before it.
class CPaintTimer : public QObject
{
public:
    explicit CPaintTimer(bool start) : m_bStart(start) {}
    static void Reset() { s_dSlowestMs = 0; }
    static double SlowestMs() { return s_dSlowestMs; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            if (m_bStart)
                s_timer.start();
            else
                s_dSlowestMs = std::max(s_dSlowestMs, double(s_timer.nsecsElapsed()) / 1e6);
        }
        return false;
    }

private:
    bool m_bStart;
    static inline QElapsedTimer s_timer;
    static inline double s_dSlowestMs = 0;
};

// An editor as the program opens a file: sized, shown offscreen, loaded from
// the file's bytes, its colorizer set to the file's language.
struct COpenEditor
{
    std::unique_ptr<QPlainTextEdit> editor;
    CSyntaxColorizer* colorizer = nullptr;
    CChangeTimer changeTimer; // its slots hold its address: never moved
    CPaintTimer paintStart{true};
    CPaintTimer paintEnd{false};
    double loadMs = 0;
    double colourMs = 0;
    double showMs = 0;

    COpenEditor() = default;
    COpenEditor(const COpenEditor&) = delete;
    COpenEditor& operator=(const COpenEditor&) = delete;

    void Open(const QString& path)
    {
        QElapsedTimer timer;
        timer.start();
        editor = std::make_unique<QPlainTextEdit>();
        editor->setLineWrapMode(QPlainTextEdit::NoWrap);
        editor->resize(900, 700);
        CSourceText::LoadInto(editor->document(), ReadFile(path));
        loadMs = double(timer.nsecsElapsed()) / 1e6;
        changeTimer.Before(editor->document());
        editor->viewport()->installEventFilter(&paintEnd);
        colorizer = new CSyntaxColorizer(editor.get());
        editor->viewport()->installEventFilter(&paintStart);
        changeTimer.After(editor->document());
        colorizer->SetSyntaxColoring(true);
        colorizer->SetColourByStructure(g_bStructure);
        colorizer->SetLanguage(path);
        colourMs = double(timer.nsecsElapsed()) / 1e6 - loadMs;
        editor->show();
        editor->activateWindow();
        editor->setFocus();
        QCoreApplication::processEvents();
        showMs = double(timer.nsecsElapsed()) / 1e6 - loadMs - colourMs;
    }
};

double TimeMs(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

void SendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

void BenchScanner(const QString& path)
{
    const CLanguageTable::Language* html = CLanguageTable::ForFileName(path);
    const CSyntaxScanner scanner(CLanguageTable::QuoteChars(html), *html->primaryList,
                                 *html->secondaryList);
    const QByteArray bytes = ReadFile(path);
    const QString text = QString::fromUtf8(bytes);
    std::vector<CSyntaxToken> tokens;
    tokens.reserve(std::size_t(text.size() / 4));
    std::vector<double> rates;
    for (int run = 0; run < 7; ++run) {
        tokens.clear();
        const double ms = TimeMs([&] { scanner.Scan(text, tokens); });
        rates.push_back(double(bytes.size()) / (1024.0 * 1024.0) / (ms / 1000.0));
    }
    Print("scanner_mb_per_s", ZtBench::Median(rates), "MB/s");
    Print("scanner_tokens", double(tokens.size()), "tokens");
}

// The structure scanner goes line by line, as the editor hands it lines.
void BenchStructureScanner(const char* name, const QByteArray& bytes)
{
    const CStructureScanner scanner;
    const QString text = QString::fromUtf8(bytes);
    std::vector<QStringView> lines;
    for (QStringView line : QStringView(text).split(u'\n'))
        lines.push_back(line);
    std::vector<CSyntaxToken> tokens;
    tokens.reserve(std::size_t(text.size() / 4));
    std::vector<double> rates;
    for (int run = 0; run < 7; ++run) {
        tokens.clear();
        const double ms = TimeMs([&] {
            CStructureScanner::State state = 0;
            for (const QStringView line : lines)
                state = scanner.Scan(line, state, tokens);
        });
        rates.push_back(double(bytes.size()) / (1024.0 * 1024.0) / (ms / 1000.0));
    }
    const QByteArray prefix(name);
    Print(prefix + "_mb_per_s", ZtBench::Median(rates), "MB/s");
    Print(prefix + "_tokens", double(tokens.size()), "tokens");
}

// A page of the present day: a style sheet and a script in the head, markup
// with classes and entities, comments.
QByteArray MakeMixedPage(qsizetype bytes)
{
    QByteArray page = "<!DOCTYPE html>\n<html lang=\"en\">\n";
    for (int n = 0; page.size() < bytes; ++n) {
        page += "<style>\n/* section " + QByteArray::number(n) + " */\n"
                "@media (max-width: 600px) { .nav a:hover, #main > p { color: #336699; margin: 0 4px; } }\n"
                "body { font: 12px/1.5 \"Helvetica Neue\", Arial, sans-serif; background: url(img/bg.png); }\n"
                "</style>\n<script>\n"
                "// counts the items\nfunction count(list) { let n = 0; for (const x of list) { if (/^a+$/i.test(x)) n += 1.5e2; }\n"
                "  return n > 0x1F ? `many ${n}` : 'few'; /* done */ }\n</script>\n";
        for (int line = 0; line < 24; ++line)
            page += PageLine(n * 24 + line);
        page += "<!-- end of part " + QByteArray::number(n) + " --> <p class=\"note\">&copy; 2024 &amp; more</p>\n";
    }
    page.truncate(bytes);
    return page;
}

// Opens path five times; the last editor stays open for the edit figures.
std::unique_ptr<COpenEditor> BenchOpen(const char* name, const QString& path)
{
    std::vector<double> times, load, colour, show;
    std::unique_ptr<COpenEditor> open;
    for (int run = 0; run < 5; ++run) {
        open.reset();
        open = std::make_unique<COpenEditor>();
        times.push_back(TimeMs([&] { open->Open(path); }));
        load.push_back(open->loadMs);
        colour.push_back(open->colourMs);
        show.push_back(open->showMs);
    }
    Print(name, ZtBench::Median(times), "ms");
    const QByteArray prefix(name);
    Print(prefix + "_load_part_ms", ZtBench::Median(load), "ms");
    Print(prefix + "_colour_part_ms", ZtBench::Median(colour), "ms");
    Print(prefix + "_show_part_ms", ZtBench::Median(show), "ms");
    return open;
}

void BenchEdits(COpenEditor& open)
{
    QPlainTextEdit* editor = open.editor.get();
    QTextCursor middle(editor->document()->findBlockByNumber(editor->document()->blockCount() / 2));
    middle.movePosition(QTextCursor::EndOfBlock);
    editor->setTextCursor(middle);

    const int lengthBefore = editor->document()->characterCount();
    std::vector<double> recolour;
    std::vector<double> total;
    for (int i = 0; i < 21; ++i) {
        total.push_back(TimeMs([&] { SendKey(editor, Qt::Key_X, Qt::NoModifier, QStringLiteral("x")); }));
        recolour.push_back(open.changeTimer.LastMs());
    }
    if (editor->document()->characterCount() != lengthBefore + 21)
        std::fprintf(stderr, "bench-colour: the typed characters did not arrive\n");
    Print("keystroke_recolour_ms", ZtBench::Median(recolour), "ms");
    Print("keystroke_total_ms", ZtBench::Median(total), "ms");

    QByteArray lines;
    for (int n = 0; n < 1000; ++n)
        lines += PageLine(n);
    QApplication::clipboard()->setText(QString::fromUtf8(lines));
    std::vector<double> paste, pasteRecolour, undo, undoRecolour;
    for (int run = 0; run < 5; ++run) {
        paste.push_back(TimeMs([&] { SendKey(editor, Qt::Key_V, Qt::ControlModifier, QString()); }));
        pasteRecolour.push_back(open.changeTimer.LastMs());
        // Ctrl+Z colours the whole text again: the lines on screen at once,
        // the others when they are shown.
        undo.push_back(TimeMs([&] { SendKey(editor, Qt::Key_Z, Qt::ControlModifier, QString()); }));
        undoRecolour.push_back(open.changeTimer.LastMs());
    }
    Print("paste_1000_lines_ms", ZtBench::Median(paste), "ms");
    Print("paste_1000_lines_recolour_ms", ZtBench::Median(pasteRecolour), "ms");
    Print("undo_recolour_ms", ZtBench::Median(undoRecolour), "ms");
    Print("undo_total_ms", ZtBench::Median(undo), "ms");

    // A paste of half the page, far more lines than are shown, and its undo.
    QByteArray many;
    for (int n = 0; many.size() < kFileBytes / 2; ++n)
        many += PageLine(n);
    QApplication::clipboard()->setText(QString::fromUtf8(many));
    std::vector<double> bigPaste, bigPasteRecolour, bigUndo, bigUndoRecolour;
    for (int run = 0; run < 3; ++run) {
        bigPaste.push_back(TimeMs([&] { SendKey(editor, Qt::Key_V, Qt::ControlModifier, QString()); }));
        bigPasteRecolour.push_back(open.changeTimer.LastMs());
        bigUndo.push_back(TimeMs([&] { SendKey(editor, Qt::Key_Z, Qt::ControlModifier, QString()); }));
        bigUndoRecolour.push_back(open.changeTimer.LastMs());
    }
    Print("paste_5mb_ms", ZtBench::Median(bigPaste), "ms");
    Print("paste_5mb_recolour_ms", ZtBench::Median(bigPasteRecolour), "ms");
    Print("undo_5mb_paste_ms", ZtBench::Median(bigUndo), "ms");
    Print("undo_5mb_paste_recolour_ms", ZtBench::Median(bigUndoRecolour), "ms");
}

// Pages down from the top to the bottom, each page painted before the next;
// prints the slowest and the median page.
void BenchScroll(COpenEditor& open)
{
    QPlainTextEdit* editor = open.editor.get();
    QScrollBar* bar = editor->verticalScrollBar();
    bar->setValue(0);
    QCoreApplication::processEvents();
    std::vector<double> pages;
    // The UI thread's own processor time for each page: a slow page whose
    // processor time is short waited for the machine, not for the program.
    std::vector<double> pagesCpu;
    CPaintTimer::Reset();
    while (bar->value() < bar->maximum()) {
        const double cpuBefore = ThreadCpuMs();
        pages.push_back(TimeMs([&] {
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
            editor->viewport()->repaint();
        }));
        pagesCpu.push_back(ThreadCpuMs() - cpuBefore);
    }
    const auto slowest = std::max_element(pages.begin(), pages.end());
    Print("scroll_pages", double(pages.size()), "pages");
    Print("scroll_page_median_ms", ZtBench::Median(pages), "ms");
    Print("scroll_page_slowest_ms", *slowest, "ms");
    Print("scroll_page_slowest_own_cpu_ms", pagesCpu[std::size_t(slowest - pages.begin())], "ms");
    Print("scroll_page_most_cpu_ms", *std::max_element(pagesCpu.begin(), pagesCpu.end()), "ms");
    std::vector<double> sorted = pages;
    std::sort(sorted.begin(), sorted.end());
    Print("scroll_page_p99_ms", sorted[sorted.size() * 99 / 100], "ms");
    Print("scroll_page_colour_slowest_ms", CPaintTimer::SlowestMs(), "ms");
    Print("rss_after_scroll_mb", StatusMb("VmRSS:"), "MB");
}

int RunBenchmark()
{
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("page.html"));
    const QString longLine = dir.filePath(QStringLiteral("longline.html"));
    if (!WriteFile(page, MakePage(kFileBytes)) || !WriteFile(longLine, MakeLongLinePage())) {
        std::fprintf(stderr, "bench-colour: cannot write the test files in %s\n",
                     qPrintable(dir.path()));
        return 1;
    }
    BenchScanner(page);
    BenchStructureScanner("structure_scanner", ReadFile(page));
    BenchStructureScanner("structure_scanner_mixed", MakeMixedPage(kFileBytes));
    std::unique_ptr<COpenEditor> opened = BenchOpen("open_colour_10mb_ms", page);
    Print("open_rss_mb", StatusMb("VmRSS:"), "MB");
    Print("open_peak_rss_mb", PeakRssMb(), "MB");
    BenchEdits(*opened);
    BenchScroll(*opened);
    opened.reset();
    BenchOpen("long_line_open_colour_ms", longLine);
    Print("peak_rss_mb", PeakRssMb(), "MB");
    return 0;
}

// Loads path into the editor as the program does: at once below
// CSourceDoc::s_nBackgroundLoadBytes, else piece by piece off the UI thread
// (CSourceLoader). firstText runs when the first piece is in.
bool LoadAsTheProgramDoes(QPlainTextEdit* editor, const QString& path, const std::function<void()>& firstText = {})
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench-colour: cannot read %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    if (file.size() < CSourceDoc::s_nBackgroundLoadBytes) {
        CSourceText::LoadInto(editor->document(), file.readAll());
        if (firstText)
            firstText();
        return true;
    }
    auto* loader = new CSourceLoader(editor, path, ::dup(file.handle()), [](const QString&, qsizetype) { return true; });
    file.close();
    QEventLoop wait;
    bool loaded = false;
    if (firstText)
        QObject::connect(loader, &CSourceLoader::firstTextShown, firstText);
    QObject::connect(loader, &CSourceLoader::finished, [&](CSourceLoader::Outcome outcome, const QString& message) {
        loaded = outcome == CSourceLoader::Outcome::Loaded;
        if (!message.isEmpty())
            std::fprintf(stderr, "bench-colour: %s\n", qPrintable(message));
        wait.quit();
    });
    loader->Start();
    wait.exec();
    delete loader;
    return loaded;
}

// Lines of the first screen whose colours are those the colorizer gives them
// (a line without tokens counts as not coloured).
int ColouredShownLines(QPlainTextEdit* editor, CSyntaxColorizer* colorizer, int* shown)
{
    const int lines = editor->viewport()->height() / editor->fontMetrics().lineSpacing();
    int coloured = 0;
    *shown = 0;
    for (QTextBlock block = editor->cursorForPosition(QPoint(0, 0)).block(); block.isValid() && *shown < lines;
         block = block.next()) {
        ++*shown;
        const QList<QTextLayout::FormatRange> wanted = colorizer->BlockFormats(block);
        if (!wanted.isEmpty() && block.layout()->formats() == wanted)
            ++coloured;
    }
    return coloured;
}

// Opens one page as the program does, its language set before the text comes
// in, and prints when the first screen was painted (and how much of it was
// coloured), when the whole text was in, and the process's memory.
int OpenOnce(const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    QPlainTextEdit editor;
    editor.setLineWrapMode(QPlainTextEdit::NoWrap);
    editor.resize(900, 700);
    auto* colorizer = new CSyntaxColorizer(&editor);
    colorizer->SetSyntaxColoring(true);
    colorizer->SetLanguage(path);
    editor.show();
    QCoreApplication::processEvents();
    double firstScreenMs = -1;
    int shown = 0;
    int coloured = 0;
    const bool loaded = LoadAsTheProgramDoes(&editor, path, [&] {
        editor.viewport()->repaint();
        firstScreenMs = double(timer.nsecsElapsed()) / 1e6;
        coloured = ColouredShownLines(&editor, colorizer, &shown);
    });
    QCoreApplication::processEvents();
    if (!loaded)
        return 1;
    Print("first_screen_ms", firstScreenMs, "ms");
    std::printf("first_screen_coloured_lines: %d of %d\n", coloured, shown);
    Print("loaded_ms", double(timer.nsecsElapsed()) / 1e6, "ms");
    Print("rss_mb", StatusMb("VmRSS:"), "MB");
    Print("peak_rss_mb", PeakRssMb(), "MB");
    return 0;
}

// Scans lines in order as the editor colours them and prints every coloured
// token as "start end class", positions counted through the whole text (one
// character for each line break).
class CSpanPrinter
{
public:
    explicit CSpanPrinter(const CSyntaxColorizer& colorizer) : m_colorizer(colorizer) {}

    void Line(QStringView text)
    {
        m_tokens.clear();
        m_state = m_colorizer.ScanLine(text, m_state, m_tokens).end;
        for (const CSyntaxToken& token : m_tokens) {
            if (token.tokenClass != ZtTokenClass::Other)
                std::printf("%d %d %s\n", m_nPosition + token.start, m_nPosition + token.end,
                            ZtTokenClassName(token.tokenClass));
        }
        m_nPosition += int(text.size()) + 1;
    }

private:
    const CSyntaxColorizer& m_colorizer;
    std::vector<CSyntaxToken> m_tokens;
    CSyntaxColorizer::ScanState m_state = 0; // the line before ended in it
    int m_nPosition = 0;
};

// Hands over the lines of the editor's text for a file's bytes, in order: the
// text the loader makes of them, decoded a piece at a time as big files are
// loaded, with the same rules for encodings, line ends and a zero byte.
void ForEachLine(const QByteArray& bytes, const std::function<void(QStringView)>& visit)
{
    const char* data = bytes.constData();
    const qsizetype size = CSourceText::TextLength(bytes);
    CSourceText source = CSourceText::ForBytes(data, size);
    CSourceText::LineEndCounts counts = {0, 0, 0, 0, 0};
    QString open; // after a piece's last line break: the text's last line, or a line going on
    for (qsizetype start = 0; start < size;) {
        const qsizetype end = CSourceText::PieceEnd(data, size, start, CSourceText::s_nLoadPieceBytes);
        const QString piece = source.DecodePiece(data + start, end - start, start == 0, counts);
        source.lineEnds.clear();
        start = end;
        qsizetype from = 0;
        for (qsizetype feed; (feed = piece.indexOf(u'\n', from)) >= 0; from = feed + 1) {
            const QStringView line = QStringView(piece).mid(from, feed - from);
            if (open.isEmpty()) {
                visit(line);
            } else {
                open += line;
                visit(open);
                open.clear();
            }
        }
        open += QStringView(piece).mid(from);
    }
    visit(open); // empty after a final line break
}

// Colours FILE as the editor would and prints every coloured token: the
// editor's lines of the file, each line's tokens from the colorizer's own line
// scan. No document is built: Qt's building of one would take most of the
// time, and the listing needs only the lines.
int PrintSpans(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench-colour: cannot read %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return 1;
    }
    const QByteArray bytes = file.readAll();
    file.close();
    // The editor only holds the colorizer, set up as the program sets it up;
    // the size limit on colouring is the program's choice, left out here.
    QPlainTextEdit editor;
    auto* colorizer = new CSyntaxColorizer(&editor);
    colorizer->SetSyntaxColoring(true);
    colorizer->SetColourByStructure(g_bStructure);
    colorizer->SetLanguage(path);

    CSpanPrinter printer(*colorizer);
    ForEachLine(bytes, [&printer](QStringView line) { printer.Line(line); });
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    g_bStructure = args.removeAll(QStringLiteral("--structure")) > 0;
    if (args.size() >= 2 && args.at(1) == QLatin1String("--spans")) {
        if (args.size() != 3) {
            std::fprintf(stderr, "usage: bench-colour [--structure] [--spans FILE | --open FILE | --write-page FILE]\n");
            return 2;
        }
        return PrintSpans(args.at(2));
    }
    if (args.size() == 3 && args.at(1) == QLatin1String("--open"))
        return OpenOnce(args.at(2));
    if (args.size() == 3 && args.at(1) == QLatin1String("--write-page"))
        return WriteFile(args.at(2), MakePage(kFileBytes)) ? 0 : 1;
    if (args.size() > 1) {
        std::fprintf(stderr, "usage: bench-colour [--structure] [--spans FILE | --open FILE | --write-page FILE]\n");
        return 2;
    }
    return RunBenchmark();
}
