#pragma once

#include "store/StoreError.h"

#include <utility>

struct Environment;

// Reading as every screen does it: what the store cannot hand over is told to the collector
// ("Collection not Read" with the reason) and read as nothing, so the screen shows what it has
// and nothing is written back in its place.
namespace Reading {

void tellNotRead(Environment& environment, const StoreError& error);

// The value read, or an empty one after telling the collector why there is none.
template <class T> T orTell(Environment& environment, StoreResult<T> result)
{
    if (result)
        return std::move(result).value();
    tellNotRead(environment, result.error());
    return T{};
}

// Values read on demand (a picture, as a row is painted) that the store cannot hand over are
// told too, once the event loop is back and one alert for a run of them.
void tellOnDemandFailures(Environment& environment);

} // namespace Reading
