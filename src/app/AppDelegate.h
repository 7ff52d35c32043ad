#pragma once

#include "store/PersistentContainer.h"

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

    // "Unresolved error <description>, <details>": what is shown when the store cannot be used.
    static QString unresolvedErrorMessage(const StoreError& error);

private:
    QString m_dataDirectory;
    std::unique_ptr<PersistentContainer> m_persistentContainer;
    std::optional<StoreError> m_storeError;
};
