#include "app/FrameCommandRules.h"

#include "files/FileKinds.h"

#include <QFileInfo>

bool CFrameCommandRules::IsHtmlExtension(const QString& extension)
{
    const CFileKind* kind = FindFileKind(extension);
    return kind && kind->language == ZtLanguage::Html;
}

bool CFrameCommandRules::IsOpenInBrowserEnabled(int browserLevel, bool isWebPageView, const QString& extension)
{
    return browserLevel != 0 && isWebPageView && IsHtmlExtension(extension);
}

bool CFrameCommandRules::IsShowAsWebPageEnabled(bool isWebPageFrame, const QString& extension)
{
    return isWebPageFrame && IsHtmlExtension(extension);
}

bool CFrameCommandRules::IsEditDocumentEnabled(bool isBrowseFrame, const QString& browserTitle,
                                               const QStringList& webPageTitles)
{
    return isBrowseFrame && webPageTitles.contains(browserTitle);
}

bool CFrameCommandRules::IsWindowLayoutEnabled(bool hasActiveChild, bool isBrowseFrame)
{
    return hasActiveChild && !isBrowseFrame;
}

bool CFrameCommandRules::IsNewFolderEnabled(int currentProjectBarTab)
{
    return currentProjectBarTab == DesktopTab;
}
