#include "store/PersistentContainer.h"

#include "store/CatalogueOrder.h"
#include "store/Schema.h"
#include "store/SqliteStatement.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

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
    close();
}

void PersistentContainer::close()
{
    m_context.reset();
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    {
        QSqlDatabase database = QSqlDatabase::database(m_connectionName, false);
        if (database.isOpen() && !m_readOnly) {
            // SQLite does this itself when the last connection closes, unless another program
            // still reads the store; then at least what it can.
            QSqlQuery checkpoint(database);
            static_cast<void>(checkpoint.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
        }
        database.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

QString PersistentContainer::storeFilePath() const
{
    return QDir(m_directory).filePath(m_name + QStringLiteral(".sqlite"));
}

StoreResult<> PersistentContainer::loadPersistentStores()
{
    const auto failed = [this](const QString& description) {
        return Failure{StoreError::at(description, storeFilePath())};
    };
    if (!QDir().mkpath(m_directory))
        return failed(tr("The data folder %1 could not be created").arg(m_directory));
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return failed(tr("The SQLite driver of Qt is not installed"));

    const QFileInfo file(storeFilePath());
    const bool folderWritable = QFileInfo(m_directory).isWritable();
    m_readOnly = file.exists() ? !file.isWritable() || !folderWritable : false;

    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMilliseconds);
    if (m_readOnly) {
        // A read-only folder cannot take the files SQLite keeps beside the store while it reads
        // it; such a store (on a read-only medium, typically) is read as a file nothing changes.
        QUrl address = QUrl::fromLocalFile(file.absoluteFilePath());
        address.setQuery(folderWritable ? QStringLiteral("mode=ro")
                                        : QStringLiteral("mode=ro&immutable=1"));
        database.setDatabaseName(QString::fromLatin1(address.toEncoded()));
        options += QStringLiteral(";QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
    } else {
        database.setDatabaseName(file.absoluteFilePath());
    }
    database.setConnectOptions(options);
    if (!database.open())
        return Failure{StoreError::from(tr("The store could not be opened"), database.lastError(),
                                        storeFilePath())};
    const auto refuse = [this, &database](StoreError error) {
        database.close();
        error.userInfo.insert(QStringLiteral("path"), storeFilePath());
        return Failure{std::move(error)};
    };
    // Before anything is read or written: a store may hold an index in that order.
    if (const StoreResult<> taught = SqliteConnection::addCollation(
            database, CatalogueOrder::CollationName, &CatalogueOrder::compareUtf8);
        !taught)
        return refuse(taught.error());

    if (m_readOnly) {
        const StoreResult<int> version = Schema::readVersion(database);
        if (!version)
            return refuse(version.error());
        if (*version != Schema::currentVersion())
            return refuse(StoreError::at(
                tr("The store is read-only and not up to date (store version %1, this version "
                   "writes %2): open it once where it can be written")
                    .arg(*version)
                    .arg(Schema::currentVersion()),
                storeFilePath()));
    } else if (const StoreResult<> upgraded = Schema::upgrade(database); !upgraded) {
        return refuse(upgraded.error());
    }
    // Checked before anything else is written, so a store that is refused stays as it was.
    if (const StoreResult<> verified = Schema::verify(database); !verified)
        return refuse(verified.error());

    if (!m_readOnly) {
        QSqlQuery pragma(database);
        // WAL keeps readers and the writer apart and makes each save cheap; NORMAL is safe with
        // WAL.
        if (!pragma.exec(QStringLiteral("PRAGMA journal_mode = WAL")) ||
            !pragma.exec(QStringLiteral("PRAGMA synchronous = NORMAL")))
            return refuse(StoreError::from(tr("The store could not be opened"), pragma.lastError(),
                                           storeFilePath()));
    }
    m_context = std::make_unique<ObjectContext>(database, m_readOnly);
    return {};
}

StoreResult<> PersistentContainer::keepCatalogueScottIndex(bool kept)
{
    // A read-only store sorts in that order all the same, only without the index's help.
    if (m_readOnly || !isLoaded())
        return {};
    QSqlDatabase database = QSqlDatabase::database(m_connectionName, false);
    return Schema::keepCatalogueScottIndex(database, kept);
}

StoreResult<> PersistentContainer::backUpTo(const QString& path)
{
    // SQLite's own reason alone: the caller says what was being copied where.
    QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
    if (!query.prepare(QStringLiteral("VACUUM INTO ?")))
        return Failure{StoreError::from(QString(), query.lastError(), path)};
    query.addBindValue(path);
    if (!query.exec())
        return Failure{StoreError::from(QString(), query.lastError(), path)};
    return {};
}

namespace {

StoreResult<qint64> countRows(const QSqlDatabase& database, const QString& table,
                              const QString& path)
{
    QSqlQuery query(database);
    // The table's name is quoted as an identifier: it is never a value typed by anyone.
    QString quoted = table;
    quoted.replace(u'"', QStringLiteral("\"\""));
    if (!query.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(quoted)) || !query.next())
        return Failure{StoreError::from(QString(), query.lastError(), path)};
    return query.value(0).toLongLong();
}

} // namespace

StoreResult<qint64> PersistentContainer::savedRowCount(const QString& table)
{
    return countRows(QSqlDatabase::database(m_connectionName, false), table, storeFilePath());
}

StoreResult<qint64> PersistentContainer::checkCopy(const QString& path, const QString& table)
{
    const auto refused = [&path](const QString& reason) {
        return Failure{StoreError::at(reason, path)};
    };
    if (!QFileInfo(path).isFile())
        return refused(tr("The file is missing"));
    // A journal beside the copy means a write was cut short: reading the copy would roll it
    // back, which a check must not do, and what it holds is not what was meant to be written.
    if (QFileInfo::exists(path + QStringLiteral("-journal")))
        return refused(tr("The copy was not finished"));
    const QString connection = uniqueConnectionName();
    StoreResult<qint64> result = 0;
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        QUrl address = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
        address.setQuery(QStringLiteral("mode=ro"));
        database.setDatabaseName(QString::fromLatin1(address.toEncoded()));
        database.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
        result = [&]() -> StoreResult<qint64> {
            if (!database.open())
                return Failure{StoreError::from(tr("The copy could not be opened"),
                                                database.lastError(), path)};
            QSqlQuery check(database);
            if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next())
                return Failure{
                    StoreError::from(tr("The copy could not be read"), check.lastError(), path)};
            if (const QString verdict = check.value(0).toString(); verdict != u"ok")
                return refused(tr("The copy is damaged: %1").arg(verdict));
            if (!database.tables().contains(table))
                return refused(tr("The copy holds no table %1").arg(table));
            return countRows(database, table, path);
        }();
        database.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return result;
}
