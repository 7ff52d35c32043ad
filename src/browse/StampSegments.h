#pragma once

#include "browse/StampSearch.h"
#include "store/Predicate.h"

#include <QList>
#include <QStringList>

class Preferences;

// The segments a list of all stamps is searched and sorted by: "Name", "Year", "Scott #",
// "Value". Each chooses what the search matches and the order the stamps show in.
namespace StampSegments {

struct Segment
{
    const char* title;       // the segment's text
    const char* placeholder; // the search field's
    // The four sort keys, most significant first.
    const char* sortKeys[4];
    StampSearch::Attribute searched;
};

int count();
// nullptr for an index that is no segment (none chosen).
const Segment* at(int index);
// The segments' texts, translated, in order.
QStringList titles();
QString placeholder(const Segment& segment);
// The segment's keys in one direction, the Scott number as the collector chose.
QList<SortDescriptor> order(const Segment& segment, bool ascending, const Preferences& preferences);
// The segment whose first key is `key`; -1 when none.
int withFirstKey(const QString& key);

} // namespace StampSegments
