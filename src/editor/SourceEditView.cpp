#include "editor/SourceEditView.h"

#include "framework/CmdUI.h"
#include "framework/Document.h"
#include "framework/MDIFrameWnd.h"
#include "framework/MenuBuilder.h"
#include "framework/PrinterSetup.h"
#include "framework/Profile.h"
#include "editor/CharFormatChange.h"
#include "editor/FindReplaceDlg.h"
#include "editor/SourcePrinter.h"
#include "res/Accelerators.h"
#include "res/CommandIds.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

using namespace ZtCmd;

namespace {
const QString kStartup = QStringLiteral("Startup");
const QString kDefaultFace = QStringLiteral("Courier New");
constexpr int kMaxFaceLength = 31;
// The largest screen font, 200 points: larger stored sizes draw at this
// size rather than asking the font engine for glyphs of any height.
constexpr int kLargestSizeTwips = 4000;
} // namespace

CSourceEditView::CSourceEditView(const Settings& settings)
    : m_settings(settings)
{
    setObjectName(QStringLiteral("SourceEditView"));
    SetupEditor();
    MapCommands();
}

CSourceEditView::~CSourceEditView() = default;

int CSourceEditView::ProfileFontSize(int defaultTwips)
{
    // A size too large is still a wish for a large font and gets the
    // largest; no size at all (zero or less) gets the default.
    const int size = CProfile::Instance().GetInt(kStartup, QStringLiteral("FontSize"), defaultTwips);
    return size <= 0 ? defaultTwips : qMin(size, kLargestSizeTwips);
}

void CSourceEditView::SetupEditor()
{
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabStopDistance(logicalDpiX() * kTabStopTwips / 1440.0);

    QString face = CProfile::Instance().GetString(kStartup, QStringLiteral("FontFace"));
    if (face.isEmpty())
        face = kDefaultFace;
    m_defaultFormat = QTextCharFormat();
    m_defaultFormat.setFontFamilies({face.left(kMaxFaceLength)});
    m_defaultFormat.setFontPointSize(CappedDefaultSize(ProfileFontSize(m_settings.defaultFormatSize)) / 20.0);
    m_defaultFormat.setFontWeight(QFont::Normal);
    document()->setDefaultFont(m_defaultFormat.font());
}

QFont CSourceEditView::ScreenFontFromProfile(int defaultSizeTwips, const QString& defaultFace)
{
    const int size = ProfileFontSize(defaultSizeTwips);
    QString face = CProfile::Instance().GetString(kStartup, QStringLiteral("FontFace"), defaultFace);
    if (face.isEmpty())
        face = defaultFace;
    // A point font of size/2 tenths of a point.
    QFont font;
    if (!face.isEmpty())
        font.setFamilies({face});
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF((size / 2) / 10.0);
    return font;
}

QFont CSourceEditView::GetEditorFont()
{
    if (!m_pScreenFont) {
        m_pScreenFont =
            std::make_unique<QFont>(ScreenFontFromProfile(m_settings.screenFontSize, m_settings.screenFontFace));
        setFont(*m_pScreenFont);
    }
    return *m_pScreenFont;
}

void CSourceEditView::OnInitialUpdate()
{
    setFont(GetEditorFont());
    // Tab stops are a distance: keep them at 0.2 inch whatever the font.
    setTabStopDistance(logicalDpiX() * kTabStopTwips / 1440.0);
    CDocument* document = GetDocument();
    connect(this->document(), &QTextDocument::modificationChanged, this, [document](bool modified) {
        if (document)
            emit document->modifiedChanged(modified);
    });
    // Colours are layout formats: they change the layout, not the revision,
    // and are no edit.
    if (document) {
        connect(this->document(), &QTextDocument::contentsChanged, document,
                [document, text = this->document(), revision = this->document()->revision()]() mutable {
                    if (text->revision() == revision)
                        return;
                    revision = text->revision();
                    emit document->contentsEdited();
                });
    }
}

