#pragma once

#include "store/PersistentContainer.h"

#include <functional>
#include <memory>
#include <optional>

// Owns the collection store, opened on first use and kept open while the application runs.
class AppDelegate final
{
public:
    explicit AppDelegate(const QString& dataDirectory);

    const QString& dataDirectory() const { return m_dataDirectory; }
    // The user defaults live beside the store, so the two move together.
    static QString userDefaultsFile(const QString& dataDirectory);

    // The store, opened on the first call. When it could not be opened, storeError() says why
    // and the container is not loaded.
    PersistentContainer& persistentContainer();
    const std::optional<StoreError>& storeError() const { return m_storeError; }
    ObjectContext& viewContext() { return persistentContainer().viewContext(); }

    // Saves the view context when it has changes. A failed save is printed and rolled back, so
    // what is on screen matches the store again, and handed back for the caller to tell the
    // collector.
    StoreResult<> saveContext();

    // Puts the collection of the backup at `file` in the store's place, the store backed up first
    // and `kept` backups kept (StoreBackup::restore); a refused file changes nothing. The store is
    // opened again, so every object fetched before is gone: no screen may hold one. The backup
    // of the collection as it was.
    Result<QString> restoreStore(const QString& file, int kept);
    // Told after every save and import, and once the store has been opened again (a restore).
    void setStoreChangedHandler(std::function<void()> handler);

    // Grows each time the store is opened again, so a screen that stays can tell it is another.
    int storeGeneration() const { return m_storeGeneration; }

    // "Unresolved error <description>, <details>": what is shown when the store cannot be used.
    static QString unresolvedErrorMessage(const StoreError& error);

private:
    QString m_dataDirectory;
    std::unique_ptr<PersistentContainer> m_persistentContainer;
    std::optional<StoreError> m_storeError;
    int m_storeGeneration = 0;
    std::function<void()> m_storeChanged;
};
