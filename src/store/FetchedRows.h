#pragma once

#include "store/CarriedColumn.h"
#include "store/Entities.h"

#include <QList>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

class ObjectContext;

// The rows of one fetch in order, whose objects are made only when asked for: a batch of
// neighbouring rows at a time, through the context's identity map. A list of a hundred thousand
// rows so costs its keys and the rows that are shown. Beside each row's key it carries the values
// of a few attributes as the store had them at the fetch, for what reads every row (a search, a
// total) without making objects.
//
// Copies share what was fetched: a filtered, reversed or shortened copy is another order of the
// same rows. The rows stay valid as long as their context.
class FetchedRows
{
public:
    // Neighbouring rows made together when one of them is first asked for.
    static constexpr qsizetype BatchSize = 100;

    FetchedRows() = default;

    qsizetype size() const { return qsizetype(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }

    // The row's object, made with its batch when first asked for. nullptr out of range, for a row
    // deleted from the store since the fetch, or when the store cannot be read (the context's
    // read failure handler is told).
    ManagedObject* object(qsizetype row) const;
    template <class T> T* at(qsizetype row) const { return static_cast<T*>(object(row)); }
    // Every row's object, made where not yet: for work that reads every row anyway.
    template <class T> QList<T*> objects() const
    {
        QList<T*> all;
        all.reserve(size());
        for (qsizetype row = 0; row < size(); ++row) {
            if (ManagedObject* made = object(row))
                all.append(static_cast<T*>(made));
        }
        return all;
    }
    // Whether the row's object has been made (by this list or anything else in the context).
    bool isMade(qsizetype row) const;

    // A carried attribute of the row, `column` counted in the fetch's carried keys: the object's
    // current value once it is made, the fetched value before (no object, no unsaved change).
    QVariant value(qsizetype row, int column) const;
    // The carried value exactly as the fetch read it.
    QVariant fetchedValue(qsizetype row, int column) const;

    // Every list made from one fetch numbers its rows' places in that fetch alike, from 0 to
    // fetchSize(), whatever its own order: what is kept per row beside a list is kept by place.
    bool sharesFetchWith(const FetchedRows& other) const;
    qsizetype fetchSize() const;
    qint32 placeOf(qsizetype row) const { return m_rows[size_t(row)]; }
    // value() of the row at that place.
    QVariant valueAt(qint32 place, int column) const;
    // The context fetched from; nullptr for an empty list made by no fetch.
    const ObjectContext* context() const;

    qsizetype indexOf(const ManagedObject* object) const;
    void removeAt(qsizetype row);
    bool removeOne(const ManagedObject* object);

    // The rows at the given indexes of this list, in the order given.
    FetchedRows subset(const std::vector<qsizetype>& rows) const;
    // The same rows in the opposite direction of every sort key; rows equal on every key keep
    // their order, as a fetch in that direction orders them. That needs the runs of equal rows,
    // which a fetch knows when it compared the rows' keys: when it was made with every key
    // descending, or from objects with unsaved changes. Without them, nullopt: fetch again.
    std::optional<FetchedRows> reversed() const;

    // Whether both lists are the same rows in the same order.
    bool sameRows(const FetchedRows& other) const;

private:
    friend class ObjectContext;

    struct Fetch;
    FetchedRows(std::shared_ptr<Fetch> fetch, std::vector<qint32> rows);
    // Makes the objects of the batch holding `row`.
    void makeBatch(qsizetype row) const;

    std::shared_ptr<Fetch> m_fetch;
    // Places in the fetch, in this list's order.
    std::vector<qint32> m_rows;
};

// What one fetch read, shared by every list made from it.
struct FetchedRows::Fetch
{
    ObjectContext* context = nullptr;
    const EntityDescription* entity = nullptr;
    // The row keys in the fetch's order; 0 for an object never saved.
    std::vector<qint64> ids;
    // The objects made so far, at the same positions.
    std::vector<ManagedObject*> objects;
    // The attributes carried beside each key, with their values.
    std::vector<CarriedColumn> carried;
    // For each position, the first position of its run of rows equal on every sort key; empty
    // when the keys were not compared.
    std::vector<qint32> runStart;
};
