#pragma once

#include <QList>
#include <QString>
#include <QVariant>

class Stamps;

// The columns of a table of stamps: what each is called, which attribute the store sorts it by,
// and how a stamp's value shows in it. Column 0 is the card (picture and labels) the card list
// shows; the table shows the others.
namespace StampColumns {

enum Column
{
    Card,
    Picture,
    Country,
    ScottNumber,
    Denomination,
    Year,
    Description,
    Condition,
    Grade,
    Status,
    Quantity,
    Cost,
    Value,
    Total,
    Count
};

QString title(int column);
// The attribute the column sorts by; empty for a column that cannot be sorted (the picture).
QString sortKey(int column);
// The column that shows the attribute; -1 when none does.
int columnOf(const QString& sortKey);
// Numbers are right-aligned.
bool isNumber(int column);
// The stamp's value as the column shows it: numbers in the locale's format.
QString text(const Stamps& stamp, int column);
// A quantity of 0 counts as one copy, as in every total.
double total(const Stamps& stamp);

// Rows of stamps as tab-separated text, a header row first, lines ending in a line feed: what a
// spreadsheet pastes into columns. Tabs and line breaks inside a value become spaces, so each
// value stays in its cell.
QString tabSeparated(const QList<const Stamps*>& stamps, const QList<int>& columns);

} // namespace StampColumns
