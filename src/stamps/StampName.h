#pragma once

#include "store/Entities.h"

#include <QString>
#include <QStringList>

namespace StampName {

// What the collector knows a stamp by: "5c Canada 1962" (its denomination, country and year,
// those it has); empty for a stamp with none of them.
inline QString of(const Stamps& stamp)
{
    QStringList names;
    for (const std::optional<QString>& text : {stamp.denomination(), stamp.country()}) {
        if (text && !text->isEmpty())
            names << *text;
    }
    if (stamp.yearOfIssue() != 0)
        names << QString::number(stamp.yearOfIssue());
    return names.join(u' ');
}

} // namespace StampName
