#include "platform/gui/ShareActions.h"

#include "platform/core/Console.h"
#include "platform/core/Pictures.h"
#include "platform/gui/HandoverFiles.h"

#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QMimeData>
#include <QMimeDatabase>
#include <QSaveFile>
#include <algorithm>
#include <memory>

namespace ShareActions {

namespace {

// A photo handed on keeps its detail at a fraction of the size of a lossless file.
constexpr double handoverJpegQuality = 0.9;

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QString nativePath(const ShareItem& item)
{
    return QDir::toNativeSeparators(item.fileUrl().toLocalFile());
}

bool readFile(const QString& path, QByteArray* data, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, QCoreApplication::translate("ShareActions", "%1 could not be read: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    *data = file.readAll();
    return true;
}

bool isLocalFile(const ShareItem& item, QString* error)
{
    if (!item.fileUrl().isLocalFile()) {
        setError(error,
                 QCoreApplication::translate("ShareActions", "%1 is not a file on this computer.")
                     .arg(item.fileUrl().toDisplayString()));
        return false;
    }
    return true;
}

// Encoded, so the text works wherever it is pasted.
QString addressText(const ShareItem& item)
{
    return item.address().toString(QUrl::FullyEncoded);
}

// A relative address would be taken as a file beside the working folder.
bool addressIsUsable(const ShareItem& item, QString* error)
{
    const QUrl address = item.address();
    if (!address.isValid() || address.isRelative()) {
        setError(error, QCoreApplication::translate("ShareActions",
                                                    "\"%1\" is not a complete web address.")
                            .arg(address.toString()));
        return false;
    }
    return true;
}

bool pictureIsUsable(const ShareItem& item, QString* error)
{
    if (item.picture().isNull()) {
        setError(error, QCoreApplication::translate("ShareActions", "The picture is empty."));
        return false;
    }
    return true;
}

QByteArray pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Copies in pieces, so a large file is never held whole in memory.
bool copyFileContent(const QString& from, QIODevice& to, QString* error)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        setError(error, QCoreApplication::translate("ShareActions", "%1 could not be read: %2")
                            .arg(QDir::toNativeSeparators(from), source.errorString()));
        return false;
    }
    QByteArray chunk;
    while (!(chunk = source.read(1 << 20)).isEmpty()) {
        if (to.write(chunk) != chunk.size())
            return false;
    }
    if (source.error() != QFileDevice::NoError) {
        setError(error, QCoreApplication::translate("ShareActions", "%1 could not be read: %2")
                            .arg(QDir::toNativeSeparators(from), source.errorString()));
        return false;
    }
    return true;
}

bool excluded(const ShareRequest& request, ShareAction action)
{
    ActivityType type = ActivityType::SaveToFiles;
    switch (action) {
    case ShareAction::Save:
        type = ActivityType::SaveToFiles;
        break;
    case ShareAction::Copy:
        type = ActivityType::CopyToPasteboard;
        break;
    case ShareAction::Mail:
        type = ActivityType::Mail;
        break;
    case ShareAction::Open:
        type = ActivityType::OpenInApplication;
        break;
    case ShareAction::Print:
        type = ActivityType::Print;
        break;
    }
    return request.excludedActivityTypes.contains(type);
}

} // namespace

FileContent fileContent(const QString& path)
{
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    if (type.inherits(QStringLiteral("application/pdf")))
        return FileContent::Pdf;
    if (!QImageReader::imageFormat(path).isEmpty())
        return FileContent::Picture;
    if (type.inherits(QStringLiteral("text/plain")))
        return FileContent::Text;
    return FileContent::Other;
}

QList<ShareAction> offered(const ShareRequest& request)
{
    if (request.items.isEmpty())
        return {};
    QList<ShareAction> actions{ShareAction::Save, ShareAction::Copy, ShareAction::Mail,
                               ShareAction::Open};
    if (std::all_of(request.items.begin(), request.items.end(), &canPrint))
        actions << ShareAction::Print;
    actions.removeIf([&](ShareAction action) { return excluded(request, action); });
    return actions;
}

QString suggestedFileName(const ShareItem& item)
{
    switch (item.kind()) {
    case ShareItem::Kind::Text:
        return QStringLiteral("Text.txt");
    case ShareItem::Kind::Picture:
        return QStringLiteral("Picture.jpg");
    case ShareItem::Kind::Address:
        return QStringLiteral("Address.txt");
    case ShareItem::Kind::File:
        break;
    }
    return QFileInfo(item.fileUrl().toLocalFile()).fileName();
}

