#include "store/DefaultReferenceValues.h"

namespace DefaultReferenceValues {
namespace {

QStringList texts(std::initializer_list<const char*> values)
{
    QStringList list;
    list.reserve(qsizetype(values.size()));
    for (const char* value : values)
        list << QString::fromUtf8(value);
    return list;
}

} // namespace

QStringList centered()
{
    return texts(
        {"Centered", "Bottom Centered", "None", "Top Centered", "Left Centered", "Right Centered"});
}

QStringList conditions()
{
    return texts({"Fine", "Good", "Poor", "Very Fine", "Average", "None"});
}

QStringList countries()
{
    return texts({"Australia",
                  "Belgium",
                  "British Guiana",
                  "Canada",
                  "Denmark",
                  "Europa",
                  "Finland",
                  "France",
                  "Germany",
                  "Italy",
                  "Malta",
                  "Mexico",
                  "Netherlands",
                  "Panama",
                  "Paraguay",
                  "Peru",
                  "Philippines",
                  "Poland",
                  "Portugal",
                  "Portugal - Azores",
                  "Portugal - Madeira",
                  "Puerto Rico",
                  "Qatar",
                  "Romania",
                  "Russia",
                  "Rwanda",
                  "Saar",
                  "Salvador - El",
                  "Saudi Arabia",
                  "Senegal",
                  "Serbia",
                  "Somalia",
                  "Spain",
                  "Sweden",
                  "Switerland",
                  "Syria",
                  "Thialand",
                  "Tibet",
                  "Timor",
                  "Togo",
                  "Tunisia",
                  "Turkey",
                  "United Arab Emirates",
                  "United Kingdom",
                  "United States",
                  "Uruguay",
                  "Vatican City",
                  "Venezuela",
                  "Vietnam Nam",
                  "Yemen",
                  "Yugoslavia",
                  "Zaire",
                  "None"});
}

QStringList faults()
{
    return texts({"Bend", "Change in Color", "Crease", "Hole", "Non-postal Cancellation",
                  "Perforated Initials", "Repair", "Tear", "Thin", "Tone Spots", "None"});
}

QStringList grades()
{
    return texts({"Average", "Fine", "Good", "Poor", "Very Fine", "None"});
}

QStringList gums()
{
    return texts({"Fine", "None", "Original", "Perfect", "Spotty", "Re-gumed"});
}

QStringList margins()
{
    return texts({"Angled", "Bottom Centered", "Bottom-Right Centered", "Bottom-Left Centered",
                  "Top Centered", "Top-Left Centered", "Top-Right Centered", "Left-Top Centered",
                  "Left-Bottom Centered", "Right-Bottom Centered", "None"});
}

QStringList papers()
{
    return texts({"Chalky", "Double", "Goldbeater's Skin", "Granite", "India", "Manila", "Native",
                  "Pelure", "Ribbed", "Silk"});
}

QStringList perforations()
{
    // Each gauge from 3 to 17 with its twelve fractions, then 18 and "None". The gauge 7 row has
    // always carried two values written with a comma; stamps recorded with them rely on it.
    static const char* const fractions[] = {"",   ".1", ".2", ".25", ".3", ".4",
                                            ".5", ".6", ".7", ".75", ".8", ".9"};
    QStringList list;
    for (int gauge = 3; gauge <= 17; ++gauge) {
        for (const char* fraction : fractions)
            list << QString::number(gauge) + QString::fromLatin1(fraction);
    }
    list[list.indexOf(QStringLiteral("7.2"))] = QStringLiteral("7,2");
    list[list.indexOf(QStringLiteral("7.7"))] = QStringLiteral("7,7");
    list << QStringLiteral("18") << QStringLiteral("None");
    return list;
}

QStringList series()
{
    return texts({"None"});
}

QStringList statuses()
{
    return texts({"Had", "Have", "Looking", "Sell", "Trade", "Wish"});
}

} // namespace DefaultReferenceValues
