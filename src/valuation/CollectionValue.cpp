#include "valuation/CollectionValue.h"

#include "store/Entities.h"
#include "store/ObjectContext.h"

StoreResult<CollectionValue> CollectionValue::of(ObjectContext& context)
{
    const StoreResult<QVariantList> sums = context.sums(
        QString::fromLatin1(Stamps::EntityName),
        {{QStringLiteral("quantity")}, {QStringLiteral("value"), QStringLiteral("quantity")}});
    if (!sums)
        return Failure{sums.error()};
    return CollectionValue{sums->at(0).toLongLong(), sums->at(1).toDouble()};
}
