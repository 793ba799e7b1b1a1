#include "wizards/ColorButton.h"

#include "editor/ColorPicker.h"

#include <QComboBox>
#include <QIcon>

namespace {
CColorButton::Picker& TestPicker()
{
    static CColorButton::Picker picker;
    return picker;
}
} // namespace

CColorButton::CColorButton(bool fullOpen, QWidget* parent)
    : QToolButton(parent)
    , m_bFullOpen(fullOpen)
{
    setIcon(QIcon(QStringLiteral(":/icons/colors.svg")));
    setToolTip(tr("Choose a colour"));
    // Tab goes from field to field, as the dialogs list them.
    setFocusPolicy(Qt::ClickFocus);
    connect(this, &QToolButton::clicked, this, &CColorButton::OnClicked);
}

void CColorButton::Fill(QComboBox* field)
{
    connect(this, &CColorButton::colorPicked, field, &QComboBox::setEditText);
}

void CColorButton::SetPicker(Picker picker)
{
    TestPicker() = std::move(picker);
}

void CColorButton::OnClicked()
{
    QString color;
    if (TestPicker()) {
        color = TestPicker()(m_bFullOpen, window());
    } else {
        CColorPicker picker(m_bFullOpen, window());
        color = picker.PickColor();
    }
    emit colorPicked(color);
}
