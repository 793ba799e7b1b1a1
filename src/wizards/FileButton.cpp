#include "wizards/FileButton.h"

#include "files/RelativePath.h"
#include "files/TypedPath.h"

#include <QDir>
#include <QFileDialog>
#include <QIcon>
#include <QLineEdit>
#include <QRegularExpression>

namespace {

CFileButton::Chooser& TestChooser()
{
    static CFileButton::Chooser chooser;
    return chooser;
}

QString QtPatterns(const QString& patterns)
{
    QStringList result;
    for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (trimmed == QLatin1String("*.*")) {
            result.append(QStringLiteral("*"));
            continue;
        }
        for (const QString& variant : {trimmed.toUpper(), trimmed.toLower()}) {
            if (!result.contains(variant))
                result.append(variant);
        }
    }
    return result.join(QLatin1Char(' '));
}

} // namespace

CFileButton::CFileButton(const QString& filter, QWidget* parent)
    : QToolButton(parent)
    , m_strFilter(filter)
{
    setIcon(QIcon(QStringLiteral(":/icons/folder-open.svg")));
    setToolTip(tr("Choose a file"));
    setFocusPolicy(Qt::ClickFocus);
    connect(this, &QToolButton::clicked, this, &CFileButton::OnClicked);
}

void CFileButton::Fill(QLineEdit* field)
{
    connect(this, &CFileButton::fileChosen, field, &QLineEdit::setText);
}

QString CFileButton::ToQtFilter(const QString& filter)
{
    static const QRegularExpression kPatternsInDescription(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(kPatternsInDescription);
        entries.append(description.trimmed() + QStringLiteral(" (") + QtPatterns(parts[i + 1]) + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

void CFileButton::SetChooser(Chooser chooser)
{
    TestChooser() = std::move(chooser);
}

void CFileButton::OnClicked()
{
    // Failing (the directory is gone, or there is none) leaves the current
    // one, and the dialog opens where it opens by default: there. A typed
    // folder may start with "~"; a relative one names no folder here.
    const QString start = m_startDirectory ? ResolveTypedPath(m_startDirectory(), QString()) : QString();
    const QString startDirectory = start.isEmpty() ? m_strBaseDirectory : start;
    const bool madeCurrent = QDir::isAbsolutePath(startDirectory) && QDir::setCurrent(startDirectory);
    const QString directory = madeCurrent ? startDirectory : QString();
    const QString qtFilter = ToQtFilter(m_strFilter);
    const QString path = TestChooser() ? TestChooser()(window(), directory, qtFilter)
                                       : QFileDialog::getOpenFileName(window(), tr("Open"), directory, qtFilter);
    if (path.isEmpty())
        return;
    emit pathChosen(path);
    emit fileChosen(MakeRelativePath(path, m_strBaseDirectory));
}
