#include "app/LivePreviewCommands.h"

#include "editor/SourceDoc.h"

#include "browser/CaretElement.h"
#include "browser/LivePreviewBar.h"
#include "editor/SourceDoc.h"
#include "editor/SourceText.h"
#include "editor/ZentrelView.h"
#include "files/FileKinds.h"
#include "framework/CmdUI.h"
#include "framework/Document.h"
#include "framework/MDIChildWnd.h"
#include "framework/MDIFrameWnd.h"
#include "projects/ProjectDoc.h"
#include "projects/ProjectTreeRules.h"
#include "res/CommandIds.h"
#include "wizards/WizardTarget.h"

#include <QFileInfo>
#include <QTextDocument>

using namespace ZtCmd;

namespace {

CZentrelView* EditorOf(const CMDIChildWnd* child)
{
    return child ? dynamic_cast<CZentrelView*>(child->GetActiveView()) : nullptr;
}

bool SameFile(const QString& a, const QString& b)
{
    if (a == b)
        return true;
    const QString realA = QFileInfo(a).canonicalFilePath();
    return !realA.isEmpty() && realA == QFileInfo(b).canonicalFilePath();
}

} // namespace

CLivePreviewCommands::CLivePreviewCommands(CMDIFrameWnd* frame)
    : m_pFrame(frame)
{
    CLivePreviewView::Services services;
    services.openText = [this](const QString& path) { return OpenText(path); };
    services.projectFolder = [frame] { return ProjectFolderOf(frame); };
    m_pBar = new CLivePreviewBar(services, frame);
    frame->addDockWidget(Qt::RightDockWidgetArea, m_pBar);
    m_pBar->hide();

    for (QTimer* timer : {&m_renderTimer, &m_caretTimer, &m_styleSheetTimer})
        timer->setSingleShot(true);
    m_renderTimer.setInterval(kRenderDelayMs);
    m_caretTimer.setInterval(kCaretDelayMs);
    m_styleSheetTimer.setInterval(kRenderDelayMs);
    // The pause is a promise to the user: not up to 5 % more, as a coarse timer may take.
    m_renderTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_renderTimer, &QTimer::timeout, this, &CLivePreviewCommands::Render);
    connect(&m_caretTimer, &QTimer::timeout, this, &CLivePreviewCommands::RevealCaret);
    connect(&m_styleSheetTimer, &QTimer::timeout, this, &CLivePreviewCommands::ReloadStyleSheet);
    connect(frame, &CMDIFrameWnd::activeChildChanged, this, &CLivePreviewCommands::OnActiveChildChanged);
    // Shown again, the bar catches up with what changed while it was hidden.
    connect(m_pBar, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            Render();
    });

    OnCommand(ID_VIEW_LIVEPREVIEW, [this] { ToggleBar(); });
    OnUpdate(ID_VIEW_LIVEPREVIEW, [this](CCmdUI* cmdUI) {
        cmdUI->Enable(IsHtmlFileActive(m_pFrame, ID_VIEW_LIVEPREVIEW));
        cmdUI->SetCheck(!m_pBar->isHidden());
    });
}

CLivePreviewCommands::~CLivePreviewCommands()
{
    // The bar's engine asks us for files until it is gone.
    delete m_pBar;
}

void CLivePreviewCommands::ToggleBar()
{
    const bool show = m_pBar->isHidden();
    m_pBar->setVisible(show);
    // Docked for the first time (or left a sliver by the layout), the bar
    // takes a third of the window: a page needs room to be read.
    if (show && !m_pBar->isFloating() && m_pBar->width() < kMinimumWidth)
        m_pFrame->resizeDocks({m_pBar}, {qMax(kMinimumWidth, m_pFrame->width() / 3)}, Qt::Horizontal);
}

bool CLivePreviewCommands::IsShown() const
{
    return m_pBar->isVisible();
}

