#pragma once

#include <QModelIndex>
#include <QtGlobal>

// The ticket of the read under way for the item at index, or 0 when none
// is. reads maps tickets to records that hold the item's persistent index
// (m_index); few reads run at a time, so a walk is enough.
template <typename Reads>
quint64 ReadTicketOf(const Reads& reads, const QModelIndex& index)
{
    if (!index.isValid())
        return 0;
    for (auto read = reads.cbegin(); read != reads.cend(); ++read) {
        if (read->m_index == index)
            return read.key();
    }
    return 0;
}
