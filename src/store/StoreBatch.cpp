#include "store/StoreBatch.h"

#include "store/ManagedObject.h"
#include "store/ObjectContext.h"

#include <QCoreApplication>

namespace {

QString quoted(const QString& identifier)
{
    return u'[' + identifier + u']';
}

QString tr(const char* text)
{
    return QCoreApplication::translate("StoreBatch", text);
}

} // namespace

StoreBatch::StoreBatch(ObjectContext& context, const EntityDescription& entity)
    : m_context(&context), m_entity(&entity)
{}

StoreBatch::StoreBatch(StoreBatch&& other) noexcept
    : m_context(other.m_context), m_entity(other.m_entity), m_find(std::move(other.m_find)),
      m_insert(std::move(other.m_insert)), m_update(std::move(other.m_update)),
      m_keyCount(other.m_keyCount), m_open(other.m_open)
{
    other.m_open = false;
}

StoreBatch::~StoreBatch()
{
    rollback();
}

StoreResult<StoreBatch> StoreBatch::begin(ObjectContext& context, const QString& entityName,
                                          const QStringList& keyAttributes)
{
    const QSqlDatabase& database = context.database();
    const EntityDescription* entity = Model::entity(entityName);
    if (!entity)
        return Failure{StoreError::at(tr("There is no %1 in the store").arg(entityName),
                                      database.databaseName())};
    if (context.isReadOnly())
        return Failure{StoreError::at(tr("This collection is read-only: changes cannot be saved"),
                                      database.databaseName())};
    StoreBatch batch(context, *entity);
    QStringList columns;
    QStringList marks;
    QStringList assignments;
    QStringList differences;
    for (int i = 0; i < entity->attributes().size(); ++i) {
        const QString column = quoted(entity->attribute(i).name);
        const QString mark = QStringLiteral("?%1").arg(i + 1);
        columns << column;
        marks << mark;
        const QString given = QStringLiteral("coalesce(%1, %2)").arg(mark, column);
        assignments << column + QStringLiteral(" = ") + given;
        differences << column + QStringLiteral(" IS NOT ") + given;
    }
    QStringList keys;
    for (const QString& key : keyAttributes) {
        if (entity->indexOf(key) < 0)
            return Failure{
                StoreError::at(tr("%1 has no %2").arg(entityName, key), database.databaseName())};
        keys << QStringLiteral("%1 = ?%2").arg(quoted(key)).arg(keys.size() + 1);
    }
    batch.m_keyCount = int(keys.size());
    const auto prepare = [&](std::optional<SqliteStatement>& statement, const QString& sql,
                             const QString& what) {
        StoreResult<SqliteStatement> prepared = SqliteStatement::prepare(database, sql, {}, what);
        if (!prepared)
            return StoreResult<>(Failure{prepared.error()});
        statement.emplace(std::move(prepared).value());
        return StoreResult<>();
    };
    const QString table = quoted(entityName);
    struct Statement
    {
        std::optional<SqliteStatement>* statement;
        QString sql;
        QString what;
    };
    for (const auto& [statement, sql, what] : std::initializer_list<Statement>{
             {&batch.m_find,
              QStringLiteral("SELECT id FROM %1 WHERE %2 ORDER BY id LIMIT ?%3")
                  .arg(table, keys.join(QStringLiteral(" AND ")))
                  .arg(keys.size() + 1),
              tr("Fetch of %1 failed").arg(entityName)},
             {&batch.m_insert,
              QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(table, columns.join(u','), marks.join(u',')),
              tr("A new %1 could not be saved").arg(entityName)},
             // Only a row that differs is written: an import of what is stored writes nothing.
             {&batch.m_update,
              QStringLiteral("UPDATE %1 SET %2 WHERE id = ?%3 AND (%4)")
                  .arg(table, assignments.join(u','))
                  .arg(columns.size() + 1)
                  .arg(differences.join(QStringLiteral(" OR "))),
              tr("A changed %1 could not be saved").arg(entityName)},
         }) {
        if (StoreResult<> prepared = prepare(*statement, sql, what); !prepared)
            return Failure{prepared.error()};
    }
    if (StoreResult<> begun = SqliteConnection::execute(database, QStringLiteral("BEGIN IMMEDIATE"),
                                                        tr("The store could not start a save"));
        !begun)
        return Failure{begun.error()};
    batch.m_open = true;
    return batch;
}

