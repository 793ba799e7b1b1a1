#include "app/ValidateCommands.h"

#include "editor/SourceDoc.h"
#include "editor/ZentrelView.h"
#include "framework/CmdUI.h"
#include "framework/MDIFrameWnd.h"
#include "framework/MessageBox.h"
#include "res/CommandIds.h"
#include "tools/MessagesBar.h"
#include "tools/ValidateJob.h"
#include "wizards/WizardTarget.h"

#include <QFileInfo>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTextCursor>

using namespace ZtCmd;

namespace {
// The docked height below which showing the bar makes it taller.
constexpr int kMinimumHeight = 120;

CValidationMarks* MarksOf(CZentrelView* page)
{
    if (auto* marks = page->findChild<CValidationMarks*>(QString(), Qt::FindDirectChildrenOnly))
        return marks;
    return new CValidationMarks(page->Colorizer(), page);
}
} // namespace

CValidateCommands::CValidateCommands(CMDIFrameWnd* frame)
    : m_pFrame(frame)
    , m_pBar(new CMessagesBar(frame))
    , m_pJob(new CValidateJob(this))
{
    frame->addDockWidget(Qt::BottomDockWidgetArea, m_pBar);
    m_pBar->hide();
    connect(m_pJob, &CValidateJob::finished, this, &CValidateCommands::OnReport);
    connect(m_pBar, &CMessagesBar::messageChosen, this, &CValidateCommands::ShowPlace);
    OnCommand(ID_VALIDATE_PAGE, [this] { OnValidatePage(); });
    OnUpdate(ID_VALIDATE_PAGE,
             [this](CCmdUI* cmdUI) { cmdUI->Enable(IsHtmlFileActive(m_pFrame, ID_VALIDATE_PAGE)); });
}

CValidateCommands::~CValidateCommands()
{
    m_pJob->Cancel();
}

void CValidateCommands::OnValidatePage()
{
    if (!IsHtmlFileActive(m_pFrame, ID_VALIDATE_PAGE))
        return;
    CZentrelView* page = ActiveWizardView(m_pFrame);
    if (auto* source = dynamic_cast<CSourceDoc*>(page->GetDocument()); source && source->IsLoading()) {
        ZtMessageBox::Show(tr("The page is still being read. Validate it when all of it is shown."));
        return;
    }
    const QTextDocument* text = page->document();
    if (CTidyValidator::IsTooLarge(text->characterCount() - 1)) {
        const QLocale locale;
        ZtMessageBox::Show(tr("This page is too large to validate: it holds %1 characters, and pages of up to "
                              "%2 characters can be validated.")
                               .arg(locale.toString(text->characterCount() - 1),
                                    locale.toString(CTidyValidator::kMaxCharacters)));
        return;
    }
    m_pPage = page;
    m_strPageName = QFileInfo(page->GetDocument()->GetPathName()).fileName();
    m_stamps = CValidationMarks::Stamps(text);
    ShowBar();
    m_pBar->ShowRunning(m_strPageName);
    m_pJob->Start(CTidyValidator::EditorText(text));
}

void CValidateCommands::OnReport(const CTidyReport& report)
{
    m_pBar->ShowReport(m_strPageName, report);
    // A page closed meanwhile has no lines left to mark.
    if (!m_pPage)
        return;
    QVector<int> errorLines;
    for (const CTidyMessage& message : report.messages) {
        if (message.severity == CTidyMessage::Error)
            errorLines.append(message.line);
    }
    MarksOf(m_pPage)->Mark(m_stamps, errorLines);
}

void CValidateCommands::ShowPlace(int line, qsizetype column)
{
    if (!m_pPage)
        return;
    // The page may have changed since its check: the message's line is
    // followed to where it is now.
    QTextCursor cursor(m_pPage->document());
    cursor.setPosition(CValidationMarks::PositionOf(m_pPage->document(), m_stamps, line, column));
    m_pPage->setTextCursor(cursor);
    m_pPage->ensureCursorVisible();
    for (QWidget* parent = m_pPage->parentWidget(); parent; parent = parent->parentWidget()) {
        if (auto* child = qobject_cast<QMdiSubWindow*>(parent); child && child->mdiArea()) {
            child->mdiArea()->setActiveSubWindow(child);
            break;
        }
    }
    m_pPage->setFocus();
}

void CValidateCommands::ShowBar()
{
    if (!m_pBar->isHidden())
        return;
    m_pBar->show();
    // Docked for the first time, the bar gets room for a few messages.
    if (!m_pBar->isFloating() && m_pBar->height() < kMinimumHeight)
        m_pFrame->resizeDocks({m_pBar}, {qMax(kMinimumHeight, m_pFrame->height() / 5)}, Qt::Vertical);
}
