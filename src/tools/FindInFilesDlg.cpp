#include "tools/FindInFilesDlg.h"

#include "framework/MessageBox.h"
#include "tools/ChoosableTree.h"
#include "tools/MatchLineDelegate.h"
#include "tools/SiteFileWalker.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kLineRole = Qt::UserRole + 2;
constexpr int kStartRole = Qt::UserRole + 3;
constexpr int kLengthRole = Qt::UserRole + 4;
// The most lines the list shows: beyond that a list is no help, and filling
// it would hold the window up; the count goes on.
constexpr int kMaxListedLines = 10000;

QLabel* Buddy(const QString& text, QWidget* field)
{
    auto* label = new QLabel(text);
    label->setBuddy(field);
    return label;
}

} // namespace

CFindInFilesDlg::CFindInFilesDlg(const std::function<QList<COpenText>()>& openTexts, QWidget* parent)
    : QDialog(parent)
    , m_openTexts(openTexts)
{
    setWindowTitle(QStringLiteral("Find in Files"));
    setModal(false);
    BuildFields();
    connect(&m_job, &CSiteSearchJob::matchesFound, this, &CFindInFilesDlg::AddFiles);
    connect(&m_job, &CSiteSearchJob::progress, this, &CFindInFilesDlg::OnProgress);
    connect(&m_job, &CSiteSearchJob::finished, this, [this](const CSiteSearchSummary& summary) {
        if (m_stage == Stage::Replacing)
            OnReplaced(summary);
        else
            OnFinished(summary);
    });
    resize(720, 520);
}

QString CFindInFilesDlg::DefaultFilePatterns()
{
    return QStringLiteral("*.html;*.htm;*.shtml;*.css;*.js;*.php;*.txt");
}

void CFindInFilesDlg::BuildFields()
{
    m_pFindWhat = new QLineEdit;
    m_pReplaceWith = new QLineEdit;
    m_pFolder = new QLineEdit;
    m_pBrowse = new QPushButton(QStringLiteral("..."));
    m_pBrowse->setAutoDefault(false);
    m_pBrowse->setFixedWidth(m_pBrowse->fontMetrics().horizontalAdvance(m_pBrowse->text()) + 24);
    m_pFiles = new QLineEdit(DefaultFilePatterns());
    m_pMatchCase = new QCheckBox(QStringLiteral("Match &case"));
    m_pWholeWord = new QCheckBox(QStringLiteral("Whole w&ord"));
    m_pRegex = new QCheckBox(QStringLiteral("Regular e&xpression"));
    m_pFindAll = new QPushButton(QStringLiteral("&Find All"));
    m_pReplaceAll = new QPushButton(QStringLiteral("Replace &All"));
    m_pClose = new QPushButton(QStringLiteral("Close"));
    m_pFindAll->setDefault(true);
    m_pReplaceAll->setAutoDefault(false);
    m_pClose->setAutoDefault(false);

    auto* fields = new QGridLayout;
    fields->addWidget(Buddy(QStringLiteral("Find &what"), m_pFindWhat), 0, 0);
    fields->addWidget(m_pFindWhat, 0, 1, 1, 2);
    fields->addWidget(Buddy(QStringLiteral("Re&place with"), m_pReplaceWith), 1, 0);
    fields->addWidget(m_pReplaceWith, 1, 1, 1, 2);
    fields->addWidget(Buddy(QStringLiteral("In &folder"), m_pFolder), 2, 0);
    fields->addWidget(m_pFolder, 2, 1);
    fields->addWidget(m_pBrowse, 2, 2);
    fields->addWidget(Buddy(QStringLiteral("F&iles"), m_pFiles), 3, 0);
    fields->addWidget(m_pFiles, 3, 1, 1, 2);
    auto* checks = new QHBoxLayout;
    checks->addWidget(m_pMatchCase);
    checks->addWidget(m_pWholeWord);
    checks->addWidget(m_pRegex);
    checks->addStretch();
    fields->addLayout(checks, 4, 1, 1, 2);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pFindAll);
    buttons->addWidget(m_pReplaceAll);
    buttons->addWidget(m_pClose);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addLayout(buttons);

    auto* results = new CChoosableTree;
    results->m_onChoose = [this](QTreeWidgetItem* item) { ChooseRow(item); };
    m_pResults = results;
    m_pResults->setColumnCount(2);
    m_pResults->setHeaderLabels({tr("Line"), tr("Text")});
    m_pResults->setItemDelegateForColumn(1, new CMatchLineDelegate(m_pResults));
    m_pResults->setUniformRowHeights(true);
    m_pResults->header()->setStretchLastSection(true);
    m_pStatus = new QLabel;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_pResults, 1);
    layout->addWidget(m_pStatus);

    setTabOrder(m_pFindWhat, m_pReplaceWith);
    setTabOrder(m_pReplaceWith, m_pFolder);
    setTabOrder(m_pFolder, m_pBrowse);
    setTabOrder(m_pBrowse, m_pFiles);
    setTabOrder(m_pFiles, m_pMatchCase);
    setTabOrder(m_pMatchCase, m_pWholeWord);
    setTabOrder(m_pWholeWord, m_pRegex);
    setTabOrder(m_pRegex, m_pFindAll);
    setTabOrder(m_pFindAll, m_pReplaceAll);
    setTabOrder(m_pReplaceAll, m_pClose);
    setTabOrder(m_pClose, m_pResults);

    connect(m_pBrowse, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, tr("In folder"), m_pFolder->text());
        if (!folder.isEmpty())
            m_pFolder->setText(QDir::toNativeSeparators(folder));
    });
    connect(m_pFindAll, &QPushButton::clicked, this, &CFindInFilesDlg::FindAll);
    connect(m_pReplaceAll, &QPushButton::clicked, this, &CFindInFilesDlg::ReplaceAll);
    connect(m_pClose, &QPushButton::clicked, this, &CFindInFilesDlg::reject);
    connect(m_pResults, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { ChooseRow(item); });
}

