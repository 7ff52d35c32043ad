#include "store/SqliteStatement.h"

#include <QCoreApplication>
#include <QSqlDriver>
#include <QSqlError>
#include <cstring>
#include <sqlite3.h>

namespace {

sqlite3* connectionOf(const QSqlDatabase& database)
{
    const QVariant handle = database.driver() ? database.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

} // namespace

SqliteStatement::SqliteStatement(sqlite3* connection, sqlite3_stmt* statement, QString path,
                                 QString what)
    : m_connection(connection), m_statement(statement), m_path(std::move(path)),
      m_what(std::move(what))
{}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_connection(other.m_connection), m_statement(other.m_statement),
      m_path(std::move(other.m_path)), m_what(std::move(other.m_what))
{
    other.m_statement = nullptr;
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

StoreResult<SqliteStatement> SqliteStatement::prepare(const QSqlDatabase& database,
                                                      const QString& sql,
                                                      const QVariantList& values,
                                                      const QString& what)
{
    sqlite3* connection = connectionOf(database);
    if (!connection)
        return Failure{StoreError::at(
            QCoreApplication::translate("SqliteStatement", "%1: the store is not open").arg(what),
            database.databaseName())};
    sqlite3_stmt* statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const int prepared =
        sqlite3_prepare_v2(connection, utf8.constData(), int(utf8.size()), &statement, nullptr);
    SqliteStatement made(connection, statement, database.databaseName(), what);
    if (prepared != SQLITE_OK)
        return Failure{made.failure()};
    for (int i = 0; i < values.size(); ++i) {
        if (StoreResult<> bound = made.bind(i + 1, values.at(i)); !bound)
            return Failure{bound.error()};
    }
    return made;
}

StoreResult<bool> SqliteStatement::step()
{
    const int stepped = sqlite3_step(m_statement);
    if (stepped == SQLITE_ROW)
        return true;
    if (stepped == SQLITE_DONE)
        return false;
    return Failure{failure()};
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_statement);
}

StoreResult<> SqliteStatement::bind(int mark, const QVariant& value)
{
    int bound = SQLITE_OK;
    if (!value.isValid()) {
        bound = sqlite3_bind_null(m_statement, mark);
    } else {
        switch (value.typeId()) {
        case QMetaType::QString: {
            const QString text = value.toString();
            bound = sqlite3_bind_text16(m_statement, mark, text.utf16(),
                                        int(text.size() * qsizetype(sizeof(char16_t))),
                                        SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            // A non-null pointer even for no bytes: an empty picture is not an absent one.
            bound = sqlite3_bind_blob64(m_statement, mark, bytes.constData(),
                                        sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::Int:
        case QMetaType::LongLong:
            bound = sqlite3_bind_int64(m_statement, mark, value.toLongLong());
            break;
        default:
            bound = sqlite3_bind_double(m_statement, mark, value.toDouble());
            break;
        }
    }
    if (bound != SQLITE_OK)
        return Failure{failure()};
    return {};
}

bool SqliteStatement::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

qint64 SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

double SqliteStatement::real(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

QByteArrayView SqliteStatement::bytes(int column) const
{
    const auto* data = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
    return {data, sqlite3_column_bytes(m_statement, column)};
}

QByteArrayView SqliteStatement::utf8(int column) const
{
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return {data, sqlite3_column_bytes(m_statement, column)};
}

bool SqliteStatement::Kept::isNumber() const
{
    return kind == SQLITE_INTEGER || kind == SQLITE_FLOAT;
}

bool SqliteStatement::Kept::isText() const
{
    return kind == SQLITE_TEXT;
}

bool SqliteStatement::keepSortsEqual(int column, Kept& kept) const
{
    const int kind = sqlite3_column_type(m_statement, column);
    const bool numeric = kind == SQLITE_INTEGER || kind == SQLITE_FLOAT;
    const bool wasNumeric = kept.kind == SQLITE_INTEGER || kept.kind == SQLITE_FLOAT;
    bool equal = false;
    if (numeric) {
        const double number = sqlite3_column_double(m_statement, column);
        equal = wasNumeric && number == kept.number;
        kept.number = number;
    } else if (kind == SQLITE_NULL) {
        equal = kept.kind == SQLITE_NULL;
    } else {
        const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
        const auto size = size_t(sqlite3_column_bytes(m_statement, column));
        equal = kind == kept.kind && size == kept.bytes.size() &&
                (size == 0 || std::memcmp(data, kept.bytes.data(), size) == 0);
        if (!equal)
            kept.bytes.assign(data, size);
    }
    kept.kind = kind;
    return equal;
}

StoreError SqliteStatement::failure() const
{
    return StoreError::from(m_what,
                            QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(m_connection)),
                                      QSqlError::StatementError,
                                      QString::number(sqlite3_extended_errcode(m_connection))),
                            m_path);
}

namespace SqliteConnection {
namespace {

int compareThrough(void* order, int lengthA, const void* a, int lengthB, const void* b)
{
    const auto compare = reinterpret_cast<int (*)(std::string_view, std::string_view)>(order);
    return compare(std::string_view(static_cast<const char*>(a), size_t(lengthA)),
                   std::string_view(static_cast<const char*>(b), size_t(lengthB)));
}

} // namespace

StoreResult<> execute(const QSqlDatabase& database, const QString& sql, const QString& what)
{
    StoreResult<SqliteStatement> statement = SqliteStatement::prepare(database, sql, {}, what);
    if (!statement)
        return Failure{statement.error()};
    if (StoreResult<bool> stepped = statement.value().step(); !stepped)
        return Failure{stepped.error()};
    return {};
}

bool inTransaction(const QSqlDatabase& database)
{
    sqlite3* connection = connectionOf(database);
    return connection && sqlite3_get_autocommit(connection) == 0;
}

StoreResult<> addCollation(const QSqlDatabase& database, const char* name,
                           int (*compare)(std::string_view, std::string_view))
{
    sqlite3* connection = connectionOf(database);
    if (!connection)
        return Failure{
            StoreError::at(QCoreApplication::translate("SqliteStatement", "The store is not open"),
                           database.databaseName())};
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-reinterpret-cast): SQLite hands back a void*.
    void* order = reinterpret_cast<void*>(compare);
    if (sqlite3_create_collation_v2(connection, name, SQLITE_UTF8, order, compareThrough,
                                    nullptr) != SQLITE_OK)
        return Failure{StoreError::at(
            QCoreApplication::translate("SqliteStatement", "The order %1 could not be set up: %2")
                .arg(QString::fromLatin1(name), QString::fromUtf8(sqlite3_errmsg(connection))),
            database.databaseName())};
    return {};
}

} // namespace SqliteConnection
