#include "platform/gui/WebBrowser.h"

#include "platform/gui/UrlOpener.h"

void DesktopWebBrowser::open(const QUrl& url)
{
    DesktopOpening::openUrl(url, QStringLiteral("browser"));
}
