#pragma once

#include <QString>
#include <QUrl>

// Opens an address outside the application (a store page, a mail address).
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;

    virtual void open(const QUrl& url) = 0;
};

class DesktopUrlOpener final : public UrlOpener
{
public:
    void open(const QUrl& url) override;
};

namespace DesktopOpening {
// Hands url to the desktop; an invalid or relative address is refused. Either failure is told on
// the console, naming what was to open it ("browser"). True when handed on.
bool openUrl(const QUrl& url, const QString& opener);
} // namespace DesktopOpening
