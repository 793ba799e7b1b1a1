#include "app/FrameCommandRules.h"

#include "files/FileKinds.h"
#include "res/CommandIds.h"

#include <QFileInfo>

using namespace ZtCmd;

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

bool CFrameCommandRules::HasWizardRule(int commandId)
{
    return commandId == ID_FONT_WIZARD || commandId == ID_ALIGN_WIZARD || commandId == ID_LIST_WIZARD
           || commandId == ID_COLOR_WIZARD;
}

bool CFrameCommandRules::IsWizardEnabled(int commandId, bool isWebPageView, const QString& extension)
{
    if (!HasWizardRule(commandId))
        return true;
    if (!isWebPageView)
        return false;
    if (commandId == ID_COLOR_WIZARD && extension == QLatin1String(".css"))
        return true;
    return IsHtmlExtension(extension);
}

bool CFrameCommandRules::IsNewFolderEnabled(int currentProjectBarTab)
{
    return currentProjectBarTab == DesktopTab;
}
