#pragma once

#include <QLine>
#include <QRect>
#include <QVector>

// The dotted lines that join a tree's items to their parents and siblings,
// for the rows of the Project and Keywords trees.
class CTreeLines
{
public:
    // Where one row draws its lines. branches is the row's indentation area,
    // one column of width indentation per level, its own level last;
    // continues tells, from the top level down, whether each ancestor has a
    // sibling below it (its line then passes through this row). A row with
    // children keeps the middle of its own column free for its expand button.
    struct CRow
    {
        QRect m_branches;
        int m_nIndentation = 0;
        QVector<bool> m_continues;
        bool m_bFirstAtTop = false;
        bool m_bNextSibling = false;
        bool m_bChildren = false;
    };
    static QVector<QLine> Segments(const CRow& row);

    // Half the width of the space left around an expand button.
    static constexpr int kButtonGap = 5;
};
