#pragma once

#include <QString>

// The diagnostic console: standard error, one plain line per message, no prefixes.
namespace Console {
void printLine(const QString& line);
}