void CFindInFilesDlg::Prepare(const QString& findWhat, const QString& folder)
{
    if (!findWhat.isEmpty())
        m_pFindWhat->setText(findWhat);
    if (!folder.isEmpty())
        m_pFolder->setText(folder);
    m_pFindWhat->selectAll();
    m_pFindWhat->setFocus();
}

CSiteSearchOptions CFindInFilesDlg::Options() const
{
    CSiteSearchOptions options;
    options.pattern = m_pFindWhat->text();
    options.replacement = m_pReplaceWith->text();
    options.matchCase = m_pMatchCase->isChecked();
    options.wholeWord = m_pWholeWord->isChecked();
    options.regularExpression = m_pRegex->isChecked();
    return options;
}

void CFindInFilesDlg::FindAll()
{
    StartSearch(false);
}

void CFindInFilesDlg::ReplaceAll()
{
    StartSearch(true);
}

bool CFindInFilesDlg::StartSearch(bool forReplace)
{
    m_job.Cancel();
    m_stage = Stage::Idle;
    const CSiteMatcher matcher(Options());
    if (!matcher.IsValid()) {
        ZtMessageBox::Show(matcher.Error(), QMessageBox::Warning);
        return false;
    }
    const QString folder = QDir::cleanPath(QDir::fromNativeSeparators(m_pFolder->text().trimmed()));
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        ZtMessageBox::Show(tr("The folder %1 does not exist.").arg(m_pFolder->text()), QMessageBox::Warning);
        return false;
    }
    m_searched = Options();
    m_pResults->clear();
    m_openMatched.clear();
    m_closedMatched.clear();
    m_nMatches = m_nFiles = m_nListedLines = 0;
    m_nOpenReplaced = m_nOpenFilesReplaced = 0;
    m_stage = forReplace ? Stage::FindingForReplace : Stage::Finding;

    // Open documents are searched as the editor holds them, unsaved changes
    // and all; the job leaves their files alone.
    const CSiteFileWalker walker(folder, m_pFiles->text());
    QStringList openPaths;
    QVector<CFileMatches> openFound;
    for (const COpenText& open : m_openTexts ? m_openTexts() : QList<COpenText>()) {
        if (!open.document || !open.path.startsWith(folder + QLatin1Char('/'))
            || !walker.Fits(QFileInfo(open.path).fileName()))
            continue;
        openPaths << open.path;
        CFileMatches found{open.path, ZtSiteFileText::FindInDocument(open.document, matcher)};
        if (!found.lines.isEmpty()) {
            m_openMatched << open;
            openFound << found;
        }
    }
    AddFiles(openFound);
    m_job.StartFind(folder, m_pFiles->text(), m_searched, openPaths);
    ShowStatus(tr("Searching..."));
    return true;
}

