#include "framework/WindowList.h"

QString CWindowList::ShownTitle(const QString& windowTitle, bool modified)
{
    QString shown = windowTitle;
    return shown.replace(QStringLiteral("[*]"), modified ? QStringLiteral("*") : QString());
}

QString CWindowList::EntryText(int index, const QString& shownTitle)
{
    QString title = shownTitle;
    title.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QLatin1Char('&') + QString::number(index + 1) + QLatin1Char(' ') + title;
}
