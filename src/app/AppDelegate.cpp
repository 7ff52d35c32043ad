#include "app/AppDelegate.h"

#include "platform/core/Console.h"
#include "store/Model.h"
#include "store/StoreBackup.h"

#include <QCoreApplication>
#include <QDir>

AppDelegate::AppDelegate(const QString& dataDirectory) : m_dataDirectory(dataDirectory) {}

PersistentContainer& AppDelegate::persistentContainer()
{
    if (!m_persistentContainer) {
        m_persistentContainer = std::make_unique<PersistentContainer>(
            QString::fromLatin1(Model::Name), m_dataDirectory);
        if (const StoreResult<> loaded = m_persistentContainer->loadPersistentStores(); !loaded) {
            m_storeError = loaded.error();
            Console::printLine(unresolvedErrorMessage(*m_storeError));
        } else {
            m_persistentContainer->viewContext().setStoreChangedHandler(m_storeChanged);
        }
    }
    return *m_persistentContainer;
}

QString AppDelegate::userDefaultsFile(const QString& dataDirectory)
{
    return QDir(dataDirectory).filePath(QStringLiteral("UserDefaults.ini"));
}

StoreResult<> AppDelegate::saveContext()
{
    ObjectContext& context = viewContext();
    StoreResult<> saved = context.save();
    if (!saved) {
        Console::printLine(unresolvedErrorMessage(saved.error()));
        context.rollback();
    }
    return saved;
}

Result<QString> AppDelegate::restoreStore(const QString& file, int kept)
{
    PersistentContainer& container = persistentContainer();
    Result<QString> restored = StoreBackup::restore(container, file, kept);
    // Even a failed restore may have opened the store again.
    ++m_storeGeneration;
    if (!restored && !container.isLoaded())
        m_storeError = StoreError::at(restored.error(), container.storeFilePath());
    if (container.isLoaded())
        container.viewContext().setStoreChangedHandler(m_storeChanged);
    if (m_storeChanged)
        m_storeChanged();
    return restored;
}

void AppDelegate::setStoreChangedHandler(std::function<void()> handler)
{
    m_storeChanged = std::move(handler);
    if (m_persistentContainer && m_persistentContainer->isLoaded())
        m_persistentContainer->viewContext().setStoreChangedHandler(m_storeChanged);
}

QString AppDelegate::unresolvedErrorMessage(const StoreError& error)
{
    return QCoreApplication::translate("AppDelegate", "Unresolved error %1, %2")
        .arg(error.description, error.userInfoText());
}
