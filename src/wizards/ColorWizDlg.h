#pragma once

#include "wizards/ColorText.h"

#include <QDialog>

class QLabel;
class QLineEdit;

// The Color wizard, "Get Color": one colour value written in one of five
// forms, with a preview of the text OK produces. The value starts as
// "#FFFFFF" and changes only through the colour button; the edit field
// shows it, and text typed there only refreshes the preview.
class CColorWizDlg : public QDialog
{
    Q_OBJECT
public:
    enum {
        IDC_KIND_BGCOLOR = 2040,
        IDC_KIND_ALONE = 2041,
        IDC_KIND_BACKGROUND = 2042,
        IDC_KIND_COLOR = 2043,
        IDC_KIND_BACKGROUND_COLOR = 2044,
        IDC_VALUE = 2045,
        IDC_PREVIEW = 2046,
    };

    explicit CColorWizDlg(QWidget* parent = nullptr);

    static QString Caption() { return QStringLiteral("Get Color"); }

    const QString& Value() const { return m_strValue; }
    ZtColorKind Kind() const { return m_kind; }
    QString PreviewText() const;
    // The value in the chosen form once accepted.
    const QString& Text() const { return m_strText; }

    void accept() override;

private:
    QWidget* MakeParametersGroup();
    void SetKind(ZtColorKind kind);
    void OnColorPicked(const QString& color);
    void UpdatePreview();

    QString m_strValue = QStringLiteral("#FFFFFF");
    ZtColorKind m_kind = ZtColorKind::Alone;
    QLineEdit* m_pValueEdit = nullptr;
    QLabel* m_pPreview = nullptr;
    QString m_strText;
};