void CSourceEditView::OnCharFormatNotify(const CCharFormatChange& change)
{
    QFont screen = font();
    if (change.field == CCharFormatChange::Field::Face) {
        if (change.face.isEmpty())
            return;
        screen.setFamilies({change.face});
        m_defaultFormat.setFontFamilies({change.face});
    } else {
        if (change.sizeTwips <= 0)
            return;
        screen.setPointSizeF(change.sizeTwips / 20.0);
        m_defaultFormat.setFontPointSize(change.sizeTwips / 20.0);
    }
    setFont(screen);
    setTabStopDistance(logicalDpiX() * kTabStopTwips / 1440.0);
}

void CSourceEditView::OnFontReturnNotify()
{
    if (!m_settings.focusOnFontReturn)
        return;
    // The toolbar may float in a window of its own: the keyboard goes back
    // to this editor's window too.
    activateWindow();
    setFocus();
}

void CSourceEditView::MapCommands()
{
    auto hasSelection = [this](CCmdUI* cmdUI) { cmdUI->Enable(textCursor().hasSelection()); };

    OnCommand(ID_EDIT_UNDO, [this] { undo(); });
    OnUpdate(ID_EDIT_UNDO, [this](CCmdUI* cmdUI) { cmdUI->Enable(document()->isUndoAvailable()); });
    OnCommand(ID_EDIT_REDO, [this] { redo(); });
    OnUpdate(ID_EDIT_REDO, [this](CCmdUI* cmdUI) { cmdUI->Enable(document()->isRedoAvailable()); });
    OnCommand(ID_EDIT_CUT, [this] { cut(); });
    OnUpdate(ID_EDIT_CUT, hasSelection);
    OnCommand(ID_EDIT_COPY, [this] { copy(); });
    OnUpdate(ID_EDIT_COPY, hasSelection);
    auto pastePlain = [this] { paste(); };
    OnCommand(ID_EDIT_PASTE, pastePlain);
    // Only plain text is ever pasted, so Paste Special has nothing else to offer.
    OnCommand(ID_EDIT_PASTE_SPECIAL, pastePlain);
    auto canPasteText = [this](CCmdUI* cmdUI) { cmdUI->Enable(canPaste()); };
    OnUpdate(ID_EDIT_PASTE, canPasteText);
    OnUpdate(ID_EDIT_PASTE_SPECIAL, canPasteText);
    OnCommand(ID_EDIT_CLEAR, [this] { textCursor().removeSelectedText(); });
    OnUpdate(ID_EDIT_CLEAR, hasSelection);
    OnCommand(ID_EDIT_DELETE, [this] {
        QTextCursor cursor = textCursor();
        if (!cursor.hasSelection())
            cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        setTextCursor(cursor);
    });
    OnUpdate(ID_EDIT_DELETE, [this](CCmdUI* cmdUI) {
        cmdUI->Enable(textCursor().hasSelection() || !textCursor().atEnd());
    });
    OnCommand(ID_EDIT_SELECT_ALL, [this] { selectAll(); });
    OnCommand(ID_EDIT_FIND, [this] { OnEditFind(false); });
    OnCommand(ID_EDIT_REPLACE, [this] { OnEditFind(true); });
    OnCommand(ID_EDIT_REPEAT, [this] { OnEditRepeat(); });
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
}

void CSourceEditView::PrintTo(QPrinter* printer)
{
    std::unique_ptr<QTextDocument> selection;
    if (printer->printRange() == QPrinter::Selection && textCursor().hasSelection()) {
        selection = std::make_unique<QTextDocument>();
        selection->setDefaultFont(document()->defaultFont());
        QTextCursor(selection.get()).insertFragment(textCursor().selection());
    }
    const QTextDocument& text = selection ? *selection : *document();
    // The margins are ours, measured from the sheet's edges; the printer's
    // own margins are put back afterwards for whoever prints next.
    const bool wasFullPage = printer->fullPage();
    printer->setFullPage(true);
    CSourcePrinter::Pages pages{0, 0};
    if (printer->printRange() == QPrinter::PageRange)
        pages = {printer->fromPage(), printer->toPage()};
    CSourcePrinter::Print(text, printer, kPrintMarginTwips, [printer] { return printer->newPage(); }, pages,
                          PrintColours());
    printer->setFullPage(wasFullPage);
}

