#include "editor/FontToolBar.h"

#include "editor/SourceEditView.h"
#include "framework/Profile.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

const QString kSection = QStringLiteral("Startup");
const QString kFaceKey = QStringLiteral("FontFace");
const QString kSizeKey = QStringLiteral("FontSize");
constexpr int kTwipsPerPoint = 20;
constexpr int kSizeEditLength = 4;
// The drop-down lists are sixteen lines high.
constexpr int kVisibleItems = 16;
constexpr int kGapAfterFaceBox = 12;

bool IsReturnKey(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

bool IsLeaveToolbarKey(const QKeyEvent* event)
{
    return IsReturnKey(event) || event->key() == Qt::Key_Escape;
}

} // namespace

CFontToolBar::CFontToolBar(int resourceId, QWidget* parent)
    : QToolBar(QStringLiteral("Editor Font"), parent)
    , m_nResourceId(resourceId)
{
    setObjectName(QStringLiteral("FontToolBar"));
    const QFontMetrics metrics(QApplication::font());
    CreateFaceBox(metrics.averageCharWidth());

    auto* gap = new QWidget(this);
    gap->setFixedWidth(kGapAfterFaceBox);
    addWidget(gap);

    CreateSizeBox(metrics.averageCharWidth());
    addSeparator();
    SyncFromProfile();
}

void CFontToolBar::CreateFaceBox(int charWidth)
{
    m_pFaceBox = new QComboBox(this);
    m_pFaceBox->setObjectName(QString::number(IDC_FONT_FACE));
    m_pFaceBox->setEditable(false);
    m_pFaceBox->setFixedWidth(36 * charWidth);
    m_pFaceBox->setMaxVisibleItems(kVisibleItems);
    m_pFaceBox->setFont(QApplication::font());
    m_pFaceBox->setToolTip(QStringLiteral("Select environment font"));
    m_pFaceBox->setStatusTip(QStringLiteral("Changes the environment font "));
    m_pFaceBox->addItems(QFontDatabase::families());
    m_pFaceBox->installEventFilter(this);
    connect(m_pFaceBox, &QComboBox::activated, this, &CFontToolBar::OnFaceChosen);
    addWidget(m_pFaceBox);
}

void CFontToolBar::CreateSizeBox(int charWidth)
{
    m_pSizeBox = new QComboBox(this);
    m_pSizeBox->setObjectName(QString::number(IDC_FONT_SIZE));
    m_pSizeBox->setEditable(true);
    // A typed size applies to the editor; it is not a new list entry.
    m_pSizeBox->setInsertPolicy(QComboBox::NoInsert);
    // Typing "1" must not turn into "10" behind the user's back.
    m_pSizeBox->setCompleter(nullptr);
    // A size is applied only when chosen from the list or confirmed with
    // Enter; the combo box would otherwise also choose the item matching the
    // typed text whenever its edit field loses the focus.
    disconnect(m_pSizeBox->lineEdit(), &QLineEdit::editingFinished, m_pSizeBox, nullptr);
    m_pSizeBox->lineEdit()->setMaxLength(kSizeEditLength);
    m_pSizeBox->setFixedWidth(10 * charWidth);
    m_pSizeBox->setMaxVisibleItems(kVisibleItems);
    m_pSizeBox->setFont(QApplication::font());
    m_pSizeBox->setToolTip(QStringLiteral("Select environment font size"));
    m_pSizeBox->setStatusTip(QStringLiteral("Changes the environment font size"));
    m_pSizeBox->addItems({QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"),
                          QStringLiteral("11"), QStringLiteral("12"), QStringLiteral("14")});
    m_pSizeBox->installEventFilter(this);
    m_pSizeBox->lineEdit()->installEventFilter(this);
    connect(m_pSizeBox, &QComboBox::activated, this, &CFontToolBar::OnSizeChosen);
    addWidget(m_pSizeBox);
}

void CFontToolBar::AddToggleAction(QAction* action)
{
    addAction(action);
}

int CFontToolBar::ParseSizeTwips(const QString& text)
{
    int points = 0;
    if (!CProfile::ParseInt(text.left(kSizeEditLength), &points) || points <= 0)
        return 0;
    return points * kTwipsPerPoint;
}

void CFontToolBar::ShowFont(const QFont& font)
{
    m_pFaceBox->setCurrentIndex(m_pFaceBox->findText(QFontInfo(font).family(), Qt::MatchFixedString));
    const QString size = QString::number(font.pointSizeF());
    m_pSizeBox->setCurrentIndex(m_pSizeBox->findText(size));
    m_pSizeBox->setEditText(size);
}

void CFontToolBar::SyncFromProfile()
{
    ShowFont(CSourceEditView::ScreenFontFromProfile(CSourceEditView::kWebPageScreenSizeTwips,
                                                    CSourceEditView::WebPageDefaultFace()));
}

void CFontToolBar::OnFaceChosen(int index)
{
    ApplyFace(m_pFaceBox->itemText(index));
}

void CFontToolBar::OnSizeChosen(int index)
{
    ApplySize(m_pSizeBox->itemText(index));
}

void CFontToolBar::ApplyFace(const QString& face)
{
    if (face.isEmpty())
        return;
    CProfile::Instance().WriteString(kSection, kFaceKey, face);
    emit charFormatNotify(m_nResourceId, CCharFormatChange::Face(face));
}

void CFontToolBar::ApplySize(const QString& text)
{
    const int twips = ParseSizeTwips(text);
    if (twips == 0)
        return;
    CProfile::Instance().WriteInt(kSection, kSizeKey, twips);
    emit charFormatNotify(m_nResourceId, CCharFormatChange::Size(twips));
}

bool CFontToolBar::eventFilter(QObject* watched, QEvent* event)
{
    const bool watchedBox = watched == m_pFaceBox || watched == m_pSizeBox
                            || watched == m_pSizeBox->lineEdit();
    if (!watchedBox)
        return QToolBar::eventFilter(watched, event);

    if (event->type() == QEvent::ShortcutOverride) {
        // Enter and Escape belong to the toolbar while a box has the focus,
        // even if the window binds them to a shortcut.
        if (IsLeaveToolbarKey(static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
    } else if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsLeaveToolbarKey(key)) {
            const bool inSizeBox = watched != m_pFaceBox;
            if (inSizeBox && IsReturnKey(key))
                ApplySize(m_pSizeBox->currentText());
            emit returnNotify(m_nResourceId);
            return true;
        }
    }
    return QToolBar::eventFilter(watched, event);
}

void CFontToolBar::keyPressEvent(QKeyEvent* event)
{
    if (IsLeaveToolbarKey(event)) {
        emit returnNotify(m_nResourceId);
        event->accept();
        return;
    }
    QToolBar::keyPressEvent(event);
}
