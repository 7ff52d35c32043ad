#include "store/ObjectContext.h"

#include "platform/core/Console.h"
#include "store/CatalogueOrder.h"
#include "store/SqliteStatement.h"
#include "store/TextOrder.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>

namespace {

// Objects inserted since the last save sort after every saved row, in the order they were made.
constexpr qint64 FirstInsertOrder = qint64(1) << 62;

// Brackets, not double quotes: SQLite reads a double-quoted name that is no column as a text, so
// a column missing from a changed or damaged store would read as its own name instead of failing.
QString quoted(const QString& identifier)
{
    return QLatin1Char('[') + identifier + QLatin1Char(']');
}

// A predicate's comparison bound to one attribute of the fetched entity.
struct Condition
{
    enum class Kind
    {
        Never,
        IsAbsent,
        Equals
    };
    int index;
    AttributeType type;
    Kind kind;
    QVariant operand;
};

std::optional<double> numberFrom(const QVariant& argument)
{
    bool ok = false;
    const double number = argument.typeId() == QMetaType::QString
                              ? argument.toString().trimmed().toDouble(&ok)
                              : argument.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

bool bindConditions(const EntityDescription& entity, const Predicate& predicate,
                    std::vector<Condition>& conditions, QString& error)
{
    for (const Predicate::Comparison& comparison : predicate.comparisons()) {
        const int index = entity.indexOf(comparison.key);
        if (index < 0) {
            error = QStringLiteral("No attribute %1 in %2").arg(comparison.key, entity.name());
            return false;
        }
        const AttributeType type = entity.attribute(index).type;
        Condition condition{index, type, Condition::Kind::Never, {}};
        switch (type) {
        case AttributeType::Bytes:
            error = QStringLiteral("%1 cannot be compared").arg(comparison.key);
            return false;
        case AttributeType::Text:
            if (!comparison.value.isValid()) {
                condition.kind = Condition::Kind::IsAbsent;
            } else {
                condition.kind = Condition::Kind::Equals;
                // Compared as it would be stored.
                condition.operand = ManagedObject::storedText(comparison.value.toString());
            }
            break;
        case AttributeType::Int16:
        case AttributeType::Float:
            if (const std::optional<double> number = numberFrom(comparison.value)) {
                // A whole-number attribute holds none but whole numbers of its 16 bits: any other
                // number matches nothing.
                if (type == AttributeType::Int16 && (*number != std::trunc(*number) ||
                                                     *number < std::numeric_limits<qint16>::min() ||
                                                     *number > std::numeric_limits<qint16>::max()))
                    break;
                condition.kind = Condition::Kind::Equals;
                // A float attribute holds single precision: compare with the same rounding.
                condition.operand = type == AttributeType::Float ? double(float(*number)) : *number;
            }
            break;
        }
        conditions.push_back(condition);
    }
    return true;
}

bool matches(const ManagedObject& object, const std::vector<Condition>& conditions)
{
    for (const Condition& condition : conditions) {
        const QVariant value = object.value(condition.index);
        switch (condition.kind) {
        case Condition::Kind::Never:
            return false;
        case Condition::Kind::IsAbsent:
            if (value.isValid())
                return false;
            break;
        case Condition::Kind::Equals:
            if (condition.type == AttributeType::Text) {
                if (!value.isValid() || value.toString() != condition.operand.toString())
                    return false;
            } else if (value.toDouble() != condition.operand.toDouble()) {
                return false;
            }
            break;
        }
    }
    return true;
}

QString whereClause(const EntityDescription& entity, const std::vector<Condition>& conditions)
{
    QStringList terms;
    for (const Condition& condition : conditions) {
        const QString column = quoted(entity.attribute(condition.index).name);
        switch (condition.kind) {
        case Condition::Kind::Never:
            terms << QStringLiteral("0");
            break;
        case Condition::Kind::IsAbsent:
            terms << column + QStringLiteral(" IS NULL");
            break;
        case Condition::Kind::Equals:
            terms << column + QStringLiteral(" = ?");
            break;
        }
    }
    return terms.isEmpty() ? QString()
                           : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
}

// The values bound to the marks of whereClause, in order.
QVariantList operands(const std::vector<Condition>& conditions)
{
    QVariantList values;
    for (const Condition& condition : conditions) {
        if (condition.kind != Condition::Kind::Equals)
            continue;
        // Whole and in range, as bound: an integer to SQLite, compared as stored.
        if (condition.type == AttributeType::Int16)
            values.append(qint64(condition.operand.toDouble()));
        else
            values.append(condition.operand);
    }
    return values;
}

void bindOperands(QSqlQuery& query, const std::vector<Condition>& conditions)
{
    for (const QVariant& value : operands(conditions))
        query.addBindValue(value);
}

// The value as SQLite stores it: absent becomes NULL of the column's type.
QVariant sqlValue(AttributeType type, const QVariant& value)
{
    switch (type) {
    case AttributeType::Text:
        return value.isValid() ? value : QVariant(QMetaType::fromType<QString>());
    case AttributeType::Int16:
        return qint64(value.toInt());
    case AttributeType::Float:
        return double(value.toFloat());
    case AttributeType::Bytes:
        return value.isValid() ? value : QVariant(QMetaType::fromType<QByteArray>());
    }
    return {};
}

QVariant valueFromColumn(AttributeType type, const QSqlQuery& query, int column)
{
    if (query.isNull(column)) {
        if (type == AttributeType::Int16)
            return 0;
        if (type == AttributeType::Float)
            return 0.0f;
        return {};
    }
    const QVariant stored = query.value(column);
    switch (type) {
    case AttributeType::Text: {
        const QString text = stored.toString();
        return text.isNull() ? QStringLiteral("") : text;
    }
    case AttributeType::Int16:
        return int(qint16(stored.toInt()));
    case AttributeType::Float:
        return stored.toFloat();
    case AttributeType::Bytes: {
        const QByteArray bytes = stored.toByteArray();
        return bytes.isNull() ? QByteArray("") : bytes;
    }
    }
    return {};
}

int compareValues(AttributeType type, const QVariant& a, const QVariant& b,
                  TextOrdering ordering = TextOrdering::CodePoint)
{
    if (!a.isValid() || !b.isValid())
        return int(a.isValid()) - int(b.isValid());
    switch (type) {
    case AttributeType::Text:
        return ordering == TextOrdering::Catalogue
                   ? CatalogueOrder::compare(a.toString(), b.toString())
                   : TextOrder::compare(a.toString(), b.toString());
    case AttributeType::Int16:
    case AttributeType::Float: {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case AttributeType::Bytes:
        break;
    }
    return 0;
}

} // namespace

ObjectContext::ObjectContext(const QSqlDatabase& database, bool readOnly)
    : m_database(database), m_readOnly(readOnly)
{}

ObjectContext::~ObjectContext() = default;

std::unique_ptr<ManagedObject> ObjectContext::makeObject(const EntityDescription& entity)
{
    const QString& name = entity.name();
    if (&entity == &Model::stamps())
        return std::unique_ptr<ManagedObject>(new Stamps(this));
#define VELLORA_MAKE(Class)                                                                        \
    if (name == QLatin1String(Class::EntityName))                                                  \
        return std::unique_ptr<ManagedObject>(new Class(entity, this));
    VELLORA_MAKE(CountryList)
    VELLORA_MAKE(PerforationList)
    VELLORA_MAKE(GumList)
    VELLORA_MAKE(MarginList)
    VELLORA_MAKE(PaperList)
    VELLORA_MAKE(GradeList)
    VELLORA_MAKE(ConditionList)
    VELLORA_MAKE(SeriesList)
    VELLORA_MAKE(CenteredList)
    VELLORA_MAKE(StatusList)
    VELLORA_MAKE(FaultsList)
#undef VELLORA_MAKE
    return nullptr;
}

ManagedObject* ObjectContext::registeredObject(const EntityDescription& entity, qint64 rowId)
{
    return m_registered.value(&entity).value(rowId, nullptr);
}

bool ObjectContext::hasPendingChanges(const EntityDescription& entity) const
{
    const auto ofEntity = [&entity](const ManagedObject* object) {
        return &object->entity() == &entity;
    };
    return std::any_of(m_inserted.cbegin(), m_inserted.cend(), ofEntity) ||
           std::any_of(m_updated.cbegin(), m_updated.cend(), ofEntity) ||
           std::any_of(m_deleted.cbegin(), m_deleted.cend(), ofEntity);
}

QList<ManagedObject*> ObjectContext::pendingObjects(const EntityDescription& entity) const
{
    QList<ManagedObject*> objects;
    for (ManagedObject* object : m_inserted) {
        if (&object->entity() == &entity && !object->m_deleted)
            objects.append(object);
    }
    for (ManagedObject* object : m_updated) {
        if (&object->entity() == &entity && !object->m_deleted && !object->m_inserted)
            objects.append(object);
    }
    return objects;
}

struct ObjectContext::Query
{
    const EntityDescription* entity = nullptr;
    std::vector<Condition> conditions;
    struct SortKey
    {
        int index = 0;
        bool ascending = true;
        TextOrdering ordering = TextOrdering::CodePoint;
    };
    // Most significant first.
    std::vector<SortKey> sortKeys;
    QString where;

    // The ORDER BY terms, every key turned the other way when `flipped`; ties by row key.
    QString order(bool flipped = false) const
    {
        QStringList terms;
        for (const SortKey& key : sortKeys) {
            QString term = quoted(entity->attribute(key.index).name);
            if (key.ordering == TextOrdering::Catalogue)
                term += QStringLiteral(" COLLATE ") +
                        QString::fromLatin1(CatalogueOrder::CollationName);
            terms << term + (key.ascending != flipped ? QStringLiteral(" ASC")
                                                      : QStringLiteral(" DESC"));
        }
        terms << QStringLiteral("id ASC");
        return terms.join(QLatin1Char(','));
    }
    // Negative, zero or positive as `a` sorts before, with or after `b` on one key, ascending.
    int compare(const SortKey& key, const ManagedObject& a, const ManagedObject& b) const
    {
        return compareValues(entity->attribute(key.index).type, a.value(key.index),
                             b.value(key.index), key.ordering);
    }
    // Whether two objects are equal on every sort key.
    bool tied(const ManagedObject& a, const ManagedObject& b) const
    {
        return std::all_of(sortKeys.cbegin(), sortKeys.cend(),
                           [&](const SortKey& key) { return compare(key, a, b) == 0; });
    }
};

StoreResult<ObjectContext::Query> ObjectContext::prepared(const FetchRequest& request) const
{
    Query query;
    query.entity = Model::entity(request.entityName);
    if (!query.entity)
        return Failure{errorAbout(QStringLiteral("No entity named %1").arg(request.entityName))};
    if (!request.predicate.isValid())
        return Failure{errorAbout(request.predicate.errorString())};
    QString problem;
    if (!bindConditions(*query.entity, request.predicate, query.conditions, problem))
        return Failure{errorAbout(problem)};
    for (const SortDescriptor& descriptor : request.sortDescriptors) {
        const int index = query.entity->indexOf(descriptor.key);
        if (index < 0 || query.entity->attribute(index).type == AttributeType::Bytes ||
            (descriptor.ordering == TextOrdering::Catalogue &&
             query.entity->attribute(index).type != AttributeType::Text))
            return Failure{errorAbout(
                QStringLiteral("Cannot sort %1 by %2").arg(query.entity->name(), descriptor.key))};
        query.sortKeys.push_back({index, descriptor.ascending, descriptor.ordering});
    }
    query.where = whereClause(*query.entity, query.conditions);
    return query;
}

StoreResult<QList<ManagedObject*>> ObjectContext::fetch(const FetchRequest& request)
{
    StoreResult<Query> checked = prepared(request);
    if (!checked)
        return Failure{checked.error()};
    const EntityDescription* entity = checked->entity;
    const std::vector<Condition>& conditions = checked->conditions;
    const QString& where = checked->where;

    // The matching rows' keys in order first: rows already in memory need nothing more, so a
    // fetch again (another sort, a return to a list) reads one column instead of every one.
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral("SELECT id FROM %1%2 ORDER BY %3")
                           .arg(quoted(entity->name()), where, checked->order())))
        return Failure{fetchFailure(*entity, query)};
    bindOperands(query, conditions);
    if (!query.exec())
        return Failure{fetchFailure(*entity, query)};
    std::vector<qint64> rowIds;
    QHash<qint64, ManagedObject*>& registered = m_registered[entity];
    qsizetype missing = 0;
    while (query.next()) {
        rowIds.push_back(query.value(0).toLongLong());
        if (!registered.contains(rowIds.back()))
            ++missing;
    }
    query.finish();
    if (missing > 0) {
        StoreResult<> loaded = loadRows(
            *entity, where, [&conditions](QSqlQuery& rows) { bindOperands(rows, conditions); },
            rowIds, missing);
        if (!loaded)
            return Failure{loaded.error()};
    }

