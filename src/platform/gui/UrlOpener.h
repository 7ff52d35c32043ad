#pragma once

#include "platform/core/Result.h"

#include <QString>
#include <QUrl>

// Opens an address outside the application (a store page, a mail address).
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;

    // Hands the address on; a failure says why it could not be.
    virtual Result<void> open(const QUrl& url) = 0;
};

class DesktopUrlOpener final : public UrlOpener
{
public:
    Result<void> open(const QUrl& url) override;
};

namespace DesktopOpening {
// Hands url to the desktop; an invalid or relative address is refused. A failure's reason names
// what was to open it ("browser"), and is told on the console as well.
Result<void> openUrl(const QUrl& url, const QString& opener);
} // namespace DesktopOpening
