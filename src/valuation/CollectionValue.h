#pragma once

#include "store/StoreError.h"

#include <QtGlobal>

class ObjectContext;

// What the collection holds and is worth, added up by the store without reading the records:
// the stamps held (every stamp's quantity) and their value (each value times its quantity).
struct CollectionValue
{
    qint64 stampsHeld = 0;
    double value = 0;

    static StoreResult<CollectionValue> of(ObjectContext& context);
};
