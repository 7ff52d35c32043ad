#include "platform/gui/UrlOpener.h"

#include "platform/core/Console.h"

#include <QDesktopServices>

namespace DesktopOpening {

bool openUrl(const QUrl& url, const QString& opener)
{
    // A relative address would be taken as a file beside the working folder.
    if (!url.isValid() || url.isRelative()) {
        Console::printLine(
            QStringLiteral("Not opening \"%1\" in the %2: it is not a complete address.")
                .arg(url.toString(), opener));
        return false;
    }
    if (!QDesktopServices::openUrl(url)) {
        Console::printLine(
            QStringLiteral("The %1 could not open %2.").arg(opener, url.toDisplayString()));
        return false;
    }
    return true;
}

} // namespace DesktopOpening

void DesktopUrlOpener::open(const QUrl& url)
{
    DesktopOpening::openUrl(url, QStringLiteral("default application"));
}
