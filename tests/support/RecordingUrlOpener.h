#pragma once

#include "platform/gui/UrlOpener.h"

#include <QList>

class RecordingUrlOpener final : public UrlOpener
{
public:
    Result<void> open(const QUrl& url) override
    {
        m_urls.append(url);
        return {};
    }

    const QList<QUrl>& urls() const { return m_urls; }

private:
    QList<QUrl> m_urls;
};
