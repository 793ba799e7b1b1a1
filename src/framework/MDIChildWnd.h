#pragma once

#include "framework/CmdTarget.h"
#include "framework/Document.h"
#include "framework/OpenRequest.h"

#include <QMdiSubWindow>
#include <QPointer>

class CView;

// A child frame in the main window's MDI area, holding one view of a
// document. Closing the last frame of a document closes the document.
class CMDIChildWnd : public QMdiSubWindow, public CCmdTarget
{
    Q_OBJECT
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    CView* GetActiveView() const { return m_pView; }
    CDocument* GetActiveDocument() const { return m_pDocument; }
    void SetView(CView* view, CDocument* document);

    // Shows the frame for the first time; showCmd -1 means "as the frame
    // likes" (the framework's default), otherwise a show state (0 hidden,
    // 1 normal, 2 minimised, 3 maximised).
    virtual void ActivateFrame(int showCmd = -1);
    // Caption from the document's title and modified flag.
    void OnUpdateFrameTitle();

    // What the window was opened with; ActivateFrame reads its placement.
    void SetOpenRequest(const COpenRequest& request) { m_openRequest = request; }
    const COpenRequest& OpenRequest() const { return m_openRequest; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CView* m_pView = nullptr;
    QPointer<CDocument> m_pDocument;
    COpenRequest m_openRequest;
};
