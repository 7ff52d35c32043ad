#include "platform/gui/WebBrowser.h"

#include "platform/gui/UrlOpener.h"

#include <QCoreApplication>

Result<void> DesktopWebBrowser::open(const QUrl& url)
{
    return DesktopOpening::openUrl(url, QCoreApplication::translate("WebBrowser", "browser"));
}
