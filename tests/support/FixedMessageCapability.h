#pragma once

#include "platform/gui/MessageCapability.h"

class FixedMessageCapability final : public MessageCapability
{
public:
    explicit FixedMessageCapability(bool canSendText = true) : m_canSendText(canSendText) {}

    bool canSendText() const override { return m_canSendText; }
    void setCanSendText(bool canSendText) { m_canSendText = canSendText; }

private:
    bool m_canSendText;
};
