#pragma once

#include "editor/CharFormatChange.h"

#include <QFont>
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
    // Shows the face and size an editor draws with font: the face the font
    // resolves to (a face that is not installed is drawn in another one),
    // the size in points.
    void ShowFont(const QFont& font);
    // Shows the font a web-page editor opened now would draw with, from the
    // profile.
    void SyncFromProfile();

    // The size in twips for the text of the size box: its first four
    // characters read as a whole number of points, times 20. 0 when the text
    // holds no positive number, which means "change nothing".
    static int ParseSizeTwips(const QString& text);

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
