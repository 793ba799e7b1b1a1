#include "editor/ColorPicker.h"

#include "framework/Profile.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QStringList>
#include <QWidget>

namespace {

const QString kSection = QStringLiteral("Settings");
const QString kWhite = QStringLiteral("255,255,255");

QString SlotKey(int slot)
{
    return QStringLiteral("Color%1").arg(slot + 1);
}

// Qt's dialog classes for the colour editing part. They are private to Qt,
// so they are found by class name; should a Qt version name them otherwise,
// the plain form simply shows the whole dialog.
bool IsEditingPart(const QWidget* widget)
{
    static const char* const kEditingClasses[] = {"QColorPicker", "QColorLuminancePicker",
                                                  "QColorShower"};
    for (const char* name : kEditingClasses) {
        if (widget->inherits(name))
            return true;
    }
    // The dialog's own push buttons ("Pick Screen Color", "Add to Custom
    // Colors") only make sense together with the editing part.
    return qobject_cast<const QPushButton*>(widget) != nullptr;
}

QList<QWidget*> EditingPartOf(QColorDialog& dialog)
{
    QList<QWidget*> part;
    for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (IsEditingPart(child))
            part.append(child);
    }
    return part;
}

} // namespace

CColorPicker::CColorPicker(bool fullOpen, QWidget* parent)
    : m_bFullOpen(fullOpen)
    , m_pParent(parent)
{
}

CColorPicker::~CColorPicker() = default;

QString CColorPicker::FormatHtmlColor(const QColor& color)
{
    return QStringLiteral("#%1%2%3")
        .arg(color.red(), 2, 16, QLatin1Char('0'))
        .arg(color.green(), 2, 16, QLatin1Char('0'))
        .arg(color.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QString CColorPicker::FormatCustomColor(const QColor& color)
{
    return QStringLiteral("%1,%2,%3").arg(color.red()).arg(color.green()).arg(color.blue());
}

QColor CColorPicker::ParseCustomColor(const QString& text)
{
    const QStringList fields = text.split(QLatin1Char(','));
    int channels[3] = {0, 0, 0};
    int read = 0;
    while (read < 3 && read < fields.size() && CProfile::ParseInt(fields[read], &channels[read]))
        ++read;
    if (read == 0)
        return QColor(255, 255, 255);
    return QColor(channels[0] & 0xFF, channels[1] & 0xFF, channels[2] & 0xFF);
}

void CColorPicker::LoadCustomColors()
{
    const CProfile& profile = CProfile::Instance();
    for (int slot = 0; slot < kCustomColorCount; ++slot)
        QColorDialog::setCustomColor(slot, ParseCustomColor(profile.GetString(kSection, SlotKey(slot))));
}

void CColorPicker::SaveCustomColors()
{
    CProfile& profile = CProfile::Instance();
    for (int slot = 0; slot < kCustomColorCount; ++slot)
        profile.WriteString(kSection, SlotKey(slot), FormatCustomColor(QColorDialog::customColor(slot)));
}

QString CColorPicker::PickColor()
{
    // The custom colours go in before the dialog exists, so that its wells
    // show them from the start.
    LoadCustomColors();
    QColorDialog dialog(m_pParent);
    PrepareDialog(dialog);
    const bool confirmed = RunDialog(dialog);
    SaveCustomColors();
    if (!confirmed)
        return QString();
    return FormatHtmlColor(dialog.selectedColor().isValid() ? dialog.selectedColor()
                                                            : dialog.currentColor());
}

bool CColorPicker::RunDialog(QColorDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

void CColorPicker::PrepareDialog(QColorDialog& dialog) const
{
    // A desktop's own colour dialog would ignore the custom colours we keep
    // in the profile, so always use Qt's.
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    if (m_bFullOpen)
        return;

    const QList<QWidget*> editingPart = EditingPartOf(dialog);
    if (editingPart.isEmpty())
        return;
    for (QWidget* widget : editingPart)
        widget->hide();

    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    if (!buttons)
        return;
    QPushButton* define = buttons->addButton(QStringLiteral("&Define Custom Colors >>"),
                                             QDialogButtonBox::ActionRole);
    define->setObjectName(QStringLiteral("DefineCustomColors"));
    QObject::connect(define, &QPushButton::clicked, &dialog, [editingPart, define, &dialog] {
        for (QWidget* widget : editingPart)
            widget->show();
        define->setEnabled(false);
        dialog.adjustSize();
    });
}
