#pragma once

#include <QString>
#include <QStringList>

// When the main frame's commands are available, as plain rules over what the
// frame knows about its active window. The frame's update handlers gather the
// facts and ask here.
class CFrameCommandRules
{
public:
    // The Project bar's tabs, in order.
    enum ProjectBarTab { ProjectTab = 0, KeywordsTab = 1, DesktopTab = 2 };

    // The extension of a document's file: its name from the last "." on,
    // lower-cased; empty without a dot.
    static bool IsHtmlExtension(const QString& extension);

    // Open in I.E.: a shell browser exists (level not 0) and the active
    // view is a web-page editor of an ".html" or ".htm" file.
    static bool IsOpenInBrowserEnabled(int browserLevel, bool isWebPageView, const QString& extension);
    // Show as Web Page: the active frame is a web-page frame of an HTML file.
    static bool IsShowAsWebPageEnabled(bool isWebPageFrame, const QString& extension);
    // Edit document: the browser frame is active and the page it shows is
    // open in an editor (the browser title equals a web-page document's
    // title).
    static bool IsEditDocumentEnabled(bool isBrowseFrame, const QString& browserTitle,
                                      const QStringList& webPageTitles);
    // Tile and sync-scroll: an active child frame that is not the browser.
    static bool IsWindowLayoutEnabled(bool hasActiveChild, bool isBrowseFrame);
    // File / New Folder makes a folder in the Desktop tree only.
    static bool IsNewFolderEnabled(int currentProjectBarTab);
};
