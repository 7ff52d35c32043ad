#include "platform/gui/WindowKeys.h"

namespace {

QList<QKeySequence>& takenKeys()
{
    static QList<QKeySequence> keys;
    return keys;
}

} // namespace

namespace WindowKeys {

void take(const QList<QKeySequence>& keys)
{
    takenKeys() = keys;
}

void release()
{
    takenKeys().clear();
}

bool taken(const QKeySequence& keys)
{
    return takenKeys().contains(keys);
}

} // namespace WindowKeys
