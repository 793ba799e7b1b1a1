#include "tools/MessagesBar.h"

#include "res/CommandIds.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
enum Column { LineColumn, ColumnColumn, TextColumn };
constexpr int kLineRole = Qt::UserRole;
constexpr int kColumnRole = Qt::UserRole + 1;
} // namespace

CMessagesBar::CMessagesBar(QWidget* parent)
    : CSizeControlBar(QStringLiteral("Messages"), ZtCmd::ID_MESSAGES_BAR, kDockedInset, parent)
{
    // The main window's layout is saved and restored by object name.
    setObjectName(QStringLiteral("MessagesBar"));
    auto* contents = new QWidget;
    auto* layout = new QVBoxLayout(contents);
    layout->setContentsMargins(0, 0, 0, 0);
    m_pSummary = new QLabel(contents);
    m_pList = new QTreeWidget(contents);
    m_pList->setObjectName(QStringLiteral("MessageList"));
    m_pList->setHeaderLabels({tr("Line"), tr("Column"), tr("Text")});
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setAllColumnsShowFocus(true);
    m_pList->header()->setStretchLastSection(true);
    m_pList->setColumnWidth(LineColumn, 60);
    m_pList->setColumnWidth(ColumnColumn, 60);
    layout->addWidget(m_pSummary);
    layout->addWidget(m_pList);
    SetContents(contents);
    connect(m_pList, &QTreeWidget::itemActivated, this, &CMessagesBar::OnActivated);
}

void CMessagesBar::ShowRunning(const QString& page)
{
    m_pList->clear();
    m_pSummary->setText(tr("Validating %1...").arg(page));
}

void CMessagesBar::ShowReport(const QString& page, const CTidyReport& report)
{
    m_pList->clear();
    int errors = 0;
    QList<QTreeWidgetItem*> items;
    items.reserve(report.messages.size());
    for (const CTidyMessage& message : report.messages) {
        const bool error = message.severity == CTidyMessage::Error;
        errors += error;
        auto* item = new QTreeWidgetItem;
        // Shown as the editor counts: lines and columns from 1.
        item->setText(LineColumn, message.line > 0 ? QString::number(message.line) : QString());
        item->setText(ColumnColumn, message.line > 0 ? QString::number(message.column + 1) : QString());
        item->setText(TextColumn, (error ? tr("Error: %1") : tr("Warning: %1")).arg(message.text));
        item->setTextAlignment(LineColumn, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(ColumnColumn, Qt::AlignRight | Qt::AlignVCenter);
        if (error)
            item->setForeground(TextColumn, QColor(Qt::darkRed));
        item->setData(LineColumn, kLineRole, message.line);
        item->setData(LineColumn, kColumnRole, message.column);
        items.append(item);
    }
    // One insertion: the view lays out once, not once a row.
    m_pList->addTopLevelItems(items);
    const int warnings = int(report.messages.size()) - errors;
    auto count = [](int n, const QString& one, const QString& many) { return n == 1 ? one : many.arg(n); };
    QString summary = report.messages.isEmpty()
        ? tr("%1: no errors or warnings.").arg(page)
        : tr("%1: %2, %3.").arg(page, count(errors, tr("1 error"), tr("%1 errors")),
                                 count(warnings, tr("1 warning"), tr("%1 warnings")));
    if (report.omitted > 0)
        summary += QLatin1Char(' ') + tr("%1 more messages are not shown.").arg(report.omitted);
    m_pSummary->setText(summary);
}

void CMessagesBar::OnActivated(QTreeWidgetItem* item)
{
    const int line = item->data(LineColumn, kLineRole).toInt();
    if (line > 0)
        emit messageChosen(line, item->data(LineColumn, kColumnRole).toLongLong());
}
