#pragma once

#include "ModelTexts.h"
#include "TestEnvironment.h"
#include "browse/StampRowModel.h"
#include "store/ObjectContext.h"

#include <QAbstractItemModel>

// Stamps made for one case, and the texts a table shows for them.
namespace BrowseFixture {

struct StampValues
{
    StampValues(QString denomination, qint16 year = 0, QString scottNumber = {}, float value = 0,
                qint16 quantity = 1, QString country = QStringLiteral("Malta"))
        : denomination(std::move(denomination)), year(year), scottNumber(std::move(scottNumber)),
          value(value), quantity(quantity), country(std::move(country))
    {}
    QString denomination;
    qint16 year;
    QString scottNumber;
    float value;
    qint16 quantity;
    QString country;
};

inline Stamps* add(ObjectContext& context, const StampValues& values)
{
    auto* stamp = context.insertNewObject<Stamps>();
    stamp->setDenomination(values.denomination);
    stamp->setYearOfIssue(values.year);
    stamp->setScottNumber(values.scottNumber);
    stamp->setValue(values.value);
    stamp->setQuantity(values.quantity);
    stamp->setCountry(values.country);
    return stamp;
}

// One role of every row, in the order shown.
} // namespace BrowseFixture
