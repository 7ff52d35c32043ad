#pragma once

#include "platform/gui/UrlOpener.h"

#include <QUrl>

// Shows a web page to the collector without leaving the task at hand.
class WebBrowser
{
public:
    virtual ~WebBrowser() = default;

    // Shows the page; a page that cannot be shown is told to the collector ("Could Not Open").
    virtual void open(const QUrl& url) = 0;
};

// There is no browser inside the application here: the desktop's default browser shows the page.
class DesktopWebBrowser final : public WebBrowser
{
public:
    explicit DesktopWebBrowser(AlertPresenter& alerts);

    void open(const QUrl& url) override { m_opener.open(url); }

private:
    DesktopOpener m_opener;
};
