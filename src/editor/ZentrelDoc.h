#pragma once

#include "editor/SourceDoc.h"

class CZentrelView;

// A web page or other source file in the web-page editor.
class CZentrelDoc : public CSourceDoc
{
    Q_OBJECT
public:
    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& path) override;
    // A preview page ("tempFile.html") never enters the recent-file list.
    void SetPathName(const QString& path, bool addToRecentList = true) override;

    CZentrelView* GetView() const;
    // The document of the active child frame when it is a web page.
    static bool IsTempPagePath(const QString& path);
};