    const bool pending = hasPendingChanges(*entity);
    QList<ManagedObject*> result;
    result.reserve(qsizetype(rowIds.size()));
    for (const qint64 rowId : rowIds) {
        ManagedObject* object = registered.value(rowId, nullptr);
        // A row removed since the keys were read has no object; there is none to show.
        if (!object)
            continue;
        // Changed and deleted objects are judged below by their unsaved values.
        if (pending && (object->m_updated || object->m_deleted))
            continue;
        result.append(object);
    }

    if (pending) {
        for (ManagedObject* object : pendingObjects(*entity)) {
            if (matches(*object, conditions))
                result.append(object);
        }
        std::stable_sort(result.begin(), result.end(),
                         [&](const ManagedObject* a, const ManagedObject* b) {
                             for (const Query::SortKey& key : checked->sortKeys) {
                                 const int c = checked->compare(key, *a, *b);
                                 if (c != 0)
                                     return key.ascending ? c < 0 : c > 0;
                             }
                             return a->m_order < b->m_order;
                         });
    }
    return result;
}

StoreResult<FetchedRows> ObjectContext::fetchRows(const FetchRequest& request,
                                                  const QStringList& carriedKeys)
{
    StoreResult<Query> checked = prepared(request);
    if (!checked)
        return Failure{checked.error()};
    const Query& wanted = *checked;
    const EntityDescription& entity = *wanted.entity;
    auto fetch = std::make_shared<FetchedRows::Fetch>();
    fetch->context = this;
    fetch->entity = &entity;
    for (const QString& key : carriedKeys) {
        const int index = entity.indexOf(key);
        if (index < 0 || entity.attribute(index).type == AttributeType::Bytes)
            return Failure{
                errorAbout(QStringLiteral("Cannot carry %1 of %2").arg(key, entity.name()))};
        fetch->carried.emplace_back(index, entity.attribute(index).type);
    }

    // Unsaved changes reorder and filter objects, so then the objects are made and judged here.
    if (hasPendingChanges(entity))
        return rowsOfObjects(request, wanted, std::move(fetch));
    return rowsOfStore(wanted, std::move(fetch));
}

