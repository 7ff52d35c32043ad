#include "browse/ColumnOrder.h"

#include "app/Preferences.h"
#include "browse/StampColumns.h"

QList<SortDescriptor> ColumnOrder::keys(const QList<SortDescriptor>& own,
                                        const Preferences& preferences) const
{
    QList<SortDescriptor> order = own;
    const QString key = StampColumns::sortKey(m_column);
    if (key.isEmpty())
        return order;
    // The column need not come again among the keys that break its ties.
    order.removeIf([&key](const SortDescriptor& each) { return each.key == key; });
    order.prepend(preferences.sortBy(key, ascending));
    return order;
}

int ColumnOrder::shownColumn(const QList<SortDescriptor>& own) const
{
    if (m_column >= 0)
        return m_column;
    return own.isEmpty() ? -1 : StampColumns::columnOf(own.first().key);
}

bool ColumnOrder::choose(int column, bool ascendingNow, const QList<SortDescriptor>& own)
{
    const QString key = StampColumns::sortKey(column);
    if (key.isEmpty())
        return false;
    // The list's own first key is its own order, turned as asked.
    m_column = !own.isEmpty() && own.first().key == key ? -1 : column;
    ascending = ascendingNow;
    return true;
}
