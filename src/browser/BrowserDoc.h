#pragma once

#include "framework/Document.h"

class CBrowserView;

// The one page shown in the embedded browser. The browser loads the file
// itself, so the document keeps nothing but its view.
class CBrowserDoc : public CDocument
{
    Q_OBJECT
public:
    bool OnOpenDocument(const QString& path) override;
    bool OnSaveDocument(const QString&) override { return true; }

    CBrowserView* GetView() const;
};
