#include "res/HelpFile.h"

#include <QFile>
#include <QRegularExpression>

const CHelpFile& CHelpFile::Program()
{
    static const CHelpFile helpFile = [] {
        QFile file(QStringLiteral(":/files/zentrel-help.md"));
        file.open(QIODevice::ReadOnly);
        return Parse(QString::fromUtf8(file.readAll()));
    }();
    return helpFile;
}

CHelpFile CHelpFile::Parse(const QString& markdown)
{
    static const QRegularExpression heading(QStringLiteral("^(#{1,3}) +(.*?)\\s*$"));
    CHelpFile helpFile;
    for (const QString& line : markdown.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = heading.match(line);
        if (match.hasMatch())
            helpFile.AddHeading(int(match.capturedLength(1)), match.captured(2));
        else
            helpFile.AddLine(line);
    }
    for (CHelpChapter& chapter : helpFile.m_chapters)
        chapter.m_strIntro = chapter.m_strIntro.trimmed();
    for (CHelpTopic& topic : helpFile.m_topics)
        topic.m_strBody = topic.m_strBody.trimmed();
    helpFile.m_strIntro = helpFile.m_strIntro.trimmed();
    return helpFile;
}

const CHelpTopic* CHelpFile::Topic(int id) const
{
    for (const CHelpTopic& topic : m_topics) {
        if (topic.m_nId == id)
            return &topic;
    }
    return nullptr;
}

QString CHelpFile::ContentsPage() const
{
    QString page = QStringLiteral("# %1\n\n%2\n\n").arg(m_strTitle, m_strIntro);
    for (int i = 0; i < m_topics.size(); ++i) {
        if (m_topics[i].IsTask())
            page += QStringLiteral("- [%1](%2)\n").arg(m_topics[i].m_strTitle, TopicLink(i));
    }
    return page;
}

QString CHelpFile::TopicLink(int index)
{
    return QStringLiteral("topic:%1").arg(index);
}

int CHelpFile::TopicIndexOfLink(const QString& link)
{
    static const QRegularExpression topicLink(QStringLiteral("^topic:(\\d+)$"));
    const QRegularExpressionMatch match = topicLink.match(link);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

void CHelpFile::AddHeading(int level, const QString& text)
{
    m_nLevel = level;
    if (level == 1) {
        m_strTitle = text;
    } else if (level == 2) {
        m_chapters.append({text, QString()});
    } else {
        static const QRegularExpression numbered(QStringLiteral("^(\\d+) +(.*)$"));
        const QRegularExpressionMatch match = numbered.match(text);
        CHelpTopic topic;
        topic.m_nId = match.hasMatch() ? match.captured(1).toInt() : 0;
        topic.m_strTitle = match.hasMatch() ? match.captured(2) : text;
        topic.m_strChapter = m_chapters.isEmpty() ? QString() : m_chapters.last().m_strTitle;
        m_topics.append(topic);
    }
}

void CHelpFile::AddLine(const QString& line)
{
    QString* text = &m_strIntro;
    if (m_nLevel == 2 && !m_chapters.isEmpty())
        text = &m_chapters.last().m_strIntro;
    else if (m_nLevel == 3 && !m_topics.isEmpty())
        text = &m_topics.last().m_strBody;
    *text += line + QLatin1Char('\n');
}
