#pragma once

#include "framework/Document.h"

// An open web project. The project is shown in the Project bar; its own
// child frame stays hidden.
class CProjectDoc : public CDocument
{
    Q_OBJECT
public:
    void Serialize(CArchive& ar) override;
    // The project file is written by the project commands, never by the
    // framework's save.
    bool OnSaveDocument(const QString&) override { return true; }
};
