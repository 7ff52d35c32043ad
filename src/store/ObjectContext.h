#pragma once

#include "store/Entities.h"
#include "store/FetchedRows.h"
#include "store/Predicate.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <functional>
#include <memory>
#include <vector>

// The one context through which every screen fetches, inserts, changes, deletes and saves.
//
// It keeps one object per row (an identity map), tracks unsaved inserts, changes and deletes, and
// saves them in one transaction. Fetches see the unsaved changes and order the result exactly as
// the store does: absent first when ascending, texts by code point, numbers numerically, ties in
// the order of insertion. Equality tests are exact for texts; an integer or float attribute
// compared with a text matches when the text reads as that number (anything else matches
// nothing); an absent text never equals a text, the empty text included.
class ObjectContext final
{
    Q_DECLARE_TR_FUNCTIONS(ObjectContext)

public:
    // A read-only context fetches as any other and refuses every save.
    explicit ObjectContext(const QSqlDatabase& database, bool readOnly = false);
    ~ObjectContext();
    ObjectContext(const ObjectContext&) = delete;
    ObjectContext& operator=(const ObjectContext&) = delete;

    // The matching objects in sort order.
    StoreResult<QList<ManagedObject*>> fetch(const FetchRequest& request);
    template <class T>
    StoreResult<QList<T*>> fetch(const Predicate& predicate = {},
                                 const QList<SortDescriptor>& sort = {})
    {
        StoreResult<QList<ManagedObject*>> objects =
            fetch(FetchRequest{QString::fromLatin1(T::EntityName), predicate, sort});
        if (!objects)
            return Failure{objects.error()};
        QList<T*> typed;
        typed.reserve(objects->size());
        for (ManagedObject* object : *objects)
            typed.append(static_cast<T*>(object));
        return typed;
    }
    // The same rows as fetch(), their objects made only as they are asked for (see FetchedRows),
    // each carrying the values of `carriedKeys` as fetched. Read by the store alone, the keys in
    // order from an index where one matches the sort, when nothing of the entity is unsaved;
    // otherwise every object is made as fetch() makes them.
    StoreResult<FetchedRows> fetchRows(const FetchRequest& request,
                                       const QStringList& carriedKeys = {});
    // Grows with every change made in the context (an insert, a change, a delete, a save, a
    // rollback): equal counts mean nothing was changed in between.
    quint64 changeCount() const { return m_changeCount; }

    // The number of objects the same fetch would return, counted by the store when nothing of
    // the entity is unsaved.
    StoreResult<qint64> count(const FetchRequest& request);

    // The distinct present values of one attribute over the objects the fetch would return,
    // unsaved changes included, in no particular order. Read by the store alone (no objects are
    // made) when nothing of the entity is unsaved.
    StoreResult<QVariantList> distinctValues(const QString& entityName, const QString& key);

    // For each term (a list of number attributes), the sum over every object of the entity of
    // the product of the term's attributes, unsaved changes included: a whole number (qint64) for
    // a term of whole-number attributes only, a double otherwise. Summed by the store in one query
    // when nothing of the entity is unsaved.
    StoreResult<QVariantList> sums(const QString& entityName, const QList<QStringList>& terms);

    // count() and sums() of the objects the fetch would return, in one query of the store when
    // nothing of the entity is unsaved.
    struct Totals
    {
        qint64 count = 0;
        QVariantList sums;
    };
    StoreResult<Totals> totals(const FetchRequest& request, const QList<QStringList>& terms);

    // A new object of the entity, its texts and picture absent and its numbers 0.
    ManagedObject* insertNewObject(const QString& entityName);
    template <class T> T* insertNewObject()
    {
        return static_cast<T*>(insertNewObject(QString::fromLatin1(T::EntityName)));
    }
    void deleteObject(ManagedObject* object);

    // Reads a value read on demand (the picture) for many objects in one query per few hundred,
    // where each would otherwise read its own when first asked. Objects that have it already
    // are left as they are.
    StoreResult<> loadAttribute(const QList<ManagedObject*>& objects, const QString& key);

    bool hasChanges() const;
    bool isReadOnly() const { return m_readOnly; }
    // The store's connection, for window-less readers that let SQLite add up what they show
    // (the statistics): they see the saved store, never the unsaved changes.
    const QSqlDatabase& database() const { return m_database; }

