#pragma once

#include "store/StoreError.h"

#include <QByteArrayView>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// One statement run straight on the SQLite connection under a Qt database, for the reads that
// hand over every row of a large collection: Qt's driver turns every column of every row into a
// QVariant, where this reads each value as SQLite holds it and only what is asked for.
class SqliteStatement final
{
public:
    // Prepares `sql` and binds `values` (texts, whole numbers, other numbers) to its marks. A
    // failure, now or at a step, is described as `what` failed, with SQLite's reason.
    static StoreResult<SqliteStatement> prepare(const QSqlDatabase& database, const QString& sql,
                                                const QVariantList& values, const QString& what);
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&&) = delete;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement();

    // The next row: true while there is one, false after the last, or why the store failed.
    StoreResult<bool> step();
    // Makes the statement ready to run again with other values; the marks keep theirs until
    // bound anew.
    void reset();
    // Binds the 1-based mark: a text, a picture (bytes), a whole number, another number, or
    // NULL for an invalid QVariant.
    StoreResult<> bind(int mark, const QVariant& value);

    bool isNull(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    // A text or a picture as SQLite holds it, valid until the next step.
    QByteArrayView bytes(int column) const;
    // A text in UTF-8, whatever the file's own encoding, valid until the next step.
    QByteArrayView utf8(int column) const;

    // A column's value as kept from one row to the next.
    struct Kept
    {
        int kind = 0;
        double number = 0.0;
        // A text's UTF-8.
        std::string bytes;

        bool isText() const;
        bool isNumber() const;
    };
    // Whether the column's value sorts as equal to `kept` (the same column's value on the row
    // before): NULL beside NULL, numbers by value, texts (and anything else) by their UTF-8.
    // `kept` becomes the value.
    bool keepSortsEqual(int column, Kept& kept) const;

private:
    SqliteStatement(sqlite3* connection, sqlite3_stmt* statement, QString path, QString what);
    StoreError failure() const;

    sqlite3* m_connection;
    sqlite3_stmt* m_statement;
    QString m_path;
    QString m_what;
};

// What is set on the SQLite connection under a Qt database itself.
namespace SqliteConnection {

// Runs statements that give no rows (BEGIN, SAVEPOINT, COMMIT), described as `what` on failure.
StoreResult<> execute(const QSqlDatabase& database, const QString& sql, const QString& what);
// Whether the connection is inside a transaction; SQLite ends one on its own after some
// failures (a full disk, an I/O error), undoing all of it.
bool inTransaction(const QSqlDatabase& database);

// Teaches the connection an order of texts by name (ORDER BY x COLLATE name, and indexes that
// use it). `compare` gets both texts in UTF-8.
StoreResult<> addCollation(const QSqlDatabase& database, const char* name,
                           int (*compare)(std::string_view, std::string_view));

} // namespace SqliteConnection
