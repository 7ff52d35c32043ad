#pragma once

#include <QUrl>

// Shows a web page to the collector without leaving the task at hand.
class WebBrowser
{
public:
    virtual ~WebBrowser() = default;

    virtual void open(const QUrl& url) = 0;
};

// There is no browser inside the application here: the desktop's default browser shows the page.
class DesktopWebBrowser final : public WebBrowser
{
public:
    void open(const QUrl& url) override;
};
