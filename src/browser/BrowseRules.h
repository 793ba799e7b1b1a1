#pragma once

#include <QString>

// The decisions of the browse commands, as plain functions over paths and
// flags; the commands gather the facts and ask here.
class CBrowseRules
{
public:
    // The preview page that Show as Web Page writes beside a modified page.
    static bool IsTempPage(const QString& path);

    // What showing path (standing for sourcePath) does to the browser's
    // title and the current file.
    struct ShowPlan
    {
        QString m_strTitle;       // the file name the browser window is titled with
        QString m_strCurrentFile; // the current file afterwards
    };
    // The preview page is titled with the page it stands for and never
    // becomes the current file; any other path does both itself.
    static ShowPlan PlanShow(const QString& path, const QString& sourcePath, const QString& currentFile);

    enum class PreviewAction { ShowTempPage, ShowFile, WrongFileType };
    // Show as Web Page for a document with this path: a modified page is
    // previewed through the temporary page, a saved page or a picture is
    // shown as it is on disk, anything else is refused.
    static PreviewAction PlanPreview(const QString& documentPath, bool modified);
};
