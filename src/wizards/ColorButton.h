#pragma once

#include <QToolButton>

#include <functional>

class QComboBox;

// The picture button beside a colour field of the wizards. Pressing it
// lets the user pick a colour (in the plain or the full-open form of the
// colour chooser) and announces "#RRGGBB", or an empty string when the
// chooser was cancelled.
class CColorButton : public QToolButton
{
    Q_OBJECT
public:
    explicit CColorButton(bool fullOpen, QWidget* parent = nullptr);

    // Makes every pick set field's text; so a cancelled chooser empties it.
    void Fill(QComboBox* field);

    // Who picks the colour: the colour chooser, or a test's answer. Null
    // restores the chooser.
    using Picker = std::function<QString(bool fullOpen, QWidget* parent)>;
    static void SetPicker(Picker picker);

signals:
    void colorPicked(const QString& color);

private:
    void OnClicked();

    bool m_bFullOpen;
};
