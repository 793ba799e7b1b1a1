#include "app/FrameCommandRules.h"

#include "res/CommandIds.h"

#include <QFileInfo>

using namespace ZtCmd;

QString CFrameCommandRules::ExtensionOf(const QString& path)
{
    // Both separators count, since project files may carry either.
    const qsizetype nameStart = qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))) + 1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < nameStart)
        return QString();
    return path.mid(dot).toLower();
}

bool CFrameCommandRules::IsHtmlExtension(const QString& extension)
{
    return extension == QLatin1String(".html") || extension == QLatin1String(".htm");
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
