#include "browser/BrowseRules.h"

#include "files/FileKinds.h"
#include "files/PathParts.h"

namespace {
const QString kTempPageName = QStringLiteral("tempFile.html");
} // namespace

bool CBrowseRules::IsTempPage(const QString& path)
{
    // Letter case counts: "TEMPFILE.HTML" is a page of the user's.
    return path.endsWith(kTempPageName, Qt::CaseSensitive);
}

CBrowseRules::ShowPlan CBrowseRules::PlanShow(const QString& path, const QString& sourcePath,
                                              const QString& currentFile)
{
    if (IsTempPage(path))
        return {ZtPath::NameOf(sourcePath), currentFile};
    return {ZtPath::NameOf(path), path};
}

CBrowseRules::PreviewAction CBrowseRules::PlanPreview(const QString& documentPath, bool modified)
{
    if (IsHtmlFile(documentPath))
        return modified ? PreviewAction::ShowTempPage : PreviewAction::ShowFile;
    // Not every picture: a ".jpeg" document is refused, though the List bar
    // shows such a file.
    if (IsShownAloneFile(documentPath))
        return PreviewAction::ShowFile;
    return PreviewAction::WrongFileType;
}
