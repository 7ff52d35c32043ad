#pragma once

#include "platform/gui/UrlOpener.h"

#include <QList>

class RecordingUrlOpener final : public UrlOpener
{
public:
    void open(const QUrl& url) override { m_urls.append(url); }

    const QList<QUrl>& urls() const { return m_urls; }

private:
    QList<QUrl> m_urls;
};
