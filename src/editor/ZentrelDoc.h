#pragma once

#include "editor/SourceDoc.h"

#include <functional>
#include <optional>

class CZentrelView;

// A web page or other source file in the web-page editor.
class CZentrelDoc : public CSourceDoc
{
    Q_OBJECT
public:
    // A new page as the New Page dialog describes it: its file's name, the
    // path it will be saved under and its starting text.
    struct CNewPage
    {
        QString m_strFileName;
        QString m_strFullPath;
        QString m_strText;
    };
    // Asked by every new page for what it is to be; no answer (Cancel, or
    // no handler) leaves it an untitled empty page. The application
    // installs the New Page dialog here.
    using NewPageHandler = std::function<std::optional<CNewPage>()>;
    static void SetNewPageHandler(NewPageHandler handler);

    bool OnNewDocument() override;
    bool OnOpenDocument(const QString& path) override;
    bool OnRecoverDocument(const QString& path, const QByteArray& bytes) override;
    // A preview page ("tempFile.html") never enters the recent-file list.
    void SetPathName(const QString& path, bool addToRecentList = true) override;

    CZentrelView* GetView() const;
    // The document of the active child frame when it is a web page.
    static bool IsTempPagePath(const QString& path);
};
