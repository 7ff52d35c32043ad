#include "platform/core/Console.h"

#include <QDebug>

namespace Console {

void printLine(const QString& line)
{
    // Routed through Qt's message handler so tests can read the lines; the default handler writes
    // the text alone to standard error.
    qInfo().noquote() << line;
}

} // namespace Console
