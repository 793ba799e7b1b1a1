#pragma once

#include "framework/View.h"

#include <QByteArray>
#include <QPlainTextEdit>

// The project window's view: the project file's free-text note in a plain
// edit control, 18 pixels from the left edge and 4 from the right, in
// "Courier New" at 10 points. Its text round-trips the file byte for byte.
class CProjectView : public QPlainTextEdit, public CView
{
    Q_OBJECT
public:
    static constexpr int kLeftMargin = 18;
    static constexpr int kRightMargin = 4;

    CProjectView();

    QWidget* GetWidget() override { return this; }
    void OnOpenRequest(const COpenRequest& request) override;

    // The file's bytes become the text; they end at the first NUL.
    void SetFileBytes(const QByteArray& bytes);
    // The text as the file's bytes, with the line ends it was loaded with.
    QByteArray FileBytes() const;
    // The view's font, made on first use.
    QFont ViewFont();

private:
    bool m_bFontMade = false;
};
