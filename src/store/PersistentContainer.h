#pragma once

#include "store/ObjectContext.h"
#include "store/StoreError.h"

#include <QString>
#include <memory>
#include <optional>

// The collection store on disk: "<name>.sqlite" in a data folder, opened once and kept open.
class PersistentContainer final
{
public:
    PersistentContainer(const QString& name, const QString& directory);
    ~PersistentContainer();
    PersistentContainer(const PersistentContainer&) = delete;
    PersistentContainer& operator=(const PersistentContainer&) = delete;

    const QString& name() const { return m_name; }
    QString storeFilePath() const;

    // Opens the store file (creating it and its folder when missing) and brings its tables up to
    // date. Returns the error when it cannot be opened; the container is then unusable.
    std::optional<StoreError> loadPersistentStores();
    bool isLoaded() const { return m_context != nullptr; }

    // The one context of the application; only valid once the store is loaded.
    ObjectContext& viewContext() { return *m_context; }

private:
    QString m_name;
    QString m_directory;
    QString m_connectionName;
    std::unique_ptr<ObjectContext> m_context;
};
