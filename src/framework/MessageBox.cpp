#include "framework/MessageBox.h"

#include "framework/BlockingWait.h"
#include "framework/KeysBack.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPointer>
#include <QScreen>
#include <QStringList>

namespace ZtMessageBox {

namespace {
const QString kEllipsis = QStringLiteral("\u2026");
// Rows a line of words may wrap to before it is shortened.
constexpr int kRowsPerLine = 3;
// Characters of a line kept before it is measured at all: measuring a line
// of a million characters takes seconds, and no box shows that much.
constexpr int kMaxLineChars = 2000;

Handler& InstalledHandler()
{
    static Handler handler;
    return handler;
}

QString CutMiddle(const QString& text, int maxChars)
{
    if (text.size() <= maxChars)
        return text;
    return text.left(maxChars / 2) + kEllipsis + text.right(maxChars / 2);
}

QString FitLine(const QString& line, const QFontMetrics& metrics, int maxWidth)
{
    QStringList words = CutMiddle(line, kMaxLineChars).split(QLatin1Char(' '));
    // A word cannot wrap: it must fit a row by itself.
    for (QString& word : words) {
        if (metrics.horizontalAdvance(word) > maxWidth)
            word = metrics.elidedText(word, Qt::ElideMiddle, maxWidth);
    }
    const QString fitted = words.join(QLatin1Char(' '));
    if (metrics.horizontalAdvance(fitted) <= kRowsPerLine * maxWidth)
        return fitted;
    return metrics.elidedText(fitted, Qt::ElideMiddle, kRowsPerLine * maxWidth);
}

// Half the screen's width: wide enough for any sentence, and the box stays
// on the screen with room for its icon and margins.
int MaxLineWidth()
{
    const QScreen* screen = QApplication::primaryScreen();
    return screen ? qMax(200, screen->availableGeometry().width() / 2) : 600;
}
} // namespace

QString FitText(const QString& text, const QFontMetrics& metrics, int maxWidth)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    QStringList fitted;
    int rows = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QString shown = FitLine(lines.at(i), metrics, maxWidth);
        const int lineRows = qMax(1, (metrics.horizontalAdvance(shown) + maxWidth - 1) / maxWidth);
        // The last row left goes to the mark that there was more.
        const bool moreFollow = i + 1 < lines.size();
        if (rows + lineRows > kMaxRows || (rows + lineRows == kMaxRows && moreFollow)) {
            fitted.append(kEllipsis);
            break;
        }
        fitted.append(shown);
        rows += lineRows;
    }
    return fitted.join(QLatin1Char('\n'));
}

QMessageBox::StandardButton Show(const QString& text, QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton defaultButton)
{
    if (CBlockingWait::IsActive()) {
        // A box now could hang the wait (BlockingWait.h): a message waits for
        // its end; a question, which needs its answer now, gets the one that
        // changes nothing.
        if (buttons == QMessageBox::Ok || buttons == QMessageBox::NoButton) {
            CBlockingWait::Defer([text, icon] { Show(text, icon); });
            return QMessageBox::Ok;
        }
        return buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel
               : buttons.testFlag(QMessageBox::No)   ? QMessageBox::No
                                                     : QMessageBox::NoButton;
    }
    const QString fitted = FitText(text, QFontMetrics(QApplication::font("QMessageBox")), MaxLineWidth());
    if (InstalledHandler())
        return InstalledHandler()(fitted, buttons);
    QWidget* parent = QApplication::activeWindow();
    const QPointer<QWidget> focus = QApplication::focusWidget();
    QMessageBox box(icon, QApplication::applicationDisplayName(), fitted, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    const auto answer = QMessageBox::StandardButton(box.exec());
    // Without a window manager nothing makes the window active again, and
    // its shortcuts and mnemonics would be dead.
    if (parent) {
        ZtGiveKeysBack(parent);
        if (focus)
            focus->setFocus();
    }
    return answer;
}

void SetHandler(Handler handler)
{
    InstalledHandler() = std::move(handler);
}

} // namespace ZtMessageBox
