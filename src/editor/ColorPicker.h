#pragma once

#include <QColor>
#include <QString>

class QColorDialog;
class QWidget;

// Lets the user pick a colour for HTML markup. The chooser's sixteen custom
// colours live in the profile ("Settings"/"Color1" .. "Color16", each
// "red,green,blue" in decimal), so they survive between runs and are shared
// by every wizard that picks a colour.
//
// The full-open form shows the colour editing part (spectrum, luminance and
// value fields) at once; the plain form shows only the basic and custom
// colour wells and offers "&Define Custom Colors >>" to open the editing part.
class CColorPicker
{
public:
    explicit CColorPicker(bool fullOpen = false, QWidget* parent = nullptr);
    virtual ~CColorPicker();

    // Runs the chooser modally. Returns the chosen colour as "#RRGGBB"
    // (upper-case hex), or an empty string when the user cancels. The custom
    // colours are saved to the profile either way.
    QString PickColor();

    bool IsFullOpen() const { return m_bFullOpen; }

    // "#RRGGBB" with upper-case hexadecimal digits.
    static QString FormatHtmlColor(const QColor& color);
    // A custom colour slot value as written to the profile: "r,g,b".
    static QString FormatCustomColor(const QColor& color);
    // Reads a custom colour slot value. An empty value, or one that does not
    // start with a number, is white. Otherwise up to three comma-separated
    // decimal numbers are read in order as red, green and blue; reading
    // stops at the first field that is not a number (or does not fit an
    // int), and the fields not read are 0. Each number then keeps only its low eight bits (256 gives 0, -1
    // gives 255), so a value out of range never spills into another channel.
    static QColor ParseCustomColor(const QString& text);

    // Copies the sixteen profile slots into the colour dialog's custom
    // colours, and back.
    static void LoadCustomColors();
    static void SaveCustomColors();

    // Number of custom colour slots.
    static constexpr int kCustomColorCount = 16;

protected:
    // Shows the dialog modally; true when the user confirmed. Tests replace
    // this to answer without a user.
    virtual bool RunDialog(QColorDialog& dialog);

private:
    void PrepareDialog(QColorDialog& dialog) const;

    bool m_bFullOpen = false;
    QWidget* m_pParent = nullptr;
};