StoreResult<> StoreBatch::run(SqliteStatement& statement)
{
    statement.reset();
    StoreResult<bool> stepped = statement.step();
    statement.reset();
    if (!stepped)
        return Failure{stepped.error()};
    return {};
}

StoreResult<std::vector<qint64>> StoreBatch::find(const QVariantList& key, int limit)
{
    SqliteStatement& statement = *m_find;
    statement.reset();
    for (int i = 0; i < m_keyCount; ++i) {
        const QVariant value = i < key.size() ? key.at(i) : QVariant();
        const bool text = value.typeId() == QMetaType::QString;
        if (StoreResult<> bound = statement.bind(
                i + 1, text ? QVariant(ManagedObject::storedText(value.toString())) : value);
            !bound)
            return Failure{bound.error()};
    }
    if (StoreResult<> bound = statement.bind(m_keyCount + 1, limit); !bound)
        return Failure{bound.error()};
    std::vector<qint64> rows;
    for (;;) {
        StoreResult<bool> stepped = statement.step();
        if (!stepped) {
            statement.reset();
            return Failure{stepped.error()};
        }
        if (!*stepped)
            break;
        rows.push_back(statement.integer(0));
    }
    statement.reset();
    return rows;
}

StoreResult<> StoreBatch::stillOpen()
{
    if (!m_open || !SqliteConnection::inTransaction(m_context->database())) {
        m_open = false;
        return Failure{StoreError::at(tr("The store undid the whole save"),
                                      m_context->database().databaseName())};
    }
    return {};
}

StoreResult<> StoreBatch::bindValues(SqliteStatement& statement, const Values& values,
                                     bool defaults)
{
    for (int i = 0; i < m_entity->attributes().size(); ++i) {
        const AttributeType type = m_entity->attribute(i).type;
        const QVariant value = i < int(values.size()) ? values.at(size_t(i)) : QVariant();
        QVariant stored;
        if (value.isValid()) {
            switch (type) {
            case AttributeType::Text:
                stored = ManagedObject::storedText(value.toString());
                break;
            case AttributeType::Int16:
                stored = qint64(qint16(value.toInt()));
                break;
            case AttributeType::Float:
                stored = double(value.toFloat());
                break;
            case AttributeType::Bytes:
                stored = value.toByteArray();
                break;
            }
        } else if (defaults && (type == AttributeType::Int16 || type == AttributeType::Float)) {
            stored = type == AttributeType::Int16 ? QVariant(qint64(0)) : QVariant(0.0);
        }
        if (StoreResult<> bound = statement.bind(i + 1, stored); !bound)
            return bound;
    }
    return {};
}

StoreResult<> StoreBatch::insert(const Values& values)
{
    SqliteStatement& statement = *m_insert;
    statement.reset();
    if (StoreResult<> bound = bindValues(statement, values, true); !bound)
        return Failure{bound.error()};
    return run(statement);
}

StoreResult<> StoreBatch::update(qint64 rowId, const Values& values)
{
    SqliteStatement& statement = *m_update;
    statement.reset();
    if (StoreResult<> bound = bindValues(statement, values, false); !bound)
        return Failure{bound.error()};
    if (StoreResult<> bound = statement.bind(int(m_entity->attributes().size()) + 1, rowId); !bound)
        return Failure{bound.error()};
    return run(statement);
}

StoreResult<> StoreBatch::commit()
{
    if (!m_open)
        return Failure{StoreError::at(tr("The store undid the whole save"),
                                      m_context->database().databaseName())};
    if (StoreResult<> committed = SqliteConnection::execute(
            m_context->database(), QStringLiteral("COMMIT"), tr("The save could not be completed"));
        !committed) {
        rollback();
        return committed;
    }
    m_open = false;
    m_context->reloadObjects(*m_entity);
    return {};
}

void StoreBatch::rollback()
{
    if (!m_open)
        return;
    m_open = false;
    // Statements still running would keep the rollback from ending the transaction.
    for (std::optional<SqliteStatement>* statement : {&m_find, &m_insert, &m_update}) {
        if (*statement)
            (*statement)->reset();
    }
    if (SqliteConnection::inTransaction(m_context->database()))
        (void)SqliteConnection::execute(m_context->database(), QStringLiteral("ROLLBACK"),
                                        tr("The save could not be undone"));
}
