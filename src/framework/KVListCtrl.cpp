#include "framework/KVListCtrl.h"

#include "framework/Profile.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTimer>

#include <algorithm>

namespace {
// A drag resizes a column many times a second; the profile is written once
// it has rested this long.
constexpr int kSaveDelayMs = 400;
} // namespace

CKVListCtrl::CKVListCtrl(const QString& profileSection, QWidget* parent)
    : QTreeView(parent)
    , m_strSection(profileSection)
    , m_pSaveTimer(new QTimer(this))
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pSaveTimer->setSingleShot(true);
    m_pSaveTimer->setInterval(kSaveDelayMs);
    connect(m_pSaveTimer, &QTimer::timeout, this, &CKVListCtrl::SaveColumnWidths);
    connect(header(), &QHeaderView::sectionResized, this, &CKVListCtrl::OnSectionResized);
}

CKVListCtrl::~CKVListCtrl()
{
    // A drag that ended just before the window went is still written.
    if (m_pSaveTimer->isActive())
        SaveColumnWidths();
}

QString CKVListCtrl::ColumnKey(int column)
{
    return QStringLiteral("Column%1").arg(column);
}

void CKVListCtrl::SetDefaultColumnWidths(const QList<int>& widths)
{
    m_bLoading = true;
    for (int column = 0; column < widths.size(); ++column)
        header()->resizeSection(column, widths.at(column));
    m_bLoading = false;
}

bool CKVListCtrl::LoadColumnWidths()
{
    const CProfile& profile = CProfile::Instance();
    bool bAny = false;
    m_bLoading = true;
    for (int column = 0; column < header()->count(); ++column) {
        const int width = profile.GetInt(m_strSection, ColumnKey(column), -1);
        // A width of nothing would hide the column for good.
        if (width > 0) {
            header()->resizeSection(column, width);
            bAny = true;
        }
    }
    m_bLoading = false;
    return bAny;
}

void CKVListCtrl::SaveColumnWidths()
{
    m_pSaveTimer->stop();
    CProfile& profile = CProfile::Instance();
    for (int column = 0; column < header()->count(); ++column) {
        const QString key = ColumnKey(column);
        const int width = header()->sectionSize(column);
        if (profile.GetInt(m_strSection, key, -1) != width)
            profile.WriteInt(m_strSection, key, width);
    }
}

void CKVListCtrl::OnSectionResized()
{
    if (!m_bLoading)
        m_pSaveTimer->start();
}

QList<int> CKVListCtrl::SelectedRows() const
{
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

int CKVListCtrl::FirstSelectedRow() const
{
    const QList<int> rows = SelectedRows();
    return rows.isEmpty() ? -1 : rows.first();
}

void CKVListCtrl::SelectRow(int row)
{
    if (!model() || row < 0 || row >= model()->rowCount())
        return;
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}
