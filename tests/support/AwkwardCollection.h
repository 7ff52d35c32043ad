#pragma once

#include "store/ObjectContext.h"

#include <QList>

// A generated collection whose values are what sorting and searching trip over: absent and empty
// texts, non-ASCII and case pairs, negative years, tiny and equal values, and many stamps equal on
// every sort key, so ties decide much of the order.
namespace AwkwardCollection {

// Inserts `count` such stamps (unsaved), the same ones for the same seed.
QList<Stamps*> add(ObjectContext& context, int count, quint32 seed = 1206);

// The stamp list's four orders, most significant key first.
QList<QStringList> listOrders();

} // namespace AwkwardCollection
