#include "app/RecoverDlg.h"

#include "framework/MessageBox.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CRecoverDlg::CRecoverDlg(const QList<CJournalRecord>& records, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Recover Unsaved Work"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        tr("Zentrel ended without saving these documents. Recover opens the checked ones with their unsaved text;\n"
           "nothing on disk changes until you save them.")));
    m_pList = new QTreeWidget;
    m_pList->setRootIsDecorated(false);
    m_pList->setHeaderLabels({tr("File"), tr("Folder"), tr("Journaled"), tr("State")});
    for (const CJournalRecord& record : records) {
        auto* row = new QTreeWidgetItem(m_pList, RowTexts(record));
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(0, Qt::Checked);
    }
    m_pList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_pList);

    auto* buttons = new QDialogButtonBox;
    QPushButton* recover = buttons->addButton(tr("&Recover"), QDialogButtonBox::AcceptRole);
    QPushButton* discard = buttons->addButton(tr("&Discard"), QDialogButtonBox::DestructiveRole);
    QPushButton* later = buttons->addButton(tr("&Later"), QDialogButtonBox::RejectRole);
    recover->setDefault(true);
    recover->setAutoDefault(true);
    discard->setAutoDefault(false);
    later->setAutoDefault(false);
    layout->addWidget(buttons);
    connect(recover, &QPushButton::clicked, this, [this] {
        m_action = CRecoveryChoice::Action::Recover;
        accept();
    });
    connect(discard, &QPushButton::clicked, this, &CRecoverDlg::OnDiscard);
    // Escape and the close button come here too: nothing is lost.
    connect(this, &QDialog::rejected, this, [this] { m_action = CRecoveryChoice::Action::Later; });
    connect(later, &QPushButton::clicked, this, &QDialog::reject);
    resize(760, 360);
}

QStringList CRecoverDlg::RowTexts(const CJournalRecord& record)
{
    const QString name = record.m_strPath.isEmpty() ? record.m_strTitle : QFileInfo(record.m_strPath).fileName();
    const QString folder =
        record.m_strPath.isEmpty() ? tr("(never saved)") : QDir::toNativeSeparators(QFileInfo(record.m_strPath).path());
    const QString time = record.m_nJournaledMs > 0
        ? QDateTime::fromMSecsSinceEpoch(record.m_nJournaledMs).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
        : QString();
    QString state;
    if (record.m_bDamaged)
        state = tr("Damaged: cannot be recovered");
    else if (record.FileChangedSince())
        state = tr("File changed on disk since");
    if (record.m_bDamaged && name.isEmpty())
        return {QFileInfo(record.m_strJournalFile).fileName(), QString(), time, state};
    return {name, folder, time, state};
}

void CRecoverDlg::OnDiscard()
{
    const auto answer = ZtMessageBox::Show(tr("Discard the unsaved work of the checked documents?\n"
                                              "It cannot be recovered afterwards."),
                                           QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No,
                                           QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    m_action = CRecoveryChoice::Action::Discard;
    accept();
}

CRecoveryChoice CRecoverDlg::Choice() const
{
    CRecoveryChoice choice;
    choice.m_action = m_action;
    for (int i = 0; i < m_pList->topLevelItemCount(); ++i) {
        if (m_pList->topLevelItem(i)->checkState(0) == Qt::Checked)
            choice.m_checked.append(i);
    }
    return choice;
}
