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
    // Hands the mail over; a failure says why the mail program could not be given it.
    virtual Result<void> present(const MailMessage& message) = 0;
};

// Through xdg-email, which opens the desktop's preferred mail program with the mail filled in.
class XdgMailComposer final : public MailComposer
{
public:
    bool canSendMail() const override;
    Result<void> present(const MailMessage& message) override;

    // The arguments for xdg-email, recipients last.
    static QStringList arguments(const MailMessage& message, const QStringList& attachmentPaths);
    // xdg-email takes plain text only.
    static QString plainBody(const MailMessage& message);
    // Writes each attachment into folder and returns the paths in order.
    static Result<QStringList> writeAttachments(const MailMessage& message, const QString& folder);

private:
    static QString program();
};