StoreResult<FetchedRows> ObjectContext::rowsOfObjects(const FetchRequest& request,
                                                      const Query& wanted,
                                                      std::shared_ptr<FetchedRows::Fetch> fetch)
{
    StoreResult<QList<ManagedObject*>> objects = this->fetch(request);
    if (!objects)
        return Failure{objects.error()};
    for (ManagedObject* object : std::as_const(*objects)) {
        const auto position = qint32(fetch->ids.size());
        const bool tied = position > 0 && wanted.tied(*fetch->objects.back(), *object);
        fetch->runStart.push_back(tied ? fetch->runStart.back() : position);
        fetch->ids.push_back(object->m_rowId);
        fetch->objects.push_back(object);
        for (CarriedColumn& carried : fetch->carried)
            carried.append(object->value(carried.attribute()));
    }
    std::vector<qint32> rows(fetch->ids.size());
    std::iota(rows.begin(), rows.end(), 0);
    return FetchedRows(std::move(fetch), std::move(rows));
}

StoreResult<FetchedRows> ObjectContext::rowsOfStore(const Query& wanted,
                                                    std::shared_ptr<FetchedRows::Fetch> fetch)
{
    const EntityDescription& entity = *wanted.entity;
    // Every key descending is read ascending, which an index serves whole, and turned: that
    // needs the runs of rows equal on every key, so only then are the keys read too.
    const bool flipped = !wanted.sortKeys.empty() &&
                         std::none_of(wanted.sortKeys.cbegin(), wanted.sortKeys.cend(),
                                      [](const Query::SortKey& key) { return key.ascending; });
    const auto keyCount = flipped ? int(wanted.sortKeys.size()) : 0;
    QStringList columns{QStringLiteral("id")};
    for (int k = 0; k < keyCount; ++k)
        columns << quoted(entity.attribute(wanted.sortKeys[size_t(k)].index).name);
    // A carried attribute that is a sort key (the list's searched one is its first) is taken
    // from the key, not read twice.
    std::vector<int> carriedColumns;
    for (const CarriedColumn& carried : fetch->carried) {
        const auto key = std::find_if(
            wanted.sortKeys.cbegin(), wanted.sortKeys.cbegin() + keyCount,
            [&](const Query::SortKey& each) { return each.index == carried.attribute(); });
        if (key != wanted.sortKeys.cbegin() + keyCount) {
            carriedColumns.push_back(int(key - wanted.sortKeys.cbegin()) + 1);
        } else {
            carriedColumns.push_back(int(columns.size()));
            columns << quoted(entity.attribute(carried.attribute()).name);
        }
    }
    // Every row of the collection passes here: read straight from SQLite, each sort key
    // compared with the row before as it lies, and the carried values kept as they lie.
    // The keys alone in the store's own order are read from whichever index is smallest and
    // sorted here: the table itself, pictures and all, is far larger to walk.
    const bool keysAlone = wanted.sortKeys.empty() && fetch->carried.empty();
    StoreResult<SqliteStatement> prepared = SqliteStatement::prepare(
        m_database,
        QStringLiteral("SELECT %1 FROM %2%3%4")
            .arg(columns.join(QLatin1Char(',')), quoted(entity.name()), wanted.where,
                 keysAlone ? QString() : QStringLiteral(" ORDER BY ") + wanted.order(flipped)),
        operands(wanted.conditions), fetchWhat(entity));
    if (!prepared)
        return Failure{prepared.error()};
    SqliteStatement statement = std::move(prepared).value();
    std::vector<SqliteStatement::Kept> keys(static_cast<size_t>(keyCount));
    while (true) {
        const StoreResult<bool> stepped = statement.step();
        if (!stepped)
            return Failure{stepped.error()};
        if (!*stepped)
            break;
        const auto position = qint32(fetch->ids.size());
        fetch->ids.push_back(statement.integer(0));
        if (flipped) {
            bool tied = position > 0;
            for (int k = 0; k < keyCount; ++k)
                tied = statement.keepSortsEqual(k + 1, keys[size_t(k)]) && tied;
            fetch->runStart.push_back(tied ? fetch->runStart.back() : position);
        }
        for (size_t c = 0; c < fetch->carried.size(); ++c) {
            CarriedColumn& carried = fetch->carried[c];
            const int column = carriedColumns[c];
            const bool text = entity.attribute(carried.attribute()).type == AttributeType::Text;
            // The key as kept, where it holds what the attribute holds.
            const SqliteStatement::Kept* key =
                column <= keyCount ? &keys[size_t(column - 1)] : nullptr;
            if (key && key->isText() && text)
                carried.appendText(QByteArrayView(key->bytes.data(), qsizetype(key->bytes.size())));
            else if (key && key->isNumber() && !text)
                carried.appendNumber(key->number);
            else if (statement.isNull(column))
                carried.appendAbsent();
            else if (text)
                carried.appendText(statement.utf8(column));
            else
                carried.appendNumber(statement.real(column));
        }
    }
    if (keysAlone)
        std::sort(fetch->ids.begin(), fetch->ids.end());
    fetch->objects.assign(fetch->ids.size(), nullptr);
    std::vector<qint32> rows(fetch->ids.size());
    std::iota(rows.begin(), rows.end(), 0);
    FetchedRows fetched(std::move(fetch), std::move(rows));
    return flipped ? *fetched.reversed() : fetched;
}

