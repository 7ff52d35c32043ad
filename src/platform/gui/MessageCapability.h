#pragma once

// Whether a text message can be handed on from this device.
class MessageCapability
{
public:
    virtual ~MessageCapability() = default;

    virtual bool canSendText() const = 0;
};

// The share sheet can always hand a text on (copy, save, mail).
class ShareSheetMessageCapability final : public MessageCapability
{
public:
    bool canSendText() const override;
};
