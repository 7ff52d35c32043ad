#pragma once

#include "platform/gui/WebBrowser.h"

#include <QList>

class RecordingWebBrowser final : public WebBrowser
{
public:
    void open(const QUrl& url) override { m_urls.append(url); }

    const QList<QUrl>& urls() const { return m_urls; }

private:
    QList<QUrl> m_urls;
};
