#pragma once

#include "store/Predicate.h"

#include <QList>

class Preferences;

// The order of a list of stamps: the list's own keys (a segment's, a group's), and ahead of them
// the column the collector clicked in the table's header, every key in one direction. Ties on
// the column keep the list's own order, then the order of insertion.
class ColumnOrder
{
public:
    bool ascending = true;

    // The keys to fetch by.
    QList<SortDescriptor> keys(const QList<SortDescriptor>& own,
                               const Preferences& preferences) const;
    // The column whose header shows the order; -1 when none does.
    int shownColumn(const QList<SortDescriptor>& own) const;
    // A header click: false, changing nothing, for a column the store cannot sort by.
    bool choose(int column, bool ascending, const QList<SortDescriptor>& own);
    // Back to the list's own keys.
    void clearColumn() { m_column = -1; }

private:
    int m_column = -1;
};
