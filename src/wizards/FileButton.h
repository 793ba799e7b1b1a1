#pragma once

#include <QToolButton>

#include <functional>

class QLineEdit;

// The picture button beside a file field of the wizards. Pressing it makes
// the base directory the current directory, lets the user choose a file
// there and announces the file's reference relative to the base directory.
// A base directory that does not exist (or none) leaves the current
// directory as it is, and the file dialog opens where it opens by default.
class CFileButton : public QToolButton
{
    Q_OBJECT
public:
    // filter is in the "description|pattern|...|" form the wizards keep.
    explicit CFileButton(const QString& filter, QWidget* parent = nullptr);

    void SetBaseDirectory(const QString& directory) { m_strBaseDirectory = directory; }
    const QString& BaseDirectory() const { return m_strBaseDirectory; }
    // Makes every chosen file set field's text.
    void Fill(QLineEdit* field);
    // Where the file dialog starts instead of the base directory: asked at
    // each press; an empty answer means the base directory.
    void SetStartDirectory(std::function<QString()> startDirectory) { m_startDirectory = std::move(startDirectory); }

    // The "description|pattern|" pairs as a Qt file dialog filter: each
    // description with the patterns in both letter cases (Linux names are
    // case-sensitive) and "*.*" as "*", so that files without a dot show
    // too. ".gif Files (*.gif) |*.GIF|" gives ".gif Files (*.GIF *.gif)".
    static QString ToQtFilter(const QString& filter);

    // Who chooses the file: the open-file dialog, or a test's answer (an
    // empty path for Cancel). directory is empty when no start folder could
    // be made current. Null restores the dialog.
    using Chooser = std::function<QString(QWidget* parent, const QString& directory, const QString& qtFilter)>;
    static void SetChooser(Chooser chooser);

signals:
    // The chosen file's full path, then its reference.
    void pathChosen(const QString& path);
    void fileChosen(const QString& reference);

private:
    void OnClicked();

    QString m_strFilter;
    QString m_strBaseDirectory;
    std::function<QString()> m_startDirectory;
};
