#pragma once

#include <QtGlobal>
#include <functional>

// Told as long work goes on (a report, an export, an import): `done` of `total` steps. Returning
// false cancels the work; an empty function lets it run to the end.
using WorkProgress = std::function<bool(qsizetype done, qsizetype total)>;

// How long work that the collector may stop ended.
enum class WorkEnd
{
    Finished,
    Cancelled
};
