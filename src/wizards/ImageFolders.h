#pragma once

#include <QString>
#include <QStringList>

class CProfile;

// The folders the Image wizard remembers: where the user last picked images,
// most recent first, kept in the profile as "ImageDir1" to "ImageDir4" of
// section "LastDirectory" ("empty" for no folder).
namespace ZtImageFolders {

constexpr int kStoredFolders = 4;
// After a pick the list keeps the picked folder and this many others.
constexpr int kOthersKeptAfterPick = 2;

QString Section();
// "ImageDir1" for index 0.
QString Key(int index);

// Whether a stored value names a folder: not empty, not "empty", an
// absolute path, no control characters. Anything else (a value from
// another system, a damaged profile) is skipped.
bool IsUsableFolder(const QString& value);

// The usable values among stored, in their order.
QStringList UsableFolders(const QStringList& stored);

// folders after a pick from folder: folder in front, then the first two
// entries that differ from it (compared exactly).
QStringList RecordFolder(const QStringList& folders, const QString& folder);

// The (key, value) pairs to write for folders: one for each of the first
// four, "empty" for an entry with no text. Keys beyond are left alone.
QList<QPair<QString, QString>> FolderWrites(const QStringList& folders);

// The usable folders of the profile, "ImageDir1" first.
QStringList Load(const CProfile& profile);
// Writes FolderWrites(folders) to profile.
void Save(CProfile& profile, const QStringList& folders);
// The most recent image folder, empty when there is no usable one.
QString MostRecent(const CProfile& profile);

// Whether a picture at path lies outside the site whose folder is base: base
// is an existing folder and path is not below it, so a page's link to the
// picture could not be relative and would break once the site is published.
bool LiesOutsideSite(const QString& path, const QString& base);

// Where a picture from outside the site is copied: base's "images" folder
// when it has one (in any letter case, "images" itself first), else base.
QString SiteImageFolder(const QString& base);

} // namespace ZtImageFolders
