#include "TemporaryStore.h"

#include <QTest>

TemporaryStore::TemporaryStore()
{
    reopen();
}

void TemporaryStore::reopen()
{
    m_container.reset();
    m_container = std::make_unique<PersistentContainer>(QStringLiteral("Vellora"), directory());
    const std::optional<StoreError> error = m_container->loadPersistentStores();
    if (error)
        qFatal("The test store could not be opened: %s", qPrintable(error->description));
}
