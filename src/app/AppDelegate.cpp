#include "app/AppDelegate.h"

#include "platform/core/Console.h"
#include "store/Model.h"

#include <QCoreApplication>
#include <QDir>

AppDelegate::AppDelegate(const QString& dataDirectory) : m_dataDirectory(dataDirectory) {}

PersistentContainer& AppDelegate::persistentContainer()
{
    if (!m_persistentContainer) {
        m_persistentContainer = std::make_unique<PersistentContainer>(
            QString::fromLatin1(Model::Name), m_dataDirectory);
        m_storeError = m_persistentContainer->loadPersistentStores();
        if (m_storeError)
            Console::printLine(unresolvedErrorMessage(*m_storeError));
    }
    return *m_persistentContainer;
}

QString AppDelegate::userDefaultsFile(const QString& dataDirectory)
{
    return QDir(dataDirectory).filePath(QStringLiteral("UserDefaults.ini"));
}

bool AppDelegate::saveContext(StoreError* error)
{
    ObjectContext& context = viewContext();
    if (!context.hasChanges())
        return true;
    StoreError failure;
    if (context.save(&failure))
        return true;
    Console::printLine(unresolvedErrorMessage(failure));
    context.rollback();
    if (error)
        *error = failure;
    return false;
}

QString AppDelegate::unresolvedErrorMessage(const StoreError& error)
{
    return QCoreApplication::translate("AppDelegate", "Unresolved error %1, %2")
        .arg(error.description, error.userInfoText());
}
