#include "files/FileKinds.h"

#include <QLatin1String>

namespace {

constexpr bool E = true; // for the table's columns: editable,
constexpr bool P = true; // program,
constexpr bool R = true; // runnable,
constexpr bool T = true; // plain text,
constexpr bool B = true; // browsable,
constexpr bool I = true; // image,
constexpr bool S = true; // shown alone
constexpr bool _ = false;
using L = ZtLanguage;

// clang-format off
constexpr CFileKind kFileKinds[] = {
    //  extension  edit prog run text browse image shown language
    {".html",  E, _, _, _, B, _, S, L::Html},
    {".htm",   E, _, _, _, B, _, S, L::Html},
    {".css",   E, _, _, _, B, _, _, L::Css},
    {".perl",  E, _, _, _, _, _, _, L::Perl},
    {".prl",   E, _, _, _, _, _, _, L::Perl},
    {".pl",    E, _, _, _, _, _, _, L::Perl},
    {".cnc",   E, _, _, _, _, _, _, L::Cnc},
    {".vbs",   _, _, _, _, _, _, _, L::VbScript},
    {".java",  E, _, _, _, _, _, _, L::Java},
    {".txt",   E, _, _, T, B, _, _, L::None},
    {".dat",   E, _, _, T, _, _, _, L::None},
    {".inf",   E, _, _, T, _, _, _, L::None},
    {".kwd",   E, _, _, T, _, _, _, L::None},
    {".tpt",   E, _, _, T, _, _, _, L::None},
    {".ini",   E, _, _, T, _, _, _, L::None},
    {".rtf",   E, _, _, _, _, _, _, L::None},
    {".jav",   E, _, _, _, _, _, _, L::None},
    {".ncp",   E, _, _, _, _, _, _, L::None},
    {".js",    E, _, _, _, B, _, _, L::None},
    {".pll",   E, _, _, _, _, _, _, L::None},
    {".pm",    E, _, _, _, _, _, _, L::None},
    {".pgm",   E, _, _, _, _, _, _, L::None},
    {".fil",   E, _, _, _, _, _, _, L::None},
    {".f04",   E, _, _, _, _, _, _, L::None},
    {".f05",   E, _, _, _, _, _, _, L::None},
    {".f06",   E, _, _, _, _, _, _, L::None},
    {".exe",   _, P, R, _, _, _, _, L::None},
    {".bat",   _, P, R, _, _, _, _, L::None},
    {".com",   _, P, _, _, _, _, _, L::None},
    {".sys",   _, P, _, _, _, _, _, L::None},
    {".dos",   _, P, _, _, _, _, _, L::None},
    {".win",   _, P, _, _, _, _, _, L::None},
    {".shtml", _, _, _, _, B, _, _, L::None},
    {".shtm",  _, _, _, _, B, _, _, L::None},
    {".xhtml", _, _, _, _, B, _, _, L::None},
    {".xht",   _, _, _, _, B, _, _, L::None},
    {".mht",   _, _, _, _, B, _, _, L::None},
    {".mhtml", _, _, _, _, B, _, _, L::None},
    {".xml",   _, _, _, _, B, _, _, L::None},
    {".xsl",   _, _, _, _, B, _, _, L::None},
    {".json",  _, _, _, _, B, _, _, L::None},
    {".gif",   _, _, _, _, B, I, S, L::None},
    {".jpg",   _, _, _, _, B, I, S, L::None},
    {".jpeg",  _, _, _, _, B, I, _, L::None},
    {".jpe",   _, _, _, _, B, _, _, L::None},
    {".png",   _, _, _, _, B, _, _, L::None},
    {".bmp",   _, _, _, _, B, _, _, L::None},
    {".ico",   _, _, _, _, B, _, _, L::None},
    {".svg",   _, _, _, _, B, _, _, L::None},
    {".webp",  _, _, _, _, B, _, _, L::None},
    {".pdf",   _, _, _, _, B, _, _, L::None},
};
// clang-format on

template <typename Flag>
bool ExtensionIs(const QString& extension, Flag flag)
{
    const CFileKind* kind = FindFileKind(extension);
    return kind && kind->*flag;
}

template <typename Flag>
bool FileIs(const QString& nameOrPath, Flag flag)
{
    return ExtensionIs(FileExtension(nameOrPath), flag);
}

} // namespace

QString FileExtension(const QString& nameOrPath)
{
    const qsizetype nameStart = nameOrPath.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = nameOrPath.lastIndexOf(QLatin1Char('.'));
    if (dot < nameStart)
        return QString();
    return nameOrPath.mid(dot).toLower();
}

std::span<const CFileKind> AllFileKinds()
{
    return kFileKinds;
}

const CFileKind* FindFileKind(const QString& extension)
{
    for (const CFileKind& kind : kFileKinds) {
        if (extension.compare(QLatin1String(kind.extension), Qt::CaseInsensitive) == 0)
            return &kind;
    }
    return nullptr;
}

bool IsEditableFileType(const QString& extension)
{
    return ExtensionIs(extension, &CFileKind::editable);
}

bool IsProgramFileType(const QString& extension)
{
    return ExtensionIs(extension, &CFileKind::program);
}

bool IsRunnableFileType(const QString& extension)
{
    return ExtensionIs(extension, &CFileKind::runnable);
}

bool IsPlainTextFile(const QString& nameOrPath)
{
    return FileIs(nameOrPath, &CFileKind::plainText);
}

bool IsBrowsableFile(const QString& nameOrPath)
{
    return FileIs(nameOrPath, &CFileKind::browsable);
}

bool IsImageFile(const QString& nameOrPath)
{
    return FileIs(nameOrPath, &CFileKind::image);
}

bool IsShownAloneFile(const QString& nameOrPath)
{
    return FileIs(nameOrPath, &CFileKind::shownAlone);
}

bool IsHtmlFile(const QString& nameOrPath)
{
    return FileLanguage(nameOrPath) == ZtLanguage::Html;
}

ZtLanguage FileLanguage(const QString& nameOrPath)
{
    const CFileKind* kind = FindFileKind(FileExtension(nameOrPath));
    return kind ? kind->language : ZtLanguage::None;
}
