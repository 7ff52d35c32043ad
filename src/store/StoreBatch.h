#pragma once

#include "store/Model.h"
#include "store/SqliteStatement.h"

#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

class ObjectContext;

// Many rows of one entity written straight to the store in one transaction, each row by one
// statement, which SQLite runs in a savepoint of its own: a row the store refuses is undone alone
// and the batch goes on, while nothing reaches the file before commit(), so a kill, a power cut or
// a rollback leaves the store exactly as it was. (A SAVEPOINT of ours around each row would add
// nothing but a copy of every page the row touches.) Each statement is prepared once for the whole
// batch and no objects are made, so a batch of any size takes the memory of one row. The context's
// unsaved changes are left alone; after the commit it reads its objects of the entity again.
class StoreBatch final
{
public:
    // One value per attribute of the entity, in its order; an invalid QVariant is no value.
    using Values = std::vector<QVariant>;

    // Starts the transaction, finding rows by the equality of `keyAttributes`.
    static StoreResult<StoreBatch> begin(ObjectContext& context, const QString& entityName,
                                         const QStringList& keyAttributes);
    StoreBatch(StoreBatch&& other) noexcept;
    StoreBatch& operator=(StoreBatch&&) = delete;
    StoreBatch(const StoreBatch&) = delete;
    StoreBatch& operator=(const StoreBatch&) = delete;
    // Rolls back unless committed.
    ~StoreBatch();

    // Up to `limit` rows whose key attributes equal `key` exactly, as stored (a text as
    // ManagedObject::storedText makes it); an absent key value matches nothing.
    StoreResult<std::vector<qint64>> find(const QVariantList& key, int limit);

    // Whether the transaction still stands after a refused row. SQLite ends it itself after some
    // failures (a full disk, an I/O error), undoing all of it: then nothing is left to commit.
    StoreResult<> stillOpen();

    // A new row; an attribute without a value is absent (texts, pictures) or 0 (numbers), as in
    // a new object.
    StoreResult<> insert(const Values& values);
    // Sets the attributes that have a value. A row whose values are already those is not
    // written at all.
    StoreResult<> update(qint64 rowId, const Values& values);

    StoreResult<> commit();
    void rollback();

private:
    StoreBatch(ObjectContext& context, const EntityDescription& entity);
    StoreResult<> bindValues(SqliteStatement& statement, const Values& values, bool defaults);
    StoreResult<> run(SqliteStatement& statement);

    ObjectContext* m_context;
    const EntityDescription* m_entity;
    std::optional<SqliteStatement> m_find;
    std::optional<SqliteStatement> m_insert;
    std::optional<SqliteStatement> m_update;
    int m_keyCount = 0;
    bool m_open = false;
};
