#include "files/FolderCopy.h"

#include "files/AtomicFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace ZtFolderCopy {
namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("ZtFolderCopy", text);
}

bool ReadWhole(const QString& path, QByteArray* bytes, QString* errorString)
{
    if (!QFileInfo(path).isFile()) {
        *errorString = Tr("It is not a regular file.");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *errorString = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *errorString = file.errorString();
        return false;
    }
    return true;
}

// The file at path holds exactly bytes.
bool Holds(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return QFileInfo(path).isFile() && QFileInfo(path).size() == bytes.size() && file.open(QIODevice::ReadOnly)
        && file.readAll() == bytes;
}

} // namespace

QString FreeName(const QString& folder, const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? fileName.left(dot) : fileName;
    const QString extension = dot > 0 ? fileName.mid(dot) : QString();
    QString name = fileName;
    for (int number = 2; QFileInfo::exists(folder + QLatin1Char('/') + name); ++number)
        name = stem + QStringLiteral("-%1").arg(number) + extension;
    return name;
}

QString CopyInto(const QString& source, const QString& folder, QString* errorString)
{
    QByteArray bytes;
    if (!ReadWhole(source, &bytes, errorString))
        return QString();
    const QString fileName = QFileInfo(source).fileName();
    const QString samePlace = folder + QLatin1Char('/') + fileName;
    if (Holds(samePlace, bytes))
        return samePlace;
    const QString target = folder + QLatin1Char('/') + FreeName(folder, fileName);
    return CAtomicFile::Write(target, bytes, errorString) ? target : QString();
}

} // namespace ZtFolderCopy
