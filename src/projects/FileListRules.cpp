#include "projects/FileListRules.h"

#include "files/FileKinds.h"

namespace {
// What the List bar shows in the browser: pages and pictures.
bool IsPageOrPicture(const QString& name)
{
    return IsHtmlFile(name) || IsImageFile(name);
}
} // namespace

QString CFileListRules::NormalizeFilter(const QString& filter)
{
    QString extension = filter.trimmed().toLower();
    while (extension.startsWith(QLatin1Char('*')))
        extension.remove(0, 1);
    if (extension.isEmpty() || extension == QLatin1String("."))
        return QString();
    return extension.startsWith(QLatin1Char('.')) ? extension : QLatin1Char('.') + extension;
}

bool CFileListRules::IsBrowserShowable(const QString& name, const QString& extensionFilter)
{
    const QString extension = FileExtension(name);
    if (extension.isEmpty())
        return false;
    return IsPageOrPicture(name) || extension == NormalizeFilter(extensionFilter);
}

bool CFileListRules::IsEditItemEnabled(const QString& firstSelectedName)
{
    return !IsProgramFileType(FileExtension(firstSelectedName));
}

CFileListRules::EOpen CFileListRules::OpenActionFor(const QString& path, bool allowRun, bool executableFile)
{
    const QString extension = FileExtension(path);
    if (IsEditableFileType(extension))
        return EOpen::Edit;
    if (allowRun && (IsRunnableFileType(extension) || executableFile))
        return EOpen::Run;
    return EOpen::Nothing;
}

int CFileListRules::StepTarget(const QStringList& names, const QString& name, bool up)
{
    const int count = int(names.size());
    if (up) {
        for (int row = count - 1; row >= 0; --row) {
            if (names.at(row).compare(name, Qt::CaseInsensitive) == 0)
                return row - 1;
        }
        return -1;
    }
    for (int row = 0; row < count; ++row) {
        if (names.at(row).compare(name, Qt::CaseInsensitive) == 0)
            return row + 1 < count ? row + 1 : -1;
    }
    return -1;
}

CFileListRules::EStep CFileListRules::StepActionFor(const QString& name, bool browserActive, bool textFile)
{
    if (browserActive)
        return IsPageOrPicture(name) ? EStep::ShowInBrowser : EStep::Nothing;
    if (!IsEditableFileType(FileExtension(name)))
        return EStep::Nothing;
    return textFile ? EStep::EditText : EStep::Open;
}
