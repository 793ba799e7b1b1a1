#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <functional>

// Lists the files of a folder tree whose names fit a list of patterns such as
// "*.html;*.css". Symbolic links to folders are not entered, so a link loop
// cannot trap the walk; hidden files and folders (".git") are passed over.
// Folders that cannot be read are named in Unreadable(), never fatal.
class CSiteFileWalker
{
public:
    // patterns: separated by ';', ',' or blanks; case does not count, as a
    // site moved to a Windows server would not count it either. Empty: all.
    CSiteFileWalker(const QString& folder, const QString& patterns);

    // Calls visit(path) for every fitting file until it returns false or
    // cancelled turns true; false when stopped that way.
    bool Walk(const std::function<bool(const QString& path)>& visit, const std::atomic<bool>* cancelled = nullptr);
    bool Fits(const QString& fileName) const;
    QStringList Unreadable() const { return m_unreadable; }

private:
    QString m_strFolder;
    QVector<QRegularExpression> m_patterns;
    QStringList m_unreadable;
};
