#pragma once

#include "platform/core/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct MailAttachment
{
    QByteArray data;
    QString mimeType;
    QString fileName;
};

struct MailMessage
{
    QStringList toRecipients;
    QString subject;
    QString body;
    bool bodyIsHtml = false;
    QList<MailAttachment> attachments;
};

// Hands a prepared mail to the collector's mail program, which sends it.
class MailComposer
{
public:
    virtual ~MailComposer() = default;

    virtual bool canSendMail() const = 0;
    // False when the mail program could not be given the mail; lastError() then says why.
    virtual bool present(const MailMessage& message) = 0;
    virtual QString lastError() const = 0;
};

// Through xdg-email, which opens the desktop's preferred mail program with the mail filled in.
class XdgMailComposer final : public MailComposer
{
public:
    bool canSendMail() const override;
    bool present(const MailMessage& message) override;
    QString lastError() const override { return m_lastError; }

    // The arguments for xdg-email, recipients last.
    static QStringList arguments(const MailMessage& message, const QStringList& attachmentPaths);
    // xdg-email takes plain text only.
    static QString plainBody(const MailMessage& message);
    // Writes each attachment into folder and returns the paths in order.
    static Result<QStringList> writeAttachments(const MailMessage& message, const QString& folder);

private:
    static QString program();

    QString m_lastError;
};
