#pragma once

#include <QLabel>

struct CHelpTopic;

// The small window that shows one help topic beside a dialog's control. It
// closes on the next click or key, like a tooltip the user asked for.
class CHelpPopup : public QLabel
{
    Q_OBJECT
public:
    explicit CHelpPopup(const CHelpTopic& topic, QWidget* control);

    // Shows the popup at point (global), kept inside the control's screen.
    void ShowAt(const QPoint& point);

    static constexpr const char* kObjectName = "helpPopup";

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