QString ObjectContext::rowSelect(const EntityDescription& entity)
{
    QStringList columns{QStringLiteral("id")};
    for (const AttributeDescription& attribute : entity.attributes()) {
        if (!attribute.loadedOnDemand)
            columns << quoted(attribute.name);
    }
    return QStringLiteral("SELECT %1 FROM %2")
        .arg(columns.join(QLatin1Char(',')), quoted(entity.name()));
}

void ObjectContext::readRows(const EntityDescription& entity, QSqlQuery& query)
{
    QHash<qint64, ManagedObject*>& registered = m_registered[&entity];
    while (query.next()) {
        const qint64 rowId = query.value(0).toLongLong();
        if (registered.contains(rowId))
            continue;
        std::unique_ptr<ManagedObject> made = makeObject(entity);
        made->m_rowId = rowId;
        made->m_order = rowId;
        int column = 1;
        for (int i = 0; i < entity.attributes().size(); ++i) {
            const AttributeDescription& attribute = entity.attribute(i);
            made->m_loaded[i] = !attribute.loadedOnDemand;
            if (!attribute.loadedOnDemand)
                made->m_values[i] = valueFromColumn(attribute.type, query, column++);
        }
        registered.insert(rowId, made.get());
        m_objects.push_back(std::move(made));
    }
}

