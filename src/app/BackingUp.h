#pragma once

#include "platform/core/Result.h"

#include <QString>

struct Environment;

// A backup the collector asks for (Settings' "Back Up Now", File > Back Up Now): the store copied
// into Backups/ as before an import, keeping as many as the settings say, under the wait cursor.
namespace BackingUp {

// The backup's path, or why none was made.
Result<QString> now(Environment& environment);

} // namespace BackingUp