void CSourceEditView::OnFilePrint()
{
    QPrinter& printer = CPrinterSetup::Printer();
    QPrintDialog dialog(&printer, this);
    if (textCursor().hasSelection())
        dialog.setOption(QAbstractPrintDialog::PrintSelection);
    if (dialog.exec() == QDialog::Accepted)
        PrintTo(&printer);
}

void CSourceEditView::OnFilePrintPreview()
{
    QPrintPreviewDialog preview(&CPrinterSetup::Printer(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &CSourceEditView::PrintTo);
    preview.exec();
}

void CSourceEditView::OnEditFind(bool replace)
{
    CFindReplaceDlg::Show(this, replace);
}

void CSourceEditView::OnEditRepeat()
{
    CFindReplaceDlg::Repeat(this);
}

bool CSourceEditView::event(QEvent* event)
{
    // The window's accelerators come before the editor's own keys: Ctrl+Left
    // scrolls every window, it does not move the caret a word.
    if (event->type() == QEvent::ShortcutOverride
        && ZtRes::IsAcceleratorKey(static_cast<QKeyEvent*>(event)->keyCombination())) {
        event->ignore();
        return true;
    }
    return QPlainTextEdit::event(event);
}

void CSourceEditView::keyPressEvent(QKeyEvent* event)
{
    // Alt with a key that no menu takes is a missed menu key, not text.
    // (AltGr arrives as a modifier of its own, or as Ctrl+Alt, and types.)
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (modifiers == Qt::AltModifier && !event->text().isEmpty() && event->text().at(0).isPrint()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CSourceEditView::contextMenuEvent(QContextMenuEvent* event)
{
    // One menu per request, whether it came from the mouse or the keyboard.
    // From the keyboard it opens just inside the top-left corner.
    const QPoint where = event->reason() == QContextMenuEvent::Keyboard
                             ? viewport()->mapToGlobal(QPoint(5, 5))
                             : event->globalPos();
    auto* frame = qobject_cast<CMDIFrameWnd*>(window());
    if (!frame)
        return;
    ActivateOwnWindow();
    // The main frame owns the menu, so its commands take the frame's routing.
    QMenu* menu = CMenuBuilder::BuildContextMenu(
        m_settings.contextMenuId, [frame](int id) { return frame->Action(id); },
        [frame](QMenu* shown) { frame->UpdateMenu(shown); }, frame);
    AddContextItems(menu, event->reason() == QContextMenuEvent::Keyboard
                              ? textCursor().position()
                              : cursorForPosition(viewport()->mapFromGlobal(event->globalPos())).position());
    menu->exec(where);
    delete menu;
    event->accept();
}

void CSourceEditView::ActivateOwnWindow()
{
    // A click may reach an editor whose child window is not the active one
    // (its main window was inactive, so the click moved no focus): the menu's
    // commands go to the active window, which must be this one.
    for (QWidget* parent = parentWidget(); parent; parent = parent->parentWidget()) {
        auto* child = qobject_cast<QMdiSubWindow*>(parent);
        if (child && child->mdiArea()) {
            child->mdiArea()->setActiveSubWindow(child);
            break;
        }
    }
    setFocus(Qt::MouseFocusReason);
}

void CSourceEditView::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() && !AcceptsFileDrop(event->mimeData())) {
        event->ignore();
        return;
    }
    QPlainTextEdit::dragEnterEvent(event);
}

bool CSourceEditView::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasText();
}

void CSourceEditView::insertFromMimeData(const QMimeData* source)
{
    // Plain text only: never rich text, images or other objects.
    if (!source->hasText())
        return;
    QMimeData plain;
    plain.setText(source->text());
    QPlainTextEdit::insertFromMimeData(&plain);
}
