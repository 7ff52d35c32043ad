#pragma once

#include "store/StoreError.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <optional>

class QSqlDatabase;

// The collection's figures: its totals, and its stamps grouped by country, by status and by year
// of issue. Every figure is added up by SQLite (GROUP BY) from the saved store, so no stamp record
// is made however large the collection. Unsaved changes are not seen: the statistics are opened
// from the main menu, where every change has been saved or rolled back.
class CollectionStatistics final
{
    Q_DECLARE_TR_FUNCTIONS(CollectionStatistics)

public:
    // What a set of stamps adds up to: its rows, the stamps held (the sum of the quantities) and
    // cost and value weighted by quantity, as the valuation screen adds up the collection's
    // value. A stamp held none of counts as a row and adds nothing else.
    struct Sums
    {
        qint64 stamps = 0;
        qint64 held = 0;
        double cost = 0.0;
        double value = 0.0;

        double valueMinusCost() const { return value - cost; }
        Sums& operator+=(const Sums& other);
    };
    // The stamps that share one text (a country, a status). Absent and empty texts are one group,
    // with the empty key.
    struct Group
    {
        QString key;
        Sums sums;
    };
    struct Year
    {
        int year = 0;
        Sums sums;
    };
    // The stamps held of a decade, which starts at `first` (a multiple of ten: -10 holds the
    // years -10 to -1). Year 0 is the store's year of a stamp whose year was never given: it
    // belongs to no decade, and its stamps are a decade of their own without `first`.
    struct Decade
    {
        std::optional<int> first;
        qint64 held = 0;
    };
    // One bar of a chart.
    struct Bar
    {
        QString label;
        double amount = 0.0;
    };
    enum class Measure
    {
        Held,
        Value
    };

    // How many groups a chart shows before the rest are summed as one bar, "Other".
    static constexpr qsizetype ShownGroups = 15;

    // Reads every figure from the store; a store that refuses a query is said with its reason.
    static StoreResult<CollectionStatistics> read(const QSqlDatabase& store);

    bool isEmpty() const { return totals.stamps == 0; }

    // The decades that hold stamps, in order, the stamps without a year last.
    QList<Decade> decades() const;
    // The years from year 1 on that have a cost or a value, in order. Year 0 is no year given and
    // a year below it a slip of the keyboard: on a time line either would squeeze every real
    // year into a corner. Both are still in the totals and the decades.
    QList<Year> datedYears() const;

    // The groups with something of `measure`, largest first (ties by key), the first
    // `ShownGroups` each a bar and the rest summed in one bar "Other". Absent texts are labelled
    // `absentLabel`.
    static QList<Bar> ranked(const QList<Group>& groups, Measure measure,
                             const QString& absentLabel);

    // The first year of the decade that holds `year` (1840 for 1845, -10 for -5).
    static int decadeOf(int year);
    // "1840s"; "(No Year)" for the stamps without a year.
    static QString decadeLabel(const Decade& decade);

    Sums totals;
    // In the order of their keys, the empty key first.
    QList<Group> countries;
    QList<Group> statuses;
    // Every year that has stamps, year 0 included, in order.
    QList<Year> years;
};
