#include "wizards/NewPageText.h"

#include "files/PathParts.h"
#include "files/TypedPath.h"

#include <QStringDecoder>

namespace ZtNewPage {

QString PageMarker()
{
    return QStringLiteral("<!---Created with Zentrel I.D.E--->");
}

QString MarkerStart()
{
    return QStringLiteral("<!---Created");
}

QStringList PrologueIdentifiers()
{
    return {
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">"),
        QStringLiteral("<!DOCTYPE HTML PUBLIC  \"-//IETF//DTD HTML//EN\">"),
        QStringLiteral("<!DOCTYPE HTML PUBLIC  \"-//IETF//DTD HTML 2.0//EN\">"),
        QStringLiteral("<!DOCTYPE HTML PUBLIC  \"-//IETF//DTD HTML Level 2//EN\">"),
        QStringLiteral("<!DOCTYPE HTML PUBLIC  \"-//IETF//DTD HTML 2.0 Level 2//EN\">"),
    };
}

bool IsBinary(const QByteArray& bytes)
{
    return bytes.contains('\0');
}

namespace {

QString DecodeText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows1252("windows-1252");
    return windows1252.isValid() ? QString(windows1252.decode(bytes)) : QString::fromLatin1(bytes);
}

} // namespace

QString TemplateText(const QByteArray& templateBytes, const QString& prologue)
{
    QStringList lines{PageMarker()};
    if (!prologue.isEmpty())
        lines << prologue;
    QString text = DecodeText(templateBytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QStringList fileLines = text.split(QLatin1Char('\n'));
    // A file ending with a line end has no line after it.
    if (!fileLines.isEmpty() && fileLines.last().isEmpty())
        fileLines.removeLast();
    for (QString line : std::as_const(fileLines)) {
        while (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (!line.startsWith(MarkerStart()))
            lines << line;
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QByteArray TemplateFileBytes(const QString& fieldText)
{
    QByteArray bytes = fieldText.toUtf8();
    bytes.replace("\n", "\r\r\n");
    return bytes;
}

QString PageText(const QString& fieldText)
{
    QString text = fieldText;
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

QString InitialPath(const QString& wizardDirectory, const QString& projectFile, const QString& selectedFolder)
{
    if (projectFile.isEmpty())
        return ZtPath::FolderOf(wizardDirectory);
    const QString project = ZtPath::FolderOf(projectFile);
    if (selectedFolder == project || selectedFolder.startsWith(project + u'/'))
        return selectedFolder;
    if (selectedFolder.isEmpty())
        return project;
    return ZtPath::FolderOf(wizardDirectory);
}

CPageTarget ResolvePageTarget(const QString& title, const QString& path, bool pathIsFolder,
                              const QString& startDirectory)
{
    CPageTarget target;
    QString folder = path;
    QString fileName = title;
    const qsizetype slash = folder.lastIndexOf(QLatin1Char('/'));
    const QString lastPart = folder.mid(slash + 1);
    if (!pathIsFolder && lastPart.indexOf(QLatin1Char('.'), 1) > 0) {
        folder.truncate(slash + 1);
        if (fileName.isEmpty())
            fileName = lastPart;
    }
    if (fileName.isEmpty()) {
        target.m_eError = CPageTarget::NoTitle;
        return target;
    }
    if (fileName.contains(QLatin1Char('/'))) {
        target.m_eError = CPageTarget::SlashInTitle;
        return target;
    }
    if (fileName.indexOf(QLatin1Char('.'), 1) < 0)
        fileName += QStringLiteral(".html");
    // No folder, or a relative one, is taken from where the program
    // started: never the root of the file system, nor the current
    // directory, which the file buttons and the trees move.
    folder = folder.isEmpty() ? startDirectory : ResolveTypedPath(folder, startDirectory);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    target.m_strFileName = fileName;
    target.m_strFolder = folder;
    target.m_strFullPath = folder + fileName;
    return target;
}

} // namespace ZtNewPage