StoreResult<> ObjectContext::loadRows(const EntityDescription& entity, const QString& where,
                                      const std::function<void(QSqlQuery&)>& bind,
                                      const std::vector<qint64>& rowIds, qsizetype missing)
{
    const QHash<qint64, ManagedObject*>& registered = m_registered[&entity];
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (missing * 2 > qsizetype(rowIds.size())) {
        // Most rows are new: one unordered pass over the matching rows is cheapest.
        if (!query.prepare(rowSelect(entity) + where))
            return Failure{fetchFailure(entity, query)};
        bind(query);
        if (!query.exec())
            return Failure{fetchFailure(entity, query)};
        readRows(entity, query);
        return {};
    }
    // A few rows are new: read just those.
    std::vector<qint64> wanted;
    for (const qint64 rowId : rowIds) {
        if (!registered.contains(rowId))
            wanted.push_back(rowId);
    }
    return makeObjects(entity, wanted);
}

StoreResult<> ObjectContext::makeObjects(const EntityDescription& entity,
                                         const std::vector<qint64>& rowIds)
{
    // A batch of keys at a time, each row read once however often its key is given.
    constexpr size_t BatchSize = 500;
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    for (size_t start = 0; start < rowIds.size(); start += BatchSize) {
        const size_t end = std::min(rowIds.size(), start + BatchSize);
        QStringList marks;
        for (size_t i = start; i < end; ++i)
            marks << QStringLiteral("?");
        if (!query.prepare(rowSelect(entity) +
                           QStringLiteral(" WHERE id IN (%1)").arg(marks.join(QLatin1Char(',')))))
            return Failure{fetchFailure(entity, query)};
        for (size_t i = start; i < end; ++i)
            query.addBindValue(rowIds[i]);
        if (!query.exec())
            return Failure{fetchFailure(entity, query)};
        readRows(entity, query);
    }
    return {};
}

StoreResult<qint64> ObjectContext::count(const FetchRequest& request)
{
    StoreResult<Totals> counted = totals(request, {});
    if (!counted)
        return Failure{counted.error()};
    return counted->count;
}

StoreResult<QVariantList> ObjectContext::distinctValues(const QString& entityName,
                                                        const QString& key)
{
    const EntityDescription* entity = Model::entity(entityName);
    const int index = entity ? entity->indexOf(key) : -1;
    if (index < 0 || entity->attribute(index).type == AttributeType::Bytes)
        return Failure{
            errorAbout(QStringLiteral("No distinct values of %1 in %2").arg(key, entityName))};
    const AttributeType type = entity->attribute(index).type;
    QVariantList values;
    if (hasPendingChanges(*entity)) {
        StoreResult<QList<ManagedObject*>> objects = fetch({entityName, {}, {}});
        if (!objects)
            return Failure{objects.error()};
        QSet<QString> seen;
        for (const ManagedObject* object : *objects) {
            const QVariant value = object->value(index);
            if (value.isValid() && !seen.contains(value.toString())) {
                seen.insert(value.toString());
                values.append(value);
            }
        }
        return values;
    }
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %1 IS NOT NULL")
                        .arg(quoted(key), quoted(entity->name()))))
        return Failure{errorFrom(tr("Reading the %1 values failed").arg(key), query.lastError())};
    while (query.next())
        values.append(valueFromColumn(type, query, 0));
    return values;
}

StoreResult<QVariantList> ObjectContext::sums(const QString& entityName,
                                              const QList<QStringList>& terms)
{
    StoreResult<Totals> summed = totals({entityName, {}, {}}, terms);
    if (!summed)
        return Failure{summed.error()};
    return summed->sums;
}

