#pragma once

#include "platform/gui/WebBrowser.h"

#include <QList>

class RecordingWebBrowser final : public WebBrowser
{
public:
    Result<void> open(const QUrl& url) override
    {
        if (!m_failure.isEmpty())
            return Failure{m_failure};
        m_urls.append(url);
        return {};
    }

    const QList<QUrl>& urls() const { return m_urls; }
    // The next pages fail with this text; an empty text lets them open again.
    void setFailure(const QString& reason) { m_failure = reason; }

private:
    QList<QUrl> m_urls;
    QString m_failure;
};
