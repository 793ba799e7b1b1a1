#include "browser/BrowseRules.h"

#include "files/FileKinds.h"

namespace {
const QString kTempPageName = QStringLiteral("tempFile.html");
} // namespace

bool CBrowseRules::IsTempPage(const QString& path)
{
    // Letter case counts: "TEMPFILE.HTML" is a page of the user's.
    return path.endsWith(kTempPageName, Qt::CaseSensitive);
}

QString CBrowseRules::FileNameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

CBrowseRules::ShowPlan CBrowseRules::PlanShow(const QString& path, const QString& sourcePath,
                                              const QString& currentFile)
{
    if (IsTempPage(path))
        return {FileNameOf(sourcePath), currentFile};
    return {FileNameOf(path), path};
}

CBrowseRules::PreviewAction CBrowseRules::PlanPreview(const QString& documentPath, bool modified)
{
    const QString extension = FileExtension(documentPath);
    if (IsHtmlFile(documentPath))
        return modified ? PreviewAction::ShowTempPage : PreviewAction::ShowFile;
    // Only these two picture kinds: a ".jpeg" document is refused, though
    // the List bar shows such a file.
    if (extension == QLatin1String(".gif") || extension == QLatin1String(".jpg"))
        return PreviewAction::ShowFile;
    return PreviewAction::WrongFileType;
}