StoreResult<ObjectContext::Totals> ObjectContext::totals(const FetchRequest& request,
                                                         const QList<QStringList>& terms)
{
    StoreResult<Query> checked = prepared(request);
    if (!checked)
        return Failure{checked.error()};
    const EntityDescription& entity = *checked->entity;
    // Each term's attribute indexes, and whether the term stays whole.
    std::vector<std::vector<int>> indexes;
    std::vector<bool> whole;
    for (const QStringList& term : terms) {
        std::vector<int>& factors = indexes.emplace_back();
        bool allWhole = true;
        for (const QString& key : term) {
            const int index = entity.indexOf(key);
            const AttributeType type =
                index < 0 ? AttributeType::Text : entity.attribute(index).type;
            if (type != AttributeType::Int16 && type != AttributeType::Float)
                return Failure{
                    errorAbout(QStringLiteral("%1 of %2 is not a number").arg(key, entity.name()))};
            allWhole = allWhole && type == AttributeType::Int16;
            factors.push_back(index);
        }
        if (factors.empty())
            return Failure{errorAbout(QStringLiteral("An empty sum of %1").arg(entity.name()))};
        whole.push_back(allWhole);
    }

    Totals result;
    if (hasPendingChanges(entity)) {
        StoreResult<QList<ManagedObject*>> objects = fetch(request);
        if (!objects)
            return Failure{objects.error()};
        result.count = objects->size();
        for (std::size_t t = 0; t < indexes.size(); ++t) {
            qint64 wholeSum = 0;
            double sum = 0.0;
            for (const ManagedObject* object : *objects) {
                if (whole[t]) {
                    qint64 product = 1;
                    for (int index : indexes[t])
                        product *= object->value(index).toLongLong();
                    wholeSum += product;
                } else {
                    double product = 1.0;
                    for (int index : indexes[t])
                        product *= object->value(index).toDouble();
                    sum += product;
                }
            }
            result.sums.append(whole[t] ? QVariant(wholeSum) : QVariant(sum));
        }
        return result;
    }

    // SUM keeps whole numbers whole (and 0 rather than NULL through COALESCE); TOTAL is always
    // a double.
    QStringList columns{QStringLiteral("COUNT(*)")};
    for (std::size_t t = 0; t < indexes.size(); ++t) {
        QStringList factors;
        for (int index : indexes[t])
            factors << quoted(entity.attribute(index).name);
        const QString product = factors.join(QLatin1Char('*'));
        columns << (whole[t] ? QStringLiteral("COALESCE(SUM(%1), 0)").arg(product)
                             : QStringLiteral("TOTAL(%1)").arg(product));
    }
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    const bool prepared = query.prepare(
        QStringLiteral("SELECT %1 FROM %2%3")
            .arg(columns.join(QStringLiteral(", ")), quoted(entity.name()), checked->where));
    if (prepared)
        bindOperands(query, checked->conditions);
    if (!prepared || !query.exec() || !query.next())
        return Failure{errorFrom(
            (terms.isEmpty() ? tr("Count of %1 failed") : tr("The totals of %1 could not be read"))
                .arg(entity.name()),
            query.lastError())};
    result.count = query.value(0).toLongLong();
    for (std::size_t t = 0; t < indexes.size(); ++t) {
        const QVariant value = query.value(int(t) + 1);
        result.sums.append(whole[t] ? QVariant(value.toLongLong()) : QVariant(value.toDouble()));
    }
    return result;
}

ManagedObject* ObjectContext::insertNewObject(const QString& entityName)
{
    const EntityDescription* entity = Model::entity(entityName);
    if (!entity) {
        Console::printLine(QStringLiteral("No entity named %1").arg(entityName));
        return nullptr;
    }
    std::unique_ptr<ManagedObject> made = makeObject(*entity);
    ManagedObject* object = made.get();
    object->m_inserted = true;
    object->m_order = FirstInsertOrder + m_nextInsertOrder++;
    ++m_changeCount;
    m_objects.push_back(std::move(made));
    m_inserted.append(object);
    return object;
}

void ObjectContext::deleteObject(ManagedObject* object)
{
    if (!object || object->m_context != this || object->m_deleted)
        return;
    ++m_changeCount;
    if (object->m_inserted) {
        // Never saved: it simply leaves the context.
        m_inserted.removeOne(object);
        object->m_inserted = false;
        object->m_context = nullptr;
        return;
    }
    object->m_deleted = true;
    m_deleted.append(object);
}

bool ObjectContext::hasChanges() const
{
    return !m_inserted.isEmpty() || !m_updated.isEmpty() || !m_deleted.isEmpty() ||
           !m_newMarkers.isEmpty();
}

StoreResult<bool> ObjectContext::hasMarker(const QString& name)
{
    if (m_newMarkers.contains(name))
        return true;
    QSqlQuery query(m_database);
    const bool prepared = query.prepare(QStringLiteral("SELECT 1 FROM Markers WHERE name = ?"));
    if (prepared)
        query.addBindValue(name);
    if (!prepared || !query.exec())
        return Failure{
            errorFrom(tr("The marker %1 could not be read").arg(name), query.lastError())};
    return query.next();
}

void ObjectContext::setMarker(const QString& name)
{
    if (!m_newMarkers.contains(name))
        m_newMarkers.append(name);
}

void ObjectContext::willChange(ManagedObject& object)
{
    ++m_changeCount;
    if (object.m_inserted || object.m_updated)
        return;
    object.m_committed = object.m_values;
    object.m_committedLoaded = object.m_loaded;
    object.m_updated = true;
    m_updated.append(&object);
}

