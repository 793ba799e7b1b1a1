#pragma once

#include "framework/Document.h"

// The one page shown in the embedded browser. The browser loads the file
// itself, so opening reads nothing here.
class CBrowserDoc : public CDocument
{
    Q_OBJECT
public:
    bool OnOpenDocument(const QString& path) override;
    bool OnSaveDocument(const QString&) override { return true; }
};
