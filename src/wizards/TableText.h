#pragma once

#include <QString>

class CTagReader;

// What the Table wizard's first page holds: the TABLE start tag's
// attributes and its CSS choice.
struct CTableValues
{
    QString m_strWidth;
    QString m_strHeight;
    QString m_strAlign;
    QString m_strVAlign;
    QString m_strBorder;
    QString m_strCellPadding;
    QString m_strCellSpacing;
    QString m_strBorderColor;
    QString m_strBorderColorLight;
    QString m_strBorderColorDark;
    QString m_strBackgroundColor;
    QString m_strBackgroundImage;
    int m_nCssKind = 0; // 0 none, 1 CLASS, 2 ID
    QString m_strCss;
};

// What one group of the second page (the rows, or the cells) holds.
struct CTableGroupValues
{
    QString m_strWidth;
    QString m_strHeight;
    QString m_strAlign;
    QString m_strVAlign;
    QString m_strBackgroundColor;
    int m_nCssKind = 0; // 0 none, 1 CLASS, 2 ID
    QString m_strCss;
};

// "CLASS=text " for kind 1, "ID=text " for kind 2, the value without
// quotes; nothing for kind 0 or an empty text.
QString TableCssPart(int kind, const QString& text);

// The TABLE start tag and a line feed: "<TABLE ", the CSS part, every
// attribute that is filled in, ">\n". Nothing filled in gives "<TABLE >\n".
QString BuildTableStartTag(const CTableValues& values);

// The first page's fields for a TABLE tag being edited: every attribute
// the page writes; CLASS (or, without one, ID) becomes the CSS choice, and
// the other of the two is left to be kept.
CTableValues TableValuesFromTag(CTagReader& tag);

// rowCount rows of cellCount cells, each cell holding the placeholder
// line, then the end tag. A count of 0 or less gives no rows (no cells).
QString BuildTableRowsText(const CTableGroupValues& rows, const CTableGroupValues& cells, int rowCount,
                           int cellCount);

// Reads a row or cell count: blanks around an optional sign and digits,
// nothing else, and within an int. False for anything else (empty, "1.5",
// "3x", a number beyond an int).
bool ReadTableCount(const QString& text, int* count);

// The most cells and the most rows a table may get, so that the text stays
// small enough to insert and colour at once.
constexpr qint64 kMaxTableCells = 10000;
constexpr qint64 kMaxTableRows = 10000;

// Whether a table of rowCount rows of cellCount cells stays within the
// limits above (counts of 0 or less count as 0).
bool IsTableSizeAllowed(int rowCount, int cellCount);
