#include "editor/ZentrelView.h"

#include "files/AtomicFile.h"
#include "files/FileKinds.h"
#include "framework/MessageBox.h"
#include "editor/SourceText.h"
#include "editor/SpellChecker.h"
#include "editor/SpellDecorator.h"
#include "editor/SyntaxColorizer.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>

using namespace ZtCmd;

namespace {
CSourceEditView::Settings WebPageSettings()
{
    return {IDR_EDITOR_CONTEXT, 180, CSourceEditView::kWebPageScreenSizeTwips, CSourceEditView::WebPageDefaultFace(),
            true};
}
} // namespace

CZentrelView::CZentrelView()
    : CSourceEditView(WebPageSettings())
    , m_pColorizer(new CSyntaxColorizer(this))
    , m_pSpelling(new CSpellDecorator(this, m_pColorizer, CSpellChecker::Instance()))
{
    setObjectName(QStringLiteral("ZentrelView"));
}

CZentrelView::~CZentrelView() = default;

namespace {
CZentrelView::FileDropHandler& InstalledFileDropHandler()
{
    static CZentrelView::FileDropHandler handler;
    return handler;
}

CZentrelView::FileOpenHandler& InstalledFileOpenHandler()
{
    static CZentrelView::FileOpenHandler handler;
    return handler;
}

bool OffersLocalFile(const QMimeData* data)
{
    return !data->urls().isEmpty() && data->urls().first().isLocalFile();
}
} // namespace

void CZentrelView::SetFileDropHandler(FileDropHandler handler)
{
    InstalledFileDropHandler() = std::move(handler);
}

void CZentrelView::SetFileOpenHandler(FileOpenHandler handler)
{
    InstalledFileOpenHandler() = std::move(handler);
}

bool CZentrelView::AcceptsFileDrop(const QMimeData* data) const
{
    if (data->hasFormat(OpenFileDragFormat()))
        return InstalledFileOpenHandler() && OffersLocalFile(data);
    return InstalledFileDropHandler() && data->hasFormat(ProgramFileDragFormat()) && OffersLocalFile(data);
}

