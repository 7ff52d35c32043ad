#include "store/StampGroups.h"

#include "store/Entities.h"

Predicate StampGroup::predicate(const QString& value) const
{
    return Predicate::format(QString::fromLatin1(predicateFormat), value);
}

QList<SortDescriptor> StampGroup::order(bool ascending) const
{
    return {{QString::fromLatin1(key), ascending}, {QString::fromLatin1(secondSortKey), ascending}};
}

QString StampGroup::valueOf(const Stamps& stamp) const
{
    const QVariant value = stamp.value(QString::fromLatin1(key));
    // An absent text reads as an invalid QVariant, whose text is the empty text.
    return value.toString();
}

namespace StampGroups {

const StampGroup Year = {"year", "yearOfIssue", "yearOfIssue == %@", "denomination"};
const StampGroup Country = {"country", "country", "country == %@", "denomination"};
const StampGroup Denomination = {"denomination", "denomination", "denomination == %@",
                                 "yearOfIssue"};
const StampGroup ScottNumber = {"scott", "scottNumber", "scottNumber == %@", "yearOfIssue"};
const StampGroup Status = {"status", "status", "status == %@", "denomination"};

const QList<const StampGroup*>& all()
{
    static const QList<const StampGroup*> groups = {&Year, &Country, &Denomination, &ScottNumber,
                                                    &Status};
    return groups;
}

const StampGroup* named(const QString& name)
{
    for (const StampGroup* group : all()) {
        if (name == QLatin1String(group->name))
            return group;
    }
    return nullptr;
}

} // namespace StampGroups