    // Named markers kept in the store itself, for what must happen once per store file. Whether
    // the store (or an unsaved setMarker) has the marker.
    StoreResult<bool> hasMarker(const QString& name);
    // Sets the marker with the next save, in the same transaction as the other changes; a
    // rollback drops it.
    void setMarker(const QString& name);

    // Saves every unsaved change in one transaction. On failure nothing reaches the store and
    // the changes stay pending.
    StoreResult<> save();
    // Drops every unsaved change: inserted objects leave the context, changed ones get their
    // saved values back, deleted ones return.
    void rollback();

    // Reads the saved objects of the entity again after rows were written past the context (a
    // StoreBatch): each object without unsaved changes takes its row's values, one whose row is
    // gone leaves the context. A row that cannot be read is told as any read failure.
    void reloadObjects(const EntityDescription& entity);

    // A value read on demand (a picture) that the store cannot hand over reads as absent, and
    // the object keeps asking; the failure goes to `handler`, which tells the collector. Without
    // one it is printed.
    using FailureHandler = std::function<void(const StoreError&)>;
    void setReadFailureHandler(FailureHandler handler);

    // Told after every save that wrote something and after reloadObjects (an import): what the
    // store holds may have changed.
    void setStoreChangedHandler(std::function<void()> handler);

    // For tests: the next save fails after writing, so the transaction is really rolled back.
    void failNextSaveForTesting(const QString& reason);

private:
    friend class ManagedObject;
    friend class FetchedRows;

    // A fetch request checked against the model: its entity, conditions and sort keys.
    struct Query;
    StoreResult<Query> prepared(const FetchRequest& request) const;
    // fetchRows from the objects of fetch(), when some are unsaved.
    StoreResult<FetchedRows> rowsOfObjects(const FetchRequest& request, const Query& wanted,
                                           std::shared_ptr<FetchedRows::Fetch> fetch);
    // fetchRows from the store alone.
    StoreResult<FetchedRows> rowsOfStore(const Query& wanted,
                                         std::shared_ptr<FetchedRows::Fetch> fetch);
    // The SELECT of every column an object is made from, the row key first.
    static QString rowSelect(const EntityDescription& entity);
    // Makes an object of each row of the executed `query` (a rowSelect) not yet in memory.
    void readRows(const EntityDescription& entity, QSqlQuery& query);
    // Makes the objects of the rows of `rowIds` not yet in memory.
    StoreResult<> makeObjects(const EntityDescription& entity, const std::vector<qint64>& rowIds);
    // Tells the read failure handler, or prints without one.
    void tellReadFailure(const StoreError& error) const;

    void willChange(ManagedObject& object);
    void loadAttribute(ManagedObject& object, int attributeIndex);

    std::unique_ptr<ManagedObject> makeObject(const EntityDescription& entity);
    ManagedObject* registeredObject(const EntityDescription& entity, qint64 rowId);
    bool hasPendingChanges(const EntityDescription& entity) const;
    QList<ManagedObject*> pendingObjects(const EntityDescription& entity) const;
    // Makes the objects of the rows not yet in memory among `rowIds` (`missing` of them).
    // `where` is the fetch's WHERE clause and `bind` binds its values to a prepared query.
    StoreResult<> loadRows(const EntityDescription& entity, const QString& where,
                           const std::function<void(QSqlQuery&)>& bind,
                           const std::vector<qint64>& rowIds, qsizetype missing);
    StoreError errorFrom(const QString& description, const QSqlError& sqlError) const;
    StoreError errorAbout(const QString& description) const;
    // "Fetch of <entity> failed", and that with the query's reason.
    static QString fetchWhat(const EntityDescription& entity);
    StoreError fetchFailure(const EntityDescription& entity, const QSqlQuery& query) const;

    QSqlDatabase m_database;
    std::vector<std::unique_ptr<ManagedObject>> m_objects;
    QHash<const EntityDescription*, QHash<qint64, ManagedObject*>> m_registered;
    QList<ManagedObject*> m_inserted;
    QList<ManagedObject*> m_updated;
    QList<ManagedObject*> m_deleted;
    QStringList m_newMarkers;
    qint64 m_nextInsertOrder = 0;
    quint64 m_changeCount = 0;
    std::function<void()> m_storeChanged;
    QString m_failNextSave;
    FailureHandler m_readFailureHandler;
    bool m_readOnly = false;
};