bool save(const ShareItem& item, const QString& path, QString* error)
{
    if (item.kind() == ShareItem::Kind::Picture && !pictureIsUsable(item, error))
        return false;
    if (item.kind() == ShareItem::Kind::File && !isLocalFile(item, error))
        return false;
    if (item.kind() == ShareItem::Kind::Address && !addressIsUsable(item, error))
        return false;

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, QCoreApplication::translate("ShareActions", "%1 could not be written: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    bool written = false;
    switch (item.kind()) {
    case ShareItem::Kind::Text:
    case ShareItem::Kind::Address: {
        const QByteArray bytes =
            (item.kind() == ShareItem::Kind::Text ? item.text() : addressText(item)).toUtf8();
        written = file.write(bytes) == bytes.size();
        break;
    }
    case ShareItem::Kind::Picture: {
        const QByteArray bytes =
            QFileInfo(path).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0
                ? pngBytes(item.picture())
                : QtPictures().encodeJpeg(item.picture(), handoverJpegQuality);
        written = !bytes.isEmpty() && file.write(bytes) == bytes.size();
        break;
    }
    case ShareItem::Kind::File: {
        QString readError;
        written = copyFileContent(item.fileUrl().toLocalFile(), file, &readError);
        if (!readError.isEmpty()) {
            file.cancelWriting();
            setError(error, readError);
            return false;
        }
        break;
    }
    }
    if (!written || !file.commit()) {
        setError(error, QCoreApplication::translate("ShareActions", "%1 could not be written: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
        return false;
    }
    return true;
}

bool copy(const QList<ShareItem>& items, QClipboard& clipboard, QString* error)
{
    QStringList texts;
    QList<QImage> pictures;
    QList<QUrl> urls;
    for (const ShareItem& item : items) {
        switch (item.kind()) {
        case ShareItem::Kind::Text:
            texts << item.text();
            break;
        case ShareItem::Kind::Picture:
            if (!pictureIsUsable(item, error))
                return false;
            pictures << item.picture();
            break;
        case ShareItem::Kind::Address:
            // As text for where a text is pasted, as a link for where links are dropped.
            if (!addressIsUsable(item, error))
                return false;
            texts << addressText(item);
            urls << item.address();
            break;
        case ShareItem::Kind::File: {
            if (!isLocalFile(item, error))
                return false;
            urls << item.fileUrl();
            const QString path = item.fileUrl().toLocalFile();
            if (fileContent(path) == FileContent::Text) {
                QByteArray content;
                if (!readFile(path, &content, error))
                    return false;
                texts << QString::fromUtf8(content);
            }
            break;
        }
        }
    }
    if (pictures.size() > 1)
        Console::printLine(QStringLiteral("The clipboard holds one picture: the first of %1 was "
                                          "copied.")
                               .arg(pictures.size()));

    auto data = std::make_unique<QMimeData>();
    if (!texts.isEmpty())
        data->setText(texts.join(QStringLiteral("\n\n")));
    if (!pictures.isEmpty())
        data->setImageData(pictures.first());
    if (!urls.isEmpty())
        data->setUrls(urls);
    clipboard.setMimeData(data.release());
    return true;
}

bool buildMail(const QList<ShareItem>& items, MailMessage* message, QString* error)
{
    MailMessage mail;
    QStringList texts;
    for (const ShareItem& item : items) {
        switch (item.kind()) {
        case ShareItem::Kind::Text:
            texts << item.text();
            break;
        case ShareItem::Kind::Address:
            if (!addressIsUsable(item, error))
                return false;
            texts << addressText(item);
            break;
        case ShareItem::Kind::Picture: {
            if (!pictureIsUsable(item, error))
                return false;
            const QByteArray jpeg = QtPictures().encodeJpeg(item.picture(), handoverJpegQuality);
            if (jpeg.isEmpty()) {
                setError(error,
                         QCoreApplication::translate(
                             "ShareActions", "The picture could not be made into a JPEG file."));
                return false;
            }
            mail.attachments << MailAttachment{jpeg, QStringLiteral("image/jpeg"),
                                               suggestedFileName(item)};
            break;
        }
        case ShareItem::Kind::File: {
            if (!isLocalFile(item, error))
                return false;
            const QString path = item.fileUrl().toLocalFile();
            QByteArray data;
            if (!readFile(path, &data, error))
                return false;
            mail.attachments << MailAttachment{data, QMimeDatabase().mimeTypeForFile(path).name(),
                                               suggestedFileName(item)};
            break;
        }
        }
    }
    mail.body = texts.join(QStringLiteral("\n\n"));
    *message = mail;
    return true;
}

QUrl openableUrl(const ShareItem& item, QString* error)
{
    if (item.kind() == ShareItem::Kind::File) {
        if (!isLocalFile(item, error))
            return {};
        if (!QFileInfo::exists(item.fileUrl().toLocalFile())) {
            setError(error, QCoreApplication::translate("ShareActions", "%1 no longer exists.")
                                .arg(nativePath(item)));
            return {};
        }
        return item.fileUrl();
    }
    // The browser opens an address itself.
    if (item.kind() == ShareItem::Kind::Address)
        return addressIsUsable(item, error) ? item.address() : QUrl();
    if (item.kind() == ShareItem::Kind::Picture && !pictureIsUsable(item, error))
        return {};

    const Result<QString> folder = HandoverFiles::newFolder();
    if (!folder) {
        setError(error, folder.error());
        return {};
    }
    // PNG, so the picture opened is exactly the one shown.
    const Result<QString> path =
        item.kind() == ShareItem::Kind::Text
            ? HandoverFiles::write(*folder, suggestedFileName(item), item.text().toUtf8())
            : HandoverFiles::write(*folder, QStringLiteral("Picture.png"),
                                   pngBytes(item.picture()));
    if (!path) {
        setError(error, path.error());
        return {};
    }
    return QUrl::fromLocalFile(*path);
}

} // namespace ShareActions
