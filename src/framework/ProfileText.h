#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <functional>

// The profile file as lines of bytes, each with its own line end (LF, CR LF
// or a lone CR), so that a change rewrites only the lines of the key it
// concerns and leaves every other byte as it was: comments, stray lines,
// spacing and text in other encodings survive any write.
//
// Reading follows CProfile's rules: "[name]" opens a section, "key=value"
// inside a section is a key (the value is everything after the first "="),
// blank lines and lines starting with ";" or "#" are comments, anything else
// (including keys before the first section) is ignored. Names match without
// regard to case; a later duplicate key wins.
class CProfileText
{
public:
    explicit CProfileText(const QByteArray& bytes = QByteArray());

    QByteArray Bytes() const;

    // Calls visit for every key in file order.
    void ForEachKey(const std::function<void(const QString& section, const QString& key,
                                             const QString& value)>& visit) const;

    // Sets the value of the key that reads win; a new key goes after the last
    // key of its section, a new section at the end of the file.
    void SetValue(const QString& section, const QString& key, const QString& value);
    // Removes every line of the key.
    void RemoveKey(const QString& section, const QString& key);
    // Removes every block of the section, from its header to the next one.
    void RemoveSection(const QString& section);

private:
    struct Line
    {
        QByteArray text;
        QByteArray end;
    };
    enum class Kind { Other, Header, Key };
    struct LineInfo
    {
        Kind kind = Kind::Other;
        QString section; // for a header and a key line
        QString key;
        int valueStart = 0; // byte offset after the "=" of a key line
    };

    QVector<LineInfo> Scan() const;
    QByteArray NewLineEnd() const;
    void InsertLine(int index, const QByteArray& text);

    QVector<Line> m_lines;
};
