#include "store/FetchedRows.h"

#include "store/ObjectContext.h"

#include <algorithm>

FetchedRows::FetchedRows(std::shared_ptr<Fetch> fetch, std::vector<qint32> rows)
    : m_fetch(std::move(fetch)), m_rows(std::move(rows))
{}

ManagedObject* FetchedRows::object(qsizetype row) const
{
    if (row < 0 || row >= size())
        return nullptr;
    const qint32 position = m_rows[size_t(row)];
    if (!m_fetch->objects[size_t(position)])
        makeBatch(row);
    return m_fetch->objects[size_t(position)];
}

bool FetchedRows::isMade(qsizetype row) const
{
    if (row < 0 || row >= size())
        return false;
    const auto position = size_t(m_rows[size_t(row)]);
    return m_fetch->objects[position] ||
           m_fetch->context->registeredObject(*m_fetch->entity, m_fetch->ids[position]);
}

void FetchedRows::makeBatch(qsizetype row) const
{
    Fetch& fetch = *m_fetch;
    const qsizetype first = row - row % BatchSize;
    const qsizetype last = std::min(size(), first + BatchSize);
    std::vector<qint64> wanted;
    for (qsizetype each = first; each < last; ++each) {
        const auto position = size_t(m_rows[size_t(each)]);
        if (fetch.objects[position])
            continue;
        // Made meanwhile by another list or screen: the same object, its values current.
        if (ManagedObject* made =
                fetch.context->registeredObject(*fetch.entity, fetch.ids[position]))
            fetch.objects[position] = made;
        else
            wanted.push_back(fetch.ids[position]);
    }
    if (wanted.empty())
        return;
    if (const StoreResult<> made = fetch.context->makeObjects(*fetch.entity, wanted); !made) {
        fetch.context->tellReadFailure(made.error());
        return;
    }
    for (qsizetype each = first; each < last; ++each) {
        const auto position = size_t(m_rows[size_t(each)]);
        if (!fetch.objects[position])
            fetch.objects[position] =
                fetch.context->registeredObject(*fetch.entity, fetch.ids[position]);
    }
}

QVariant FetchedRows::value(qsizetype row, int column) const
{
    return valueAt(m_rows[size_t(row)], column);
}

QVariant FetchedRows::valueAt(qint32 place, int column) const
{
    const auto position = size_t(place);
    const Fetch& fetch = *m_fetch;
    const ManagedObject* made = fetch.objects[position];
    if (!made)
        made = fetch.context->registeredObject(*fetch.entity, fetch.ids[position]);
    if (made)
        return made->value(fetch.carried[size_t(column)].attribute());
    return fetch.carried[size_t(column)].at(position);
}

QVariant FetchedRows::fetchedValue(qsizetype row, int column) const
{
    return m_fetch->carried[size_t(column)].at(size_t(m_rows[size_t(row)]));
}

bool FetchedRows::sharesFetchWith(const FetchedRows& other) const
{
    return m_fetch && m_fetch == other.m_fetch;
}

qsizetype FetchedRows::fetchSize() const
{
    return m_fetch ? qsizetype(m_fetch->ids.size()) : 0;
}

const ObjectContext* FetchedRows::context() const
{
    return m_fetch ? m_fetch->context : nullptr;
}

qsizetype FetchedRows::indexOf(const ManagedObject* object) const
{
    if (!object || isEmpty())
        return -1;
    const Fetch& fetch = *m_fetch;
    // A saved object is found by its key, made by this list or not; one never saved by itself.
    const qint64 rowId = object->rowId();
    for (qsizetype row = 0; row < size(); ++row) {
        const auto position = size_t(m_rows[size_t(row)]);
        if (fetch.objects[position] == object || (rowId != 0 && fetch.ids[position] == rowId))
            return row;
    }
    return -1;
}

void FetchedRows::removeAt(qsizetype row)
{
    if (row >= 0 && row < size())
        m_rows.erase(m_rows.begin() + row);
}

bool FetchedRows::removeOne(const ManagedObject* object)
{
    const qsizetype row = indexOf(object);
    removeAt(row);
    return row >= 0;
}

FetchedRows FetchedRows::subset(const std::vector<qsizetype>& rows) const
{
    std::vector<qint32> positions;
    positions.reserve(rows.size());
    for (const qsizetype row : rows) {
        if (row >= 0 && row < size())
            positions.push_back(m_rows[size_t(row)]);
    }
    return {m_fetch, std::move(positions)};
}

std::optional<FetchedRows> FetchedRows::reversed() const
{
    if (!m_fetch)
        return FetchedRows();
    if (m_fetch->runStart.size() != m_fetch->ids.size())
        return std::nullopt;
    std::vector<qint32> positions(m_rows.rbegin(), m_rows.rend());
    // Each run of equal rows is now back to front: turned again, it keeps its order.
    const std::vector<qint32>& runStart = m_fetch->runStart;
    for (auto run = positions.begin(); run != positions.end();) {
        const qint32 start = runStart[size_t(*run)];
        const auto end = std::find_if(run, positions.end(), [&](qint32 position) {
            return runStart[size_t(position)] != start;
        });
        std::reverse(run, end);
        run = end;
    }
    return FetchedRows(m_fetch, std::move(positions));
}

bool FetchedRows::sameRows(const FetchedRows& other) const
{
    if (size() != other.size())
        return false;
    if (m_fetch == other.m_fetch)
        return m_rows == other.m_rows;
    for (qsizetype row = 0; row < size(); ++row) {
        const auto mine = size_t(m_rows[size_t(row)]);
        const auto theirs = size_t(other.m_rows[size_t(row)]);
        const qint64 id = m_fetch->ids[mine];
        // Objects never saved have no key: the same object is the same row.
        if (id != other.m_fetch->ids[theirs] || (id == 0 && object(row) != other.object(row)))
            return false;
    }
    return true;
}
