#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QFontMetrics;

// Every message the framework shows goes through here, so tests can answer
// them without a modal dialog blocking the run.
namespace ZtMessageBox {

using Handler = std::function<QMessageBox::StandardButton(const QString& text, QMessageBox::StandardButtons buttons)>;

// The most rows of text a message shows, counting wrapped rows; the rest is
// cut off.
constexpr int kMaxRows = 25;

// Shows text in a message box titled with the product name and returns the
// button pressed. The text is first fitted to the screen (FitText), so that
// no path or value, however long, pushes the box or its buttons off it; a
// handler gets the fitted text too. While a CBlockingWait runs nothing is
// shown: a message with only OK shows once the wait has ended (the call
// answers OK at once), and a question is answered Cancel, else No.
QMessageBox::StandardButton Show(const QString& text, QMessageBox::Icon icon = QMessageBox::Information,
                                 QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                 QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// The text shortened so that a box can show it whole within maxWidth pixels
// across and kMaxRows rows down: a word (a path, say) wider than maxWidth is
// shortened in its middle with "…", a line that would wrap to more than three
// rows likewise, and the lines that would pass kMaxRows give way to one "…"
// line. Text that fits comes back unchanged.
QString FitText(const QString& text, const QFontMetrics& metrics, int maxWidth);

// Replaces the dialog by handler (null restores the dialog).
void SetHandler(Handler handler);

} // namespace ZtMessageBox
