#include "tools/LinkCheckDlg.h"

#include "tools/ChoosableTree.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kLineRole = Qt::UserRole + 2;
constexpr int kColumnRole = Qt::UserRole + 3;
constexpr int kLengthRole = Qt::UserRole + 4;

} // namespace

CLinkCheckDlg::CLinkCheckDlg(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Check Links"));
    setModal(false);
    auto* tree = new CChoosableTree;
    tree->m_onChoose = [this](QTreeWidgetItem* item) { ChooseRow(item); };
    m_pResults = tree;
    m_pResults->setColumnCount(3);
    m_pResults->setHeaderLabels({tr("Page"), tr("Line"), tr("Link")});
    m_pResults->setUniformRowHeights(true);
    m_pResults->header()->setStretchLastSection(true);
    m_pStatus = new QLabel;
    m_pClose = new QPushButton(QStringLiteral("Close"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_pStatus, 1);
    bottom->addWidget(m_pClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pResults, 1);
    layout->addLayout(bottom);
    connect(m_pClose, &QPushButton::clicked, this, &CLinkCheckDlg::reject);
    connect(m_pResults, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { ChooseRow(item); });
    connect(&m_job, &CLinkCheckJob::progress, this,
            [this](int pages) { m_pStatus->setText(tr("Checking... %1 pages read.").arg(pages)); });
    connect(&m_job, &CLinkCheckJob::finished, this, &CLinkCheckDlg::OnFinished);
    resize(760, 480);
}

void CLinkCheckDlg::Start(const QString& folder)
{
    m_strFolder = QDir::cleanPath(folder);
    m_pResults->clear();
    m_pStatus->setText(tr("Checking the links under %1...").arg(QDir::toNativeSeparators(m_strFolder)));
    m_job.Start(m_strFolder);
}

void CLinkCheckDlg::OnFinished(const CLinkReport& report)
{
    const QStringList titles{tr("Broken links"), tr("Links whose letter case differs from the file's on disk"),
                             tr("Files no page links to")};
    QVector<QTreeWidgetItem*> groups;
    for (const QString& title : titles) {
        auto* group = new QTreeWidgetItem(m_pResults, {title});
        group->setFirstColumnSpanned(true);
        groups << group;
    }
    const QDir site(m_strFolder);
    m_pResults->setUpdatesEnabled(false);
    for (const CLinkProblem& problem : report.problems) {
        QString link = problem.link;
        if (problem.kind == CLinkProblem::CaseDiffers)
            link += tr("  (on disk: %1)").arg(site.relativeFilePath(problem.actual));
        auto* row = new QTreeWidgetItem(groups[problem.kind],
                                        {site.relativeFilePath(problem.page),
                                         problem.line > 0 ? QString::number(problem.line) : QString(), link});
        row->setData(0, kPathRole, problem.page);
        row->setData(0, kLineRole, problem.line);
        row->setData(0, kColumnRole, qlonglong(problem.column));
        row->setData(0, kLengthRole, qlonglong(problem.link.size()));
    }
    for (QTreeWidgetItem* group : groups) {
        group->setText(0, group->text(0) + QStringLiteral(" (%1)").arg(group->childCount()));
        group->setExpanded(true);
    }
    m_pResults->setUpdatesEnabled(true);
    m_pResults->resizeColumnToContents(0);
    QString status = tr("%1 pages and style sheets, %2 links checked.").arg(report.pagesChecked).arg(report.linksChecked);
    if (!report.unreadable.isEmpty())
        status += tr(" Could not be read: %1").arg(report.unreadable.join(QStringLiteral(", ")));
    m_pStatus->setText(status);
}

void CLinkCheckDlg::ChooseRow(QTreeWidgetItem* item)
{
    if (!item || !item->data(0, kPathRole).isValid())
        return;
    emit linkChosen(item->data(0, kPathRole).toString(), item->data(0, kLineRole).toInt(),
                    item->data(0, kColumnRole).toLongLong(), item->data(0, kLengthRole).toLongLong());
}

void CLinkCheckDlg::reject()
{
    m_job.Cancel();
    QDialog::reject();
}
