#pragma once

#include "framework/MDIChildWnd.h"

#include <QRect>

// The child frame of a web page. It opens where the last closed one stood,
// or, while start-up reopens the files of the last run, where that file's
// window stood at the last Exit.
class CChildFrame : public CMDIChildWnd
{
    Q_OBJECT
public:
    CChildFrame();
    ~CChildFrame() override;

    void ActivateFrame(int showCmd = -1) override;

    // The placement of a child frame as a placement string.
    static QString PlacementString(CMDIChildWnd* frame);
    // Applies a placement string; false when it does not parse.
    bool ApplyPlacementString(const QString& placement, bool normalInsteadOfMaximized);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The placement "ZTTypeWindowPos" keeps for this window as it stands
    // now: flags 2 (restore to maximised) while it is maximised, else 0.
    QString ClosingPlacement() const;
    QRect NormalRect() const;
    // The show state the frame had before it was first shown: 0.
    int CurrentShowState() const;
    void RememberNormalGeometry();
    void ShowWithState(int showCmd);

    QRect m_rectNormal; // the restored geometry, also while maximised or minimised
    bool m_bShownBefore = false;
    QString m_strClosedPlacement; // taken when a close was accepted, written when destroyed
};
