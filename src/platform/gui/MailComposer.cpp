#include "platform/gui/MailComposer.h"

#include "platform/core/FilePrivacy.h"
#include "platform/gui/HandoverFiles.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTextDocument>

QString XdgMailComposer::program()
{
    return QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
}

bool XdgMailComposer::canSendMail() const
{
    return !program().isEmpty();
}

QString XdgMailComposer::plainBody(const MailMessage& message)
{
    if (!message.bodyIsHtml)
        return message.body;
    QTextDocument document;
    document.setHtml(message.body);
    return document.toPlainText();
}

QStringList XdgMailComposer::arguments(const MailMessage& message,
                                       const QStringList& attachmentPaths)
{
    QStringList args{QStringLiteral("--utf8")};
    if (!message.subject.isEmpty())
        args << QStringLiteral("--subject") << message.subject;
    const QString body = plainBody(message);
    if (!body.isEmpty())
        args << QStringLiteral("--body") << body;
    for (const QString& path : attachmentPaths)
        args << QStringLiteral("--attach") << path;
    // A recipient that looks like an option would be read as one.
    for (const QString& recipient : message.toRecipients)
        if (!recipient.trimmed().isEmpty() && !recipient.startsWith(QLatin1Char('-')))
            args << recipient.trimmed();
    return args;
}

Result<QStringList> XdgMailComposer::writeAttachments(const MailMessage& message,
                                                      const QString& folder)
{
    QStringList paths;
    for (const MailAttachment& attachment : message.attachments) {
        Result<QString> path = HandoverFiles::write(folder, attachment.fileName, attachment.data);
        if (!path)
            return Failure{path.error()};
        paths << std::move(path).value();
    }
    return paths;
}

Result<void> XdgMailComposer::present(const MailMessage& message)
{
    const QString xdgEmail = program();
    if (xdgEmail.isEmpty())
        return Failure{QCoreApplication::translate(
            "MailComposer", "No mail program was found: xdg-email is not installed.")};

    QStringList paths;
    if (!message.attachments.isEmpty()) {
        const Result<QString> folder = HandoverFiles::newFolder();
        if (!folder)
            return Failure{folder.error()};
        Result<QStringList> written = writeAttachments(message, *folder);
        if (!written)
            return Failure{written.error()};
        paths = std::move(written).value();
    }

    if (!FilePrivacy::startDetached(xdgEmail, arguments(message, paths)))
        return Failure{QCoreApplication::translate("MailComposer",
                                                   "The mail program could not be started (%1).")
                           .arg(xdgEmail)};
    return {};
}
