#pragma once

#include "store/PersistentContainer.h"

#include <QTemporaryDir>
#include <memory>

// A real store in a fresh temporary data folder, removed with the fixture.
class TemporaryStore final
{
public:
    TemporaryStore();

    QString directory() const { return m_directory.path(); }
    PersistentContainer& container() { return *m_container; }
    ObjectContext& context() { return m_container->viewContext(); }
    // Closes the store and opens the same file again, as a new launch would.
    void reopen();

private:
    QTemporaryDir m_directory;
    std::unique_ptr<PersistentContainer> m_container;
};
