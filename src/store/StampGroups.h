#pragma once

#include "store/Predicate.h"

#include <QList>
#include <QString>

class Stamps;

// A key the collection is grouped by: a group is the stamps that share one value of it.
struct StampGroup
{
    const char* name;            // "year": how the command line names the group
    const char* key;             // "yearOfIssue": the Stamps attribute
    const char* predicateFormat; // "yearOfIssue == %@"
    const char* secondSortKey;   // the order of the stamps within one group

    // The stamps of one value; a year is given as its decimal text.
    Predicate predicate(const QString& value) const;
    // The order of a group's stamps: the key, then the second key, both in one direction.
    QList<SortDescriptor> order(bool ascending) const;
    // The stamp's value of the key as text: a year in decimal, an absent text as the empty text.
    QString valueOf(const Stamps& stamp) const;
};

namespace StampGroups {

extern const StampGroup Year;
extern const StampGroup Country;
extern const StampGroup Denomination;
extern const StampGroup ScottNumber;
extern const StampGroup Status;

// The five, in the order above.
const QList<const StampGroup*>& all();
// nullptr when no group has that name.
const StampGroup* named(const QString& name);

} // namespace StampGroups
