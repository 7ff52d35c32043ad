#include "store/PersistentContainer.h"

#include "store/Schema.h"

#include <QAtomicInt>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QString uniqueConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("VelloraStore%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

PersistentContainer::PersistentContainer(const QString& name, const QString& directory)
    : m_name(name), m_directory(directory), m_connectionName(uniqueConnectionName())
{}

PersistentContainer::~PersistentContainer()
{
    m_context.reset();
    if (QSqlDatabase::contains(m_connectionName)) {
        QSqlDatabase::database(m_connectionName, false).close();
        QSqlDatabase::removeDatabase(m_connectionName);
    }
}

QString PersistentContainer::storeFilePath() const
{
    return QDir(m_directory).filePath(m_name + QStringLiteral(".sqlite"));
}

std::optional<StoreError> PersistentContainer::loadPersistentStores()
{
    const auto failed = [this](const QString& description) {
        StoreError error{description, {}};
        error.userInfo.insert(QStringLiteral("path"), storeFilePath());
        return error;
    };
    if (!QDir().mkpath(m_directory))
        return failed(QStringLiteral("The data folder %1 could not be created").arg(m_directory));
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return failed(QStringLiteral("The SQLite driver of Qt is not installed"));

    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    database.setDatabaseName(storeFilePath());
    if (!database.open())
        return failed(QStringLiteral("The store could not be opened: ") +
                      database.lastError().text());

    QSqlQuery pragma(database);
    // WAL keeps readers and the writer apart and makes each save cheap; NORMAL is safe with WAL.
    if (!pragma.exec(QStringLiteral("PRAGMA journal_mode = WAL")) ||
        !pragma.exec(QStringLiteral("PRAGMA synchronous = NORMAL"))) {
        StoreError error = failed(QStringLiteral("The store could not be opened: ") +
                                  pragma.lastError().databaseText());
        database.close();
        return error;
    }
    StoreError error;
    if (!Schema::upgrade(database, error)) {
        database.close();
        return error;
    }
    m_context = std::make_unique<ObjectContext>(database);
    return std::nullopt;
}
