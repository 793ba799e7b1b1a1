#pragma once

#include "framework/CmdTarget.h"
#include "framework/OpenRequest.h"

class CDocument;
class QWidget;

// The view half of a document/view pair, mixed into a widget class
// (class CZentrelView : public QPlainTextEdit, public CView). The view is the
// first target of command routing while its frame is active.
class CView : public CCmdTarget
{
public:
    CDocument* GetDocument() const { return m_pDocument; }
    // Called by the document template right after the view is made, before
    // the file is loaded into it.
    virtual void OnOpenRequest(const COpenRequest&) {}
    // Called by the document template once the frame and document are ready.
    virtual void OnInitialUpdate() {}
    virtual QWidget* GetWidget() = 0;

private:
    friend class CDocument;
    friend class CMDIChildWnd;
    CDocument* m_pDocument = nullptr;
};