StoreResult<> ObjectContext::loadAttribute(const QList<ManagedObject*>& objects, const QString& key)
{
    QHash<qint64, ManagedObject*> wanted;
    const EntityDescription* entity = nullptr;
    int index = -1;
    for (ManagedObject* object : objects) {
        if (!object || object->m_context != this)
            continue;
        if (!entity) {
            entity = &object->entity();
            index = entity->indexOf(key);
            if (index < 0)
                break;
        }
        if (&object->entity() == entity && !object->m_loaded[index] && object->m_rowId != 0)
            wanted.insert(object->m_rowId, object);
    }
    if (wanted.isEmpty())
        return {};
    const AttributeDescription& attribute = entity->attribute(index);
    constexpr qsizetype BatchSize = 500;
    const QList<qint64> rowIds = wanted.keys();
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    for (qsizetype start = 0; start < rowIds.size(); start += BatchSize) {
        const qsizetype end = std::min(rowIds.size(), start + BatchSize);
        QStringList marks;
        for (qsizetype i = start; i < end; ++i)
            marks << QStringLiteral("?");
        const bool prepared = query.prepare(
            QStringLiteral("SELECT id, %1 FROM %2 WHERE id IN (%3)")
                .arg(quoted(attribute.name), quoted(entity->name()), marks.join(QLatin1Char(','))));
        if (prepared) {
            for (qsizetype i = start; i < end; ++i)
                query.addBindValue(rowIds.at(i));
        }
        if (!prepared || !query.exec())
            return Failure{
                errorFrom(tr("Reading %1 failed").arg(attribute.name), query.lastError())};
        while (query.next()) {
            ManagedObject* object = wanted.value(query.value(0).toLongLong(), nullptr);
            if (!object)
                continue;
            object->m_values[index] = valueFromColumn(attribute.type, query, 1);
            object->m_loaded[index] = true;
        }
    }
    return {};
}

void ObjectContext::loadAttribute(ManagedObject& object, int attributeIndex)
{
    const EntityDescription& entity = object.entity();
    const AttributeDescription& attribute = entity.attribute(attributeIndex);
    QSqlQuery query(m_database);
    const bool prepared = query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE id = ?")
                                            .arg(quoted(attribute.name), quoted(entity.name())));
    if (prepared)
        query.addBindValue(object.m_rowId);
    if (!prepared || !query.exec() || !query.next()) {
        tellReadFailure(errorFrom(tr("Reading %1 failed").arg(attribute.name), query.lastError()));
        return;
    }
    object.m_values[attributeIndex] = valueFromColumn(attribute.type, query, 0);
    object.m_loaded[attributeIndex] = true;
}

StoreResult<> ObjectContext::save()
{
    if (!hasChanges())
        return {};
    if (m_readOnly)
        return Failure{errorAbout(tr("This collection is read-only: changes cannot be saved"))};
    if (!m_database.transaction())
        return Failure{errorFrom(tr("The store could not start a save"), m_database.lastError())};
    std::vector<std::pair<ManagedObject*, qint64>> newRows;
    StoreError failure;
    bool ok = true;

    // One prepared statement per entity serves every insert of the save.
    QHash<const EntityDescription*, QSqlQuery> inserts;
    for (ManagedObject* object : std::as_const(m_inserted)) {
        const EntityDescription& entity = object->entity();
        auto prepared = inserts.find(&entity);
        if (prepared == inserts.end()) {
            QStringList columns;
            QStringList marks;
            for (const AttributeDescription& attribute : entity.attributes()) {
                columns << quoted(attribute.name);
                marks << QStringLiteral("?");
            }
            prepared = inserts.insert(&entity, QSqlQuery(m_database));
            if (!prepared->prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                       .arg(quoted(entity.name()), columns.join(QLatin1Char(',')),
                                            marks.join(QLatin1Char(','))))) {
                failure = errorFrom(tr("A new %1 could not be saved").arg(entity.name()),
                                    prepared->lastError());
                ok = false;
                break;
            }
        }
        QSqlQuery& query = *prepared;
        for (int i = 0; i < entity.attributes().size(); ++i)
            query.bindValue(i, sqlValue(entity.attribute(i).type, object->m_values[i]));
        if (!query.exec()) {
            failure =
                errorFrom(tr("A new %1 could not be saved").arg(entity.name()), query.lastError());
            ok = false;
            break;
        }
        newRows.emplace_back(object, query.lastInsertId().toLongLong());
    }
    for (ManagedObject* object : std::as_const(m_updated)) {
        if (!ok)
            break;
        if (object->m_deleted || object->m_inserted)
            continue;
        const EntityDescription& entity = object->entity();
        QStringList assignments;
        QVariantList values;
        for (int i = 0; i < entity.attributes().size(); ++i) {
            if (!object->m_loaded[i])
                continue;
            assignments << quoted(entity.attribute(i).name) + QStringLiteral(" = ?");
            values << sqlValue(entity.attribute(i).type, object->m_values[i]);
        }
        QSqlQuery query(m_database);
        const bool prepared =
            query.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE id = ?")
                              .arg(quoted(entity.name()), assignments.join(QLatin1Char(','))));
        if (prepared) {
            for (const QVariant& value : std::as_const(values))
                query.addBindValue(value);
            query.addBindValue(object->m_rowId);
        }
        if (!prepared || !query.exec()) {
            failure = errorFrom(tr("A changed %1 could not be saved").arg(entity.name()),
                                query.lastError());
            ok = false;
        }
    }
    for (ManagedObject* object : std::as_const(m_deleted)) {
        if (!ok)
            break;
        QSqlQuery query(m_database);
        const bool prepared = query.prepare(
            QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(quoted(object->entity().name())));
        if (prepared)
            query.addBindValue(object->m_rowId);
        if (!prepared || !query.exec()) {
            failure = errorFrom(tr("A %1 could not be deleted").arg(object->entity().name()),
                                query.lastError());
            ok = false;
        }
    }
    for (const QString& marker : std::as_const(m_newMarkers)) {
        if (!ok)
            break;
        QSqlQuery query(m_database);
        const bool prepared =
            query.prepare(QStringLiteral("INSERT OR IGNORE INTO Markers (name) VALUES (?)"));
        if (prepared)
            query.addBindValue(marker);
        if (!prepared || !query.exec()) {
            failure =
                errorFrom(tr("The marker %1 could not be saved").arg(marker), query.lastError());
            ok = false;
        }
    }
    if (ok && !m_failNextSave.isEmpty()) {
        failure = errorAbout(m_failNextSave);
        m_failNextSave.clear();
        ok = false;
    }
    if (ok && !m_database.commit()) {
        failure = errorFrom(tr("The save could not be completed"), m_database.lastError());
        ok = false;
    }
    if (!ok) {
        m_database.rollback();
        return Failure{failure};
    }

    for (const auto& [object, rowId] : newRows) {
        object->m_inserted = false;
        object->m_rowId = rowId;
        object->m_order = rowId;
        m_registered[&object->entity()].insert(rowId, object);
    }
    for (ManagedObject* object : std::as_const(m_updated)) {
        object->m_updated = false;
        object->m_committed.clear();
        object->m_committedLoaded.clear();
    }
    for (ManagedObject* object : std::as_const(m_deleted)) {
        m_registered[&object->entity()].remove(object->m_rowId);
        object->m_context = nullptr;
    }
    m_inserted.clear();
    m_updated.clear();
    m_deleted.clear();
    m_newMarkers.clear();
    ++m_changeCount;
    if (m_storeChanged)
        m_storeChanged();
    return {};
}

