#pragma once

#include "platform/gui/ShareSheet.h"

class RecordingShareSheet final : public ShareSheet
{
public:
    void present(const ShareRequest& request) override { m_requests.append(request); }

    const QList<ShareRequest>& requests() const { return m_requests; }
    void clear() { m_requests.clear(); }

private:
    QList<ShareRequest> m_requests;
};
