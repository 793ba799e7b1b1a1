#include "framework/ProfileText.h"

namespace {
bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

const QChar kByteOrderMark(0xFEFF);
} // namespace

CProfileText::CProfileText(const QByteArray& bytes)
{
    int start = 0;
    while (start < bytes.size()) {
        int end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        int next = end;
        if (next < bytes.size())
            next += (bytes[next] == '\r' && next + 1 < bytes.size() && bytes[next + 1] == '\n') ? 2 : 1;
        m_lines.append({bytes.mid(start, end - start), bytes.mid(end, next - end)});
        start = next;
    }
}

QByteArray CProfileText::Bytes() const
{
    QByteArray bytes;
    for (const Line& line : m_lines)
        bytes += line.text + line.end;
    return bytes;
}

QVector<CProfileText::LineInfo> CProfileText::Scan() const
{
    QVector<LineInfo> infos(m_lines.size());
    QString section;
    bool inSection = false;
    for (int i = 0; i < m_lines.size(); ++i) {
        QString text = QString::fromUtf8(m_lines[i].text);
        if (i == 0 && text.startsWith(kByteOrderMark))
            text.remove(0, 1);
        const QString trimmed = text.trimmed();
        LineInfo& info = infos[i];
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            section = trimmed.mid(1, trimmed.size() - 2).trimmed();
            inSection = true;
            info = {Kind::Header, section, QString(), 0};
            continue;
        }
        const int equals = m_lines[i].text.indexOf('=');
        if (!inSection || equals <= 0)
            continue;
        const QString key = QString::fromUtf8(m_lines[i].text.left(equals)).trimmed();
        if (!key.isEmpty())
            info = {Kind::Key, section, key, equals + 1};
    }
    return infos;
}

void CProfileText::ForEachKey(const std::function<void(const QString&, const QString&, const QString&)>& visit) const
{
    const QVector<LineInfo> infos = Scan();
    for (int i = 0; i < infos.size(); ++i) {
        if (infos[i].kind == Kind::Key)
            visit(infos[i].section, infos[i].key, QString::fromUtf8(m_lines[i].text.mid(infos[i].valueStart)));
    }
}

// New lines end like the file's first line, so a file keeps one style.
QByteArray CProfileText::NewLineEnd() const
{
    for (const Line& line : m_lines) {
        if (!line.end.isEmpty())
            return line.end;
    }
    return QByteArrayLiteral("\n");
}

void CProfileText::InsertLine(int index, const QByteArray& text)
{
    const QByteArray end = NewLineEnd();
    if (index > 0 && m_lines[index - 1].end.isEmpty())
        m_lines[index - 1].end = end; // the file's last line had no line end
    m_lines.insert(index, {text, end});
}

void CProfileText::SetValue(const QString& section, const QString& key, const QString& value)
{
    const QVector<LineInfo> infos = Scan();
    int lastKey = -1;
    int insertAfter = -1; // the section's last key line, or its header
    for (int i = 0; i < infos.size(); ++i) {
        if (infos[i].kind == Kind::Other || !SameName(infos[i].section, section))
            continue;
        insertAfter = i;
        if (infos[i].kind == Kind::Key && SameName(infos[i].key, key))
            lastKey = i;
    }
    const QByteArray valueBytes = value.toUtf8();
    if (lastKey >= 0) {
        m_lines[lastKey].text = m_lines[lastKey].text.left(infos[lastKey].valueStart) + valueBytes;
        return;
    }
    const QByteArray keyLine = key.trimmed().toUtf8() + '=' + valueBytes;
    if (insertAfter >= 0) {
        InsertLine(insertAfter + 1, keyLine);
        return;
    }
    if (!m_lines.isEmpty() && !m_lines.last().text.trimmed().isEmpty())
        InsertLine(m_lines.size(), QByteArray()); // a blank line between sections
    InsertLine(m_lines.size(), '[' + section.toUtf8() + ']');
    InsertLine(m_lines.size(), keyLine);
}

void CProfileText::RemoveKey(const QString& section, const QString& key)
{
    const QVector<LineInfo> infos = Scan();
    for (int i = infos.size() - 1; i >= 0; --i) {
        if (infos[i].kind == Kind::Key && SameName(infos[i].section, section) && SameName(infos[i].key, key))
            m_lines.remove(i);
    }
}

void CProfileText::RemoveSection(const QString& section)
{
    const QVector<LineInfo> infos = Scan();
    QVector<Line> kept;
    bool removing = false;
    for (int i = 0; i < infos.size(); ++i) {
        if (infos[i].kind == Kind::Header)
            removing = SameName(infos[i].section, section);
        if (!removing)
            kept.append(m_lines[i]);
    }
    m_lines = kept;
}
