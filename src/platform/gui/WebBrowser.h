#pragma once

#include "platform/core/Result.h"

#include <QUrl>

// Shows a web page to the collector without leaving the task at hand.
class WebBrowser
{
public:
    virtual ~WebBrowser() = default;

    // Shows the page; a failure says why it could not be shown.
    virtual Result<void> open(const QUrl& url) = 0;
};

// There is no browser inside the application here: the desktop's default browser shows the page.
class DesktopWebBrowser final : public WebBrowser
{
public:
    Result<void> open(const QUrl& url) override;
};
