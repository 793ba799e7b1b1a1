#include "app/SiteToolCommands.h"

#include "app/MainFrame.h"
#include "app/ZentrelApp.h"
#include "editor/SourceDoc.h"
#include "editor/SourceEditView.h"
#include "files/FileMoveNotifier.h"
#include "framework/DocTemplate.h"
#include "framework/MessageBox.h"
#include "res/CommandIds.h"
#include "tools/FindInFilesDlg.h"
#include "tools/LinkCheckDlg.h"
#include "tools/LinkUpdater.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextDocument>

CSiteToolCommands::~CSiteToolCommands()
{
    delete m_pFindDlg;
    delete m_pLinkDlg;
}

CFindInFilesDlg* CSiteToolCommands::FindDialog() const
{
    return m_pFindDlg;
}

CLinkCheckDlg* CSiteToolCommands::LinkDialog() const
{
    return m_pLinkDlg;
}

void CSiteToolCommands::Map(const CommandMapper& onCommand)
{
    onCommand(ZtCmd::ID_FIND_IN_FILES, [this] { OnFindInFiles(); });
    onCommand(ZtCmd::ID_CHECK_LINKS, [this] { OnCheckLinks(); });
    // Queued: the document templates move the open pages along first, and
    // the question waits until the rename or paste that moved has ended.
    QObject::connect(
        CFileMoveNotifier::Instance(), &CFileMoveNotifier::pathMoved, &m_app,
        [this](const QString& from, const QString& to) { OnPathMoved(from, to); }, Qt::QueuedConnection);
}

void CSiteToolCommands::OnPathMoved(const QString& from, const QString& to)
{
    const QString site = ProjectFolder();
    auto inside = [&site](const QString& path) { return path.startsWith(site + QLatin1Char('/')); };
    if (site.isEmpty() || !inside(QDir::cleanPath(from)) || !inside(QDir::cleanPath(to)))
        return;
    const QVector<CPageLinkEdits> plan =
        ZtLinkUpdater::Plan(site, QDir::cleanPath(from), QDir::cleanPath(to), OpenTexts());
    if (plan.isEmpty())
        return;
    const QString question =
        QObject::tr("Update %1 links in %2 pages?").arg(ZtLinkUpdater::LinkCount(plan)).arg(plan.size());
    if (ZtMessageBox::Show(question, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const QStringList failures = ZtLinkUpdater::Apply(plan);
    if (!failures.isEmpty())
        ZtMessageBox::Show(QObject::tr("These pages could not be updated:\n%1").arg(failures.join(QLatin1Char('\n'))),
                           QMessageBox::Warning);
}

QString CSiteToolCommands::ProjectFolder() const
{
    if (!m_app.ProjectTemplate())
        return QString();
    const QList<CDocument*> projects = m_app.ProjectTemplate()->Documents();
    if (projects.isEmpty() || projects.first()->GetPathName().isEmpty())
        return QString();
    return QFileInfo(projects.first()->GetPathName()).absolutePath();
}

QString CSiteToolCommands::ActivePagePath() const
{
    CMainFrame* frame = m_app.GetMainFrame();
    CView* view = frame ? frame->GetActiveView() : nullptr;
    CDocument* document = view ? view->GetDocument() : nullptr;
    return dynamic_cast<CSourceDoc*>(document) ? document->GetPathName() : QString();
}

QString CSiteToolCommands::SelectedLine() const
{
    CMainFrame* frame = m_app.GetMainFrame();
    auto* editor = frame ? dynamic_cast<CSourceEditView*>(frame->GetActiveView()) : nullptr;
    if (!editor)
        return QString();
    const QString selected = editor->textCursor().selectedText();
    // A selection over several lines is no search text.
    return selected.contains(QChar::ParagraphSeparator) ? QString() : selected;
}

QList<COpenText> CSiteToolCommands::OpenTexts() const
{
    QList<COpenText> texts;
    for (CDocTemplate* docTemplate : m_app.Templates()) {
        for (CDocument* document : docTemplate->Documents()) {
            auto* source = dynamic_cast<CSourceDoc*>(document);
            if (source && source->TextDocument() && !source->GetPathName().isEmpty())
                texts.append({QFileInfo(source->GetPathName()).absoluteFilePath(), source->TextDocument()});
        }
    }
    return texts;
}

void CSiteToolCommands::OnFindInFiles()
{
    if (!m_pFindDlg) {
        m_pFindDlg = new CFindInFilesDlg([this] { return OpenTexts(); }, m_app.GetMainFrame());
        QObject::connect(m_pFindDlg, &CFindInFilesDlg::matchChosen, m_pFindDlg,
                         [this](const QString& path, int line, qsizetype start, qsizetype length) {
                             ShowInEditor(path, line, start, length);
                         });
    }
    QString folder = ProjectFolder();
    if (folder.isEmpty())
        folder = m_app.StartDirectory();
    m_pFindDlg->Prepare(SelectedLine(), QDir::toNativeSeparators(folder));
    m_pFindDlg->show();
    m_pFindDlg->raise();
    m_pFindDlg->activateWindow();
}

void CSiteToolCommands::OnCheckLinks()
{
    QString folder = ProjectFolder();
    if (folder.isEmpty() && !ActivePagePath().isEmpty())
        folder = QFileInfo(ActivePagePath()).absolutePath();
    if (folder.isEmpty()) {
        ZtMessageBox::Show(QObject::tr("Open a project, or a page of the site, to check its links."));
        return;
    }
    if (!m_pLinkDlg) {
        m_pLinkDlg = new CLinkCheckDlg(m_app.GetMainFrame());
        QObject::connect(m_pLinkDlg, &CLinkCheckDlg::linkChosen, m_pLinkDlg,
                         [this](const QString& path, int line, qsizetype column, qsizetype length) {
                             ShowInEditor(path, line, column, length);
                         });
    }
    m_pLinkDlg->Start(folder);
    m_pLinkDlg->show();
    m_pLinkDlg->raise();
    m_pLinkDlg->activateWindow();
}

void CSiteToolCommands::ShowInEditor(const QString& path, int line, qsizetype column, qsizetype length)
{
    CDocument* document = m_app.OpenDocumentFile(path);
    CView* view = document ? document->GetFirstView() : nullptr;
    auto* editor = dynamic_cast<CSourceEditView*>(view);
    if (!editor || line <= 0)
        return;
    const QTextBlock block = editor->document()->findBlockByNumber(line - 1);
    if (!block.isValid())
        return;
    QTextCursor cursor(block);
    const int start = block.position() + int(qMin(column, qsizetype(block.length() - 1)));
    cursor.setPosition(start);
    cursor.setPosition(qMin(start + int(length), block.position() + block.length() - 1), QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
    editor->setFocus();
}
