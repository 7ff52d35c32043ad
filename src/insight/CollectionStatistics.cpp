#include "insight/CollectionStatistics.h"

#include "store/SqliteStatement.h"

#include <algorithm>
#include <map>

namespace {

// The sums of a set of stamps, as the valuation screen's totals are summed: whole quantities stay
// whole (0 rather than NULL for no rows), cost and value are weighted by quantity.
const char SumsColumns[] =
    "COUNT(*), COALESCE(SUM(quantity), 0), TOTAL(cost * quantity), TOTAL(value * quantity)";

// The four sums, from `first` on, of the statement's row.
CollectionStatistics::Sums sumsOf(const SqliteStatement& row, int first)
{
    return {row.integer(first), row.integer(first + 1), row.real(first + 2), row.real(first + 3)};
}

// Every row of `sql`, handed to `take`.
template <class Take>
StoreResult<> eachRow(const QSqlDatabase& store, const QString& sql, const QString& what, Take take)
{
    StoreResult<SqliteStatement> statement = SqliteStatement::prepare(store, sql, {}, what);
    if (!statement)
        return Failure{statement.error()};
    SqliteStatement& rows = statement.value();
    for (;;) {
        const StoreResult<bool> stepped = rows.step();
        if (!stepped)
            return Failure{stepped.error()};
        if (!*stepped)
            return {};
        take(rows);
    }
}

QString textOf(const SqliteStatement& row, int column)
{
    const QByteArrayView utf8 = row.utf8(column);
    return QString::fromUtf8(utf8.data(), utf8.size());
}

bool hasMeasure(const CollectionStatistics::Group& group, CollectionStatistics::Measure measure)
{
    return measure == CollectionStatistics::Measure::Held ? group.sums.held != 0
                                                          : group.sums.value != 0.0;
}

double amountOf(const CollectionStatistics::Group& group, CollectionStatistics::Measure measure)
{
    return measure == CollectionStatistics::Measure::Held ? double(group.sums.held)
                                                          : group.sums.value;
}

} // namespace

CollectionStatistics::Sums& CollectionStatistics::Sums::operator+=(const Sums& other)
{
    stamps += other.stamps;
    held += other.held;
    cost += other.cost;
    value += other.value;
    return *this;
}

StoreResult<CollectionStatistics> CollectionStatistics::read(const QSqlDatabase& store)
{
    CollectionStatistics statistics;
    const StoreResult<> totals = eachRow(
        store, QStringLiteral("SELECT %1 FROM Stamps").arg(QString::fromLatin1(SumsColumns)),
        tr("The collection's totals could not be read"),
        [&statistics](const SqliteStatement& row) { statistics.totals = sumsOf(row, 0); });
    if (!totals)
        return Failure{totals.error()};

    // Grouped by country and status together, each group's sums then added into its country's
    // and its status's: one pass over the table serves both charts. NOT INDEXED: the indexes
    // that start with either hold no cost, so walking one in order would read the table a row at
    // a time; one pass over the table and a sort of its keys is several times faster. Absent and
    // empty texts are grouped as one.
    std::map<QString, Sums> statuses;
    const StoreResult<> groups =
        eachRow(store,
                QStringLiteral("SELECT COALESCE(country, ''), COALESCE(status, ''), %1 FROM Stamps "
                               "NOT INDEXED GROUP BY 1, 2 ORDER BY 1, 2")
                    .arg(QString::fromLatin1(SumsColumns)),
                tr("The stamps by country and status could not be read"),
                [&statistics, &statuses](const SqliteStatement& row) {
                    const QString country = textOf(row, 0);
                    const Sums sums = sumsOf(row, 2);
                    QList<Group>& countries = statistics.countries;
                    if (countries.isEmpty() || countries.last().key != country)
                        countries.append({country, {}});
                    countries.last().sums += sums;
                    statuses[textOf(row, 1)] += sums;
                });
    if (!groups)
        return Failure{groups.error()};
    for (const auto& [status, sums] : statuses)
        statistics.statuses.append({status, sums});

    // The decades are made of these, so the table is read once for both. NOT INDEXED as above.
    const StoreResult<> years = eachRow(
        store,
        QStringLiteral("SELECT yearOfIssue, %1 FROM Stamps NOT INDEXED GROUP BY yearOfIssue "
                       "ORDER BY yearOfIssue")
            .arg(QString::fromLatin1(SumsColumns)),
        tr("The stamps by year of issue could not be read"),
        [&statistics](const SqliteStatement& row) {
            statistics.years.append({int(row.integer(0)), sumsOf(row, 1)});
        });
    if (!years)
        return Failure{years.error()};
    return statistics;
}

int CollectionStatistics::decadeOf(int year)
{
    // Down to the decade's first year, also below zero, where % truncates towards zero.
    const int intoDecade = ((year % 10) + 10) % 10;
    return year - intoDecade;
}

QList<CollectionStatistics::Decade> CollectionStatistics::decades() const
{
    std::map<int, qint64> dated;
    qint64 undated = 0;
    for (const Year& year : years) {
        if (year.year == 0)
            undated += year.sums.held;
        else
            dated[decadeOf(year.year)] += year.sums.held;
    }
    QList<Decade> decades;
    for (const auto& [first, held] : dated) {
        if (held != 0)
            decades.append({first, held});
    }
    if (undated != 0)
        decades.append({std::nullopt, undated});
    return decades;
}

QList<CollectionStatistics::Year> CollectionStatistics::datedYears() const
{
    QList<Year> dated;
    for (const Year& year : years) {
        if (year.year > 0 && (year.sums.cost != 0.0 || year.sums.value != 0.0))
            dated.append(year);
    }
    return dated;
}

QList<CollectionStatistics::Bar> CollectionStatistics::ranked(const QList<Group>& groups,
                                                              Measure measure,
                                                              const QString& absentLabel)
{
    QList<const Group*> measured;
    for (const Group& group : groups) {
        if (hasMeasure(group, measure))
            measured.append(&group);
    }
    std::stable_sort(measured.begin(), measured.end(),
                     [measure](const Group* left, const Group* right) {
                         const double a = amountOf(*left, measure);
                         const double b = amountOf(*right, measure);
                         return a != b ? a > b : left->key < right->key;
                     });
    QList<Bar> bars;
    double rest = 0.0;
    for (qsizetype i = 0; i < measured.size(); ++i) {
        const Group& group = *measured.at(i);
        if (i < ShownGroups)
            bars.append({group.key.isEmpty() ? absentLabel : group.key, amountOf(group, measure)});
        else
            rest += amountOf(group, measure);
    }
    if (measured.size() > ShownGroups)
        bars.append({tr("Other"), rest});
    return bars;
}

QString CollectionStatistics::decadeLabel(const Decade& decade)
{
    if (!decade.first)
        return tr("(No Year)");
    return tr("%1s", "a decade: 1840s").arg(*decade.first);
}
