#pragma once

#include "platform/gui/MailComposer.h"

// Stands in for the mail program: keeps each mail handed to it.
class RecordingMailComposer final : public MailComposer
{
public:
    bool canSendMail() const override { return m_canSendMail; }
    Result<void> present(const MailMessage& message) override;

    void setCanSendMail(bool canSendMail) { m_canSendMail = canSendMail; }
    // The next presents fail with this text; an empty text lets them succeed again.
    void setFailure(const QString& error) { m_failure = error; }
    const QList<MailMessage>& messages() const { return m_messages; }

private:
    bool m_canSendMail = true;
    QString m_failure;
    QList<MailMessage> m_messages;
};
