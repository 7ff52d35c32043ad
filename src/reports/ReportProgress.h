#pragma once

#include <QtGlobal>
#include <functional>

// Told as a long report is built or written: `done` of `total` steps. Returning false cancels
// the work; an empty function lets it run to the end.
using ReportProgress = std::function<bool(qsizetype done, qsizetype total)>;
