#pragma once

#include "store/ObjectContext.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QString>
#include <memory>

// The collection store on disk: "<name>.sqlite" in a data folder, opened once and kept open.
class PersistentContainer final
{
    Q_DECLARE_TR_FUNCTIONS(PersistentContainer)

public:
    PersistentContainer(const QString& name, const QString& directory);
    ~PersistentContainer();
    PersistentContainer(const PersistentContainer&) = delete;
    PersistentContainer& operator=(const PersistentContainer&) = delete;

    const QString& name() const { return m_name; }
    QString storeFilePath() const;

    // Opens the store file (creating it and its folder when missing), brings its tables up to
    // date and checks them. When it cannot be opened the container is unusable. A store whose file
    // or folder cannot be written is opened read-only: it can be looked at, and every save is
    // refused.
    StoreResult<> loadPersistentStores();
    bool isLoaded() const { return m_context != nullptr; }
    // Closes the store: the context goes, and every object fetched through it. What the
    // write-ahead log holds is written into the store file first, so the file alone is the
    // collection. loadPersistentStores() opens it again.
    void close();
    bool isReadOnly() const { return m_readOnly; }

    // How long a save waits for another program that holds the store's write lock before it is
    // refused ("database is locked").
    static constexpr int BusyTimeoutMilliseconds = 5000;

    // Makes the index that serves a list of Scott numbers in catalogue order, or drops it: kept
    // only while that order is chosen, since each index makes every save dearer.
    StoreResult<> keepCatalogueScottIndex(bool kept);

    // Copies the store as it is saved (VACUUM INTO) to a new file at path.
    StoreResult<> backUpTo(const QString& path);
    // The rows of `table` as the store has them saved.
    StoreResult<qint64> savedRowCount(const QString& table);
    // Checks a copy of a store (a backup) without changing it: it opens, SQLite finds no fault
    // in it (quick_check) and it has `table`, whose rows are counted. A copy left half-written
    // (cut short, or with the journal of an unfinished write beside it) fails.
    static StoreResult<qint64> checkCopy(const QString& path, const QString& table);

    // The one context of the application; only valid once the store is loaded.
    ObjectContext& viewContext() { return *m_context; }

private:
    QString m_name;
    QString m_directory;
    QString m_connectionName;
    bool m_readOnly = false;
    std::unique_ptr<ObjectContext> m_context;
};
