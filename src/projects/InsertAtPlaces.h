#pragma once

#include <QList>
#include <QTreeWidgetItem>

#include <utility>

// Inserts new children under parent, each at the place (a child index
// counted before any insert) it was given; places come in ascending order.
// Children that share a place go in with one call, and the runs go in from
// the last place back, so the earlier places stay right. Children already
// there are never taken out, so what is open or edited below them stays.
inline void InsertAtPlaces(QTreeWidgetItem* parent, const QList<std::pair<int, QTreeWidgetItem*>>& places)
{
    for (qsizetype end = places.size(); end > 0;) {
        qsizetype begin = end - 1;
        while (begin > 0 && places.at(begin - 1).first == places.at(end - 1).first)
            --begin;
        QList<QTreeWidgetItem*> run;
        for (qsizetype i = begin; i < end; ++i)
            run.append(places.at(i).second);
        parent->insertChildren(places.at(end - 1).first, run);
        end = begin;
    }
}
