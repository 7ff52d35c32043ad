#include "platform/gui/UrlOpener.h"

#include "platform/core/Console.h"

#include <QCoreApplication>
#include <QDesktopServices>

namespace DesktopOpening {

Result<void> openUrl(const QUrl& url, const QString& opener)
{
    // A relative address would be taken as a file beside the working folder.
    const QString reason =
        !url.isValid() || url.isRelative()
            ? QCoreApplication::translate("UrlOpener",
                                          "Not opening \"%1\" in the %2: it is not a complete "
                                          "address.")
                  .arg(url.toString(), opener)
        : !QDesktopServices::openUrl(url)
            ? QCoreApplication::translate("UrlOpener", "The %1 could not open %2.")
                  .arg(opener, url.toDisplayString())
            : QString();
    if (reason.isEmpty())
        return {};
    // Also on the console, for a report of what the desktop refused.
    Console::printLine(reason);
    return Failure{reason};
}

} // namespace DesktopOpening

Result<void> DesktopUrlOpener::open(const QUrl& url)
{
    return DesktopOpening::openUrl(url,
                                   QCoreApplication::translate("UrlOpener", "default application"));
}
