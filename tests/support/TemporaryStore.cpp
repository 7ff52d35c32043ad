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
    const StoreResult<> loaded = m_container->loadPersistentStores();
    if (!loaded)
        qFatal("The test store could not be opened: %s", qPrintable(loaded.error().description));
}