void ObjectContext::setStoreChangedHandler(std::function<void()> handler)
{
    m_storeChanged = std::move(handler);
}

void ObjectContext::rollback()
{
    ++m_changeCount;
    for (ManagedObject* object : std::as_const(m_inserted)) {
        object->m_inserted = false;
        object->m_context = nullptr;
    }
    for (ManagedObject* object : std::as_const(m_updated)) {
        if (!object->m_committed.empty()) {
            object->m_values = object->m_committed;
            object->m_loaded = object->m_committedLoaded;
        }
        object->m_updated = false;
        object->m_committed.clear();
        object->m_committedLoaded.clear();
    }
    for (ManagedObject* object : std::as_const(m_deleted))
        object->m_deleted = false;
    m_inserted.clear();
    m_updated.clear();
    m_deleted.clear();
    m_newMarkers.clear();
}

void ObjectContext::reloadObjects(const EntityDescription& entity)
{
    ++m_changeCount;
    // The store holds the new rows already; the objects follow below.
    if (m_storeChanged)
        m_storeChanged();
    QHash<qint64, ManagedObject*>& registered = m_registered[&entity];
    if (registered.isEmpty())
        return;
    QSqlQuery query(m_database);
    query.setForwardOnly(true);
    if (!query.prepare(rowSelect(entity) + QStringLiteral(" WHERE id = ?"))) {
        tellReadFailure(fetchFailure(entity, query));
        return;
    }
    QList<qint64> gone;
    for (ManagedObject* object : std::as_const(registered)) {
        if (object->m_updated || object->m_deleted)
            continue;
        query.bindValue(0, object->m_rowId);
        if (!query.exec()) {
            tellReadFailure(fetchFailure(entity, query));
            return;
        }
        if (!query.next()) {
            gone.append(object->m_rowId);
            object->m_context = nullptr;
            continue;
        }
        int column = 1;
        for (int i = 0; i < entity.attributes().size(); ++i) {
            const AttributeDescription& attribute = entity.attribute(i);
            object->m_loaded[i] = !attribute.loadedOnDemand;
            object->m_values[i] = attribute.loadedOnDemand
                                      ? QVariant()
                                      : valueFromColumn(attribute.type, query, column++);
        }
        query.finish();
    }
    for (const qint64 rowId : std::as_const(gone))
        registered.remove(rowId);
}

void ObjectContext::failNextSaveForTesting(const QString& reason)
{
    m_failNextSave = reason;
}

void ObjectContext::tellReadFailure(const StoreError& error) const
{
    if (m_readFailureHandler)
        m_readFailureHandler(error);
    else
        Console::printLine(error.description);
}

void ObjectContext::setReadFailureHandler(FailureHandler handler)
{
    m_readFailureHandler = std::move(handler);
}

StoreError ObjectContext::errorFrom(const QString& description, const QSqlError& sqlError) const
{
    return StoreError::from(description, sqlError, m_database.databaseName());
}

QString ObjectContext::fetchWhat(const EntityDescription& entity)
{
    return tr("Fetch of %1 failed").arg(entity.name());
}

StoreError ObjectContext::fetchFailure(const EntityDescription& entity,
                                       const QSqlQuery& query) const
{
    return errorFrom(fetchWhat(entity), query.lastError());
}

StoreError ObjectContext::errorAbout(const QString& description) const
{
    return StoreError::at(description, m_database.databaseName());
}