void CZentrelView::dropEvent(QDropEvent* event)
{
    if (event->mimeData()->hasFormat(OpenFileDragFormat()) && AcceptsFileDrop(event->mimeData())) {
        // Opened after the drop: a new window must not appear while the
        // drag still delivers its events.
        const QString path = event->mimeData()->urls().first().toLocalFile();
        QTimer::singleShot(0, qApp, [handler = InstalledFileOpenHandler(), path] { handler(path); });
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    if (event->mimeData()->hasFormat(KeywordDragFormat())) {
        // The keyword goes where it was let go, as one undoable edit.
        setTextCursor(cursorForPosition(event->position().toPoint()));
        setFocus(Qt::OtherFocusReason);
        ReplaceSelection(QString::fromUtf8(event->mimeData()->data(KeywordDragFormat())));
        event->setDropAction(Qt::CopyAction);
        event->accept();
        return;
    }
    if (!AcceptsFileDrop(event->mimeData())) {
        CSourceEditView::dropEvent(event);
        return;
    }
    // The tag goes where the file was let go, as one edit.
    setTextCursor(cursorForPosition(event->position().toPoint()));
    setFocus(Qt::OtherFocusReason);
    const QString tag = InstalledFileDropHandler()(event->mimeData()->urls().first().toLocalFile());
    if (!tag.isEmpty())
        ReplaceSelection(tag);
    // A copy: the dragged file stays where it is.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CZentrelView::OnOpenRequest(const COpenRequest& request)
{
    m_pColorizer->SetSyntaxColoring(request.m_bSyntaxColoring);
}

void CZentrelView::SetLanguage(const QString& nameOrPath)
{
    m_bHtml = nameOrPath.isEmpty() || IsHtmlFile(nameOrPath);
    m_pColorizer->SetLanguage(nameOrPath);
    m_pSpelling->SetFileName(nameOrPath);
}

bool CZentrelView::IsSyntaxColoring() const
{
    return m_pColorizer->IsSyntaxColoring();
}

CSourcePrinter::BlockColours CZentrelView::PrintColours() const
{
    if (!m_pColorizer->IsSyntaxColoring())
        return {};
    CSyntaxColorizer* colorizer = m_pColorizer;
    return [colorizer](const QTextBlock& block) { return colorizer->BlockFormats(block); };
}

void CZentrelView::AddContextItems(QMenu* menu, int position)
{
    int start = 0;
    int length = 0;
    if (!m_pSpelling->MisspeltWordAt(position, &start, &length))
        return;
    QTextCursor cursor(document());
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    const QString word = cursor.selectedText();
    QAction* top = menu->actions().value(0);
    QList<QAction*> items;
    for (const QString& suggestion : m_pSpelling->Suggestions(word)) {
        // A "&" in a word is a letter, not a menu key.
        auto* item = new QAction(QString(suggestion).replace(QLatin1Char('&'), QStringLiteral("&&")), menu);
        connect(item, &QAction::triggered, this,
                [this, start, length, suggestion] { ReplaceRange(start, start + length, suggestion); });
        items << item;
    }
    if (items.isEmpty()) {
        items << new QAction(tr("(no suggestions)"), menu);
        items.last()->setEnabled(false);
    }
    items << new QAction(menu);
    items.last()->setSeparator(true);
    items << new QAction(tr("Add to Dictionary"), menu);
    connect(items.last(), &QAction::triggered, this, [this, word] { m_pSpelling->AddToDictionary(word); });
    items << new QAction(tr("Ignore"), menu);
    connect(items.last(), &QAction::triggered, this, [this, word] { m_pSpelling->Ignore(word); });
    items << new QAction(menu);
    items.last()->setSeparator(true);
    menu->insertActions(top, items);
}

void CZentrelView::ReplaceSelection(const QString& text)
{
    textCursor().insertText(text);
}

void CZentrelView::ReplaceRange(int start, int end, const QString& text)
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.insertText(text);
    cursor.endEditBlock();
    setTextCursor(cursor);
}

QString CZentrelView::TextBetween(int start, int end) const
{
    QTextCursor cursor(document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    // One character for one: positions in the text are positions in the
    // document.
    return cursor.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

namespace {
// How much text around the caret is read for a tag: far more than any tag
// an author writes, far less than a big page.
constexpr int kTagReach = 64 * 1024;
// The furthest back "</" and the wizards read: a keystroke must not read a
// whole big page. An element opened further back is not completed.
constexpr int kBackReach = 256 * 1024;

// Keys that only change what the next key types.
bool IsModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_AltGr
           || key == Qt::Key_Meta || key == Qt::Key_CapsLock || key == Qt::Key_NumLock;
}
} // namespace

int CZentrelView::ReadFrom(int position, int reach) const
{
    // From the start of a line where it is near: a page of one long line
    // is still read only that far.
    const int at = qMax(0, position - reach);
    return qMax(document()->findBlock(at).position(), at - kTagReach);
}

CStartTag CZentrelView::StartTagAround(int position) const
{
    const int length = document()->characterCount() - 1;
    const int from = ReadFrom(position, kBackReach);
    const QTextBlock last = document()->findBlock(qMin(length, position + kTagReach));
    const int to = std::min({length, last.position() + last.length() - 1, position + 2 * kTagReach});
    const QString text = TextBetween(from, to);
    CStartTag tag = StartTagAt(text, position - from);
    // A tag still being typed has no ">" yet: what follows it is text, not
    // its attributes. And text read from part way into a page may begin in
    // a comment or a script, where a "tag" is none.
    if (!tag.IsValid() || !tag.m_bFinished || (from > 0 && MayLieInsideCommentOrScript(text, tag.m_nEnd)))
        return {};
    tag.m_nStart += from;
    tag.m_nEnd += from;
    return tag;
}

QString CZentrelView::OpenElementBefore(int position) const
{
    // Most elements close near where they open: read back a little, and
    // further only when nothing read so far is open.
    for (int reach = kTagReach;; reach = qMin(reach * 4, kBackReach)) {
        const int from = ReadFrom(position, reach);
        bool inComment = false;
        const QString name = ElementToClose(TextBetween(from, position), from > 0, &inComment);
        if (!name.isEmpty() || inComment || from == 0 || reach == kBackReach)
            return name;
    }
}

bool CZentrelView::IsEndTagStart() const
{
    const QTextCursor caret = textCursor();
    if (!m_bHtml || caret.hasSelection() || caret.position() == 0)
        return false;
    const QChar before = document()->characterAt(caret.position() - 1);
    const QChar after = document()->characterAt(caret.position());
    // Completed only where nothing follows that the completion would run into.
    const bool open = after.isNull() || after.isSpace() || after == QChar::ParagraphSeparator || after == QLatin1Char('<');
    return before == QLatin1Char('<') && open;
}

void CZentrelView::mousePressEvent(QMouseEvent* event)
{
    m_strPending.clear();
    CSourceEditView::mousePressEvent(event);
}

void CZentrelView::keyPressEvent(QKeyEvent* event)
{
    // Shift for ">" leaves a completion as it was.
    if (IsModifierKey(event->key())) {
        CSourceEditView::keyPressEvent(event);
        return;
    }
    if (TypeOverCompletion(event))
        return;
    const bool completes = event->text() == QLatin1String("/") && IsEndTagStart();
    const int before = textCursor().position();
    if (before == m_nCompletionEnd && !textCursor().hasSelection()) {
        // Typing goes into the undo step of the edit before it: kept apart,
        // the completion stays one Undo away.
        QTextCursor step = textCursor();
        step.beginEditBlock();
        CSourceEditView::keyPressEvent(event);
        step.endEditBlock();
    }
    else
        CSourceEditView::keyPressEvent(event);
    m_nCompletionEnd = -1;
    // Only once the "/" is in: the key may have been taken for something else.
    if (completes && textCursor().position() == before + 1
        && document()->characterAt(before) == QLatin1Char('/'))
        CompleteEndTag();
}

bool CZentrelView::IsCompletionPending() const
{
    return !m_strPending.isEmpty() && document()->revision() == m_nPendingRevision
           && !textCursor().hasSelection() && textCursor().position() == m_nCompletionEnd;
}

bool CZentrelView::TypeOverCompletion(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool character = typed.size() == 1 && typed[0].isPrint()
                           && !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (!character || !IsCompletionPending()) {
        m_strPending.clear();
        return false;
    }
    const int at = m_nPendingAt;
    QTextCursor cursor(document());
    cursor.setPosition(at);
    if (typed.compare(m_strPending.left(1), Qt::CaseInsensitive) == 0) {
        // Typed over: what was completed is what the user meant, in the
        // case the user typed.
        if (typed != m_strPending.left(1)) {
            cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
            cursor.beginEditBlock();
            cursor.insertText(typed);
            cursor.endEditBlock();
        }
        m_strPending.remove(0, 1);
        m_nPendingAt = at + 1;
        m_nPendingRevision = document()->revision();
        return true;
    }
    // Another end tag than the one completed: the rest of the completion
    // goes, and the key goes in where it began, as one undo step.
    cursor.setPosition(at + int(m_strPending.size()), QTextCursor::KeepAnchor);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    setTextCursor(cursor);
    CSourceEditView::keyPressEvent(event);
    cursor.endEditBlock();
    m_strPending.clear();
    m_nCompletionEnd = -1;
    return true;
}

void CZentrelView::CompleteEndTag()
{
    QTextCursor cursor = textCursor();
    const QString name = OpenElementBefore(cursor.position() - 2);
    if (name.isEmpty())
        return;
    // An edit block of its own is an undo step of its own: one Undo takes the
    // completion back and leaves the "</" typed.
    m_strPending = name + QLatin1Char('>');
    m_nPendingAt = cursor.position();
    cursor.beginEditBlock();
    cursor.insertText(m_strPending);
    cursor.endEditBlock();
    setTextCursor(cursor);
    m_nCompletionEnd = cursor.position();
    m_nPendingRevision = document()->revision();
}

QString CZentrelView::TempPagePath(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return path.left(slash + 1) + QStringLiteral("tempFile.html");
}

QString CZentrelView::WriteTempPage(const QString& path)
{
    const QString tempPath = TempPagePath(path);
    QString reason;
    // The name is ours, not the user's: a link in its place is refused.
    if (!CAtomicFile::WriteScratch(tempPath, CSourceText::TempPageBytes(document()), &reason)) {
        ZtMessageBox::Show(tr("Cannot write the preview page %1.\n%2")
                               .arg(QDir::toNativeSeparators(tempPath), reason),
                           QMessageBox::Warning);
        return QString();
    }
    document()->setModified(true);
    return tempPath;
}