void CLivePreviewCommands::OnActiveChildChanged(CMDIChildWnd* child)
{
    // Not asked whether the window shows yet: a new window is activated
    // before it is shown, and no hidden window holds a web-page editor.
    CZentrelView* editor = EditorOf(child);
    CDocument* document = editor ? child->GetActiveDocument() : nullptr;
    if (!document)
        return;
    // Another kind of window leaves the page shown: its style sheet may
    // be what the user edits next to it.
    if (IsHtmlFile(document->GetPathName()))
        FollowPage(editor);
    else if (FileLanguage(document->GetPathName()) == ZtLanguage::Css)
        FollowStyleSheet(editor);
}

void CLivePreviewCommands::FollowPage(CZentrelView* page)
{
    if (page == m_pPage)
        return;
    disconnect(m_pageChange);
    disconnect(m_pageCaret);
    m_pPage = page;
    QTextDocument* text = page->document();
    m_pageChange = connect(text, &QTextDocument::contentsChange, &m_renderTimer, qOverload<>(&QTimer::start));
    m_pageCaret = connect(page, &QPlainTextEdit::cursorPositionChanged, &m_caretTimer, qOverload<>(&QTimer::start));
    // Closing the page empties the preview. (QTimer::start(0) would also
    // make 0 the interval of every later start, and so render at every
    // keystroke: the render comes from a timer of its own.)
    connect(page, &QObject::destroyed, this, [this] { RenderSoon(); });
    RenderSoon();
}

void CLivePreviewCommands::RenderSoon()
{
    QTimer::singleShot(0, this, &CLivePreviewCommands::Render);
}

void CLivePreviewCommands::FollowStyleSheet(CZentrelView* styleSheet)
{
    if (styleSheet == m_pStyleSheet)
        return;
    disconnect(m_styleSheetChange);
    m_pStyleSheet = styleSheet;
    m_styleSheetChange = connect(styleSheet->document(), &QTextDocument::contentsChange, &m_styleSheetTimer,
                                 qOverload<>(&QTimer::start));
}

void CLivePreviewCommands::Render()
{
    m_renderTimer.stop();
    if (!IsShown())
        return;
    CLivePreviewView* view = m_pBar->View();
    CDocument* document = m_pPage ? m_pPage->GetDocument() : nullptr;
    if (!document || document->GetPathName().isEmpty()) {
        view->Clear();
        return;
    }
    // A big page still loading in the background has only part of its text;
    // the preview waits for the whole of it.
    if (auto* source = dynamic_cast<CSourceDoc*>(document); source && source->IsLoading()) {
        m_renderTimer.start();
        return;
    }
    view->ShowPage(document->GetPathName(), m_pPage->document()->characterCount());
}

void CLivePreviewCommands::RevealCaret()
{
    CLivePreviewView* view = m_pBar->ViewIfMade();
    if (!m_pPage || !view || !IsShown())
        return;
    view->Reveal(CCaretElement::At(m_pPage->document()->toRawText(), m_pPage->textCursor().position()));
}

void CLivePreviewCommands::ReloadStyleSheet()
{
    CLivePreviewView* view = m_pBar->ViewIfMade();
    CDocument* document = m_pStyleSheet ? m_pStyleSheet->GetDocument() : nullptr;
    if (view && document && IsShown())
        view->ReloadStyleSheet(document->GetPathName());
}

std::optional<QByteArray> CLivePreviewCommands::OpenText(const QString& path) const
{
    for (CMDIChildWnd* child : m_pFrame->ChildFrames()) {
        CZentrelView* editor = EditorOf(child);
        CDocument* document = editor ? child->GetActiveDocument() : nullptr;
        if (document && SameFile(document->GetPathName(), path))
            return CSourceText::Save(editor->document());
    }
    return std::nullopt;
}

QString CLivePreviewCommands::ProjectFolderOf(const CMDIFrameWnd* frame)
{
    for (CMDIChildWnd* child : frame->ChildFrames()) {
        if (auto* project = qobject_cast<CProjectDoc*>(child->GetActiveDocument()))
            return CProjectTreeRules::MainDirectoryOf(project->GetPathName());
    }
    return QString();
}
