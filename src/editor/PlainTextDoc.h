#pragma once

#include "editor/SourceDoc.h"

// A plain text file: the web-page document without colouring.
class CPlainTextDoc : public CSourceDoc
{
    Q_OBJECT
public:
    bool OnOpenDocument(const QString& path) override;
};
