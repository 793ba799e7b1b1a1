#pragma once

#include "editor/CharFormatChange.h"

#include <QString>
#include <QToolBar>

class QAction;
class QComboBox;
class QKeyEvent;

// The "Editor Font" toolbar: a face box and a size box that set the font of
// the active editor and remember it in the profile ("Startup"/"FontFace" and
// "Startup"/"FontSize", the size in twentieths of a point).
//
// The toolbar does not know the editor; it tells its owner what to change
// through charFormatNotify, and through returnNotify that the user is done
// with the toolbar (Enter or Escape) so the editor can take the focus back.
class CFontToolBar : public QToolBar
{
    Q_OBJECT
public:
    enum ControlId {
        IDC_FONT_FACE = 113,
        IDC_FONT_SIZE = 114,
    };
    // Notification code of charFormatNotify, for owners that log or route by
    // code.
    static constexpr int kCharFormatNotifyCode = 0x1000;

    CFontToolBar(int resourceId, QWidget* parent = nullptr);

    int ResourceId() const { return m_nResourceId; }
    QComboBox* FaceBox() const { return m_pFaceBox; }
    QComboBox* SizeBox() const { return m_pSizeBox; }

    // Appends the toolbar's last button (the "&Fonts toolbar" toggle).
    void AddToggleAction(QAction* action);
    // Shows the profile's face and size in the two boxes.
    void SyncFromProfile();

    // The size in twips for the text of the size box: its first four
    // characters read as a whole number of points, times 20. 0 when the text
    // holds no positive number, which means "change nothing".
    static int ParseSizeTwips(const QString& text);
    // The size box text for a stored size: the size capped at 280 twips, in
    // whole points. Sizes below one point count as the default 200.
    static QString SizeTextForTwips(int twips);
    // The face to show for a stored face name; empty means "Courier New".
    static QString FaceOrDefault(const QString& face);

signals:
    void charFormatNotify(int toolbarId, const CCharFormatChange& change);
    void returnNotify(int toolbarId);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void OnFaceChosen(int index);
    void OnSizeChosen(int index);

private:
    // charWidth: the average character width of the application font; the
    // boxes are 36 and 10 characters wide.
    void CreateFaceBox(int charWidth);
    void CreateSizeBox(int charWidth);
    void ApplyFace(const QString& face);
    void ApplySize(const QString& text);

    int m_nResourceId = 0;
    QComboBox* m_pFaceBox = nullptr;
    QComboBox* m_pSizeBox = nullptr;
};
