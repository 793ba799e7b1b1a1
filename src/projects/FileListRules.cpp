#include "projects/FileListRules.h"

#include "files/FileKinds.h"

namespace {
bool IsOneOf(const QString& extension, std::initializer_list<const char*> extensions)
{
    for (const char* candidate : extensions) {
        if (extension == QLatin1String(candidate))
            return true;
    }
    return false;
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
    return IsOneOf(extension, {".htm", ".html", ".jpg", ".jpeg", ".gif"})
           || extension == NormalizeFilter(extensionFilter);
}

bool CFileListRules::IsEditItemEnabled(const QString& firstSelectedName)
{
    QString extension = FileExtension(firstSelectedName);
    return !IsProgramFileType(extension);
}

CFileListRules::EOpen CFileListRules::OpenActionFor(const QString& path, bool allowRun, bool executableFile)
{
    QString extension = FileExtension(path);
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
    QString extension = FileExtension(name);
    if (browserActive)
        return IsOneOf(extension, {".htm", ".html", ".jpg", ".jpeg", ".gif"}) ? EStep::ShowInBrowser
                                                                               : EStep::Nothing;
    if (!IsEditableFileType(extension))
        return EStep::Nothing;
    return textFile ? EStep::EditText : EStep::Open;
}