void CFindInFilesDlg::AddFiles(const QVector<CFileMatches>& files)
{
    m_pResults->setUpdatesEnabled(false);
    for (const CFileMatches& file : files) {
        const int count = file.MatchCount();
        m_nMatches += count;
        ++m_nFiles;
        if (m_stage != Stage::Finding && !std::any_of(m_openMatched.begin(), m_openMatched.end(),
                                                      [&](const COpenText& open) { return open.path == file.path; }))
            m_closedMatched << file.path;
        if (m_nListedLines >= kMaxListedLines)
            continue;
        m_nListedLines += int(file.lines.size());
        auto* fileItem = new QTreeWidgetItem(m_pResults, {QDir::toNativeSeparators(file.path)});
        fileItem->setFirstColumnSpanned(true);
        fileItem->setData(0, kPathRole, file.path);
        fileItem->setExpanded(true);
        for (const CLineMatch& line : file.lines) {
            auto* row = new QTreeWidgetItem(fileItem, {QString::number(line.line), line.text});
            QVariantList spans;
            for (const CTextSpan& span : line.spans)
                spans << int(span.start - line.textOffset) << int(span.length);
            row->setData(1, CMatchLineDelegate::MatchSpansRole, spans);
            row->setData(0, kPathRole, file.path);
            row->setData(0, kLineRole, line.line);
            row->setData(0, kStartRole, qlonglong(line.spans.first().start));
            row->setData(0, kLengthRole, qlonglong(line.spans.first().length));
        }
        if (m_nListedLines >= kMaxListedLines) {
            auto* note = new QTreeWidgetItem(m_pResults, {tr("The list stops here, after %1 lines; the count goes on.")
                                                              .arg(m_nListedLines)});
            note->setFirstColumnSpanned(true);
        }
    }
    m_pResults->setUpdatesEnabled(true);
}

void CFindInFilesDlg::OnProgress(int filesSearched)
{
    ShowStatus(tr("Searching... %1 files searched, %2 matches in %3 files.")
                   .arg(filesSearched)
                   .arg(m_nMatches)
                   .arg(m_nFiles));
}

void CFindInFilesDlg::OnFinished(const CSiteSearchSummary& summary)
{
    QString status = tr("%1 matches in %2 files (%3 files searched).").arg(m_nMatches).arg(m_nFiles).arg(
        summary.filesSearched + m_openMatched.size());
    if (!summary.unreadable.isEmpty()) {
        status += tr(" %1 could not be read.").arg(summary.unreadable.size());
        auto* item = new QTreeWidgetItem(m_pResults, {tr("Could not be read")});
        item->setFirstColumnSpanned(true);
        for (const QString& path : summary.unreadable)
            new QTreeWidgetItem(item, {QString(), QDir::toNativeSeparators(path)});
    }
    ShowStatus(status);
    if (m_stage == Stage::FindingForReplace)
        AskAndReplace();
    else
        m_stage = Stage::Idle;
}

void CFindInFilesDlg::AskAndReplace()
{
    m_stage = Stage::Idle;
    if (m_nMatches == 0)
        return;
    const QString question = tr("Replace %1 matches in %2 files?").arg(m_nMatches).arg(m_nFiles);
    if (ZtMessageBox::Show(question, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const CSiteMatcher matcher(m_searched);
    for (const COpenText& open : std::as_const(m_openMatched)) {
        if (!open.document)
            continue;
        const int count = ZtSiteFileText::ReplaceInDocument(open.document, matcher);
        m_nOpenReplaced += count;
        m_nOpenFilesReplaced += count > 0 ? 1 : 0;
    }
    m_stage = Stage::Replacing;
    m_job.StartReplace(m_closedMatched, m_searched);
    ShowStatus(tr("Replacing..."));
}

void CFindInFilesDlg::OnReplaced(const CSiteSearchSummary& summary)
{
    m_stage = Stage::Idle;
    QString text = tr("%1 matches replaced in %2 files.")
                       .arg(summary.matches + m_nOpenReplaced)
                       .arg(summary.files + m_nOpenFilesReplaced);
    ShowStatus(text);
    if (!summary.skipped.isEmpty()) {
        text += QLatin1String("\n\n") + tr("These files were left as they were:") + QLatin1Char('\n')
              + summary.skipped.join(QLatin1Char('\n'));
        auto* item = new QTreeWidgetItem(m_pResults, {tr("Left as they were")});
        item->setFirstColumnSpanned(true);
        for (const QString& skipped : summary.skipped)
            new QTreeWidgetItem(item, {QString(), skipped});
        item->setExpanded(true);
    }
    ZtMessageBox::Show(text, summary.skipped.isEmpty() ? QMessageBox::Information : QMessageBox::Warning);
}

void CFindInFilesDlg::ChooseRow(QTreeWidgetItem* item)
{
    if (!item || !item->data(0, kLineRole).isValid())
        return;
    emit matchChosen(item->data(0, kPathRole).toString(), item->data(0, kLineRole).toInt(),
                     item->data(0, kStartRole).toLongLong(), item->data(0, kLengthRole).toLongLong());
}

void CFindInFilesDlg::ShowStatus(const QString& text)
{
    m_pStatus->setText(text);
}

void CFindInFilesDlg::reject()
{
    // Closing stops the search; the dialog stays for the next Find in Files.
    m_job.Cancel();
    m_stage = Stage::Idle;
    QDialog::reject();
}
