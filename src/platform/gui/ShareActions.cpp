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

QString nativePath(const ShareItem& item)
{
    return QDir::toNativeSeparators(item.fileUrl().toLocalFile());
}

Result<QByteArray> readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QCoreApplication::translate("ShareActions", "%1 could not be read: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString())};
    return file.readAll();
}

Result<void> isLocalFile(const ShareItem& item)
{
    if (!item.fileUrl().isLocalFile())
        return Failure{
            QCoreApplication::translate("ShareActions", "%1 is not a file on this computer.")
                .arg(item.fileUrl().toDisplayString())};
    return {};
}

// Encoded, so the text works wherever it is pasted.
QString addressText(const ShareItem& item)
{
    return item.address().toString(QUrl::FullyEncoded);
}

// A relative address would be taken as a file beside the working folder.
Result<void> addressIsUsable(const ShareItem& item)
{
    const QUrl address = item.address();
    if (!address.isValid() || address.isRelative())
        return Failure{
            QCoreApplication::translate("ShareActions", "\"%1\" is not a complete web address.")
                .arg(address.toString())};
    return {};
}

Result<void> pictureIsUsable(const ShareItem& item)
{
    if (item.picture().isNull())
        return Failure{QCoreApplication::translate("ShareActions", "The picture is empty.")};
    return {};
}

// The check that applies to the item's kind; texts need none.
Result<void> isUsable(const ShareItem& item)
{
    switch (item.kind()) {
    case ShareItem::Kind::Picture:
        return pictureIsUsable(item);
    case ShareItem::Kind::File:
        return isLocalFile(item);
    case ShareItem::Kind::Address:
        return addressIsUsable(item);
    case ShareItem::Kind::Text:
        break;
    }
    return {};
}

QByteArray pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Copies in pieces, so a large file is never held whole in memory. A failed read is the reason;
// a failed write gives false, for the caller to say with the destination's own error.
Result<bool> copyFileContent(const QString& from, QIODevice& to)
{
    QFile source(from);
    const auto unreadable = [&] {
        return Failure{QCoreApplication::translate("ShareActions", "%1 could not be read: %2")
                           .arg(QDir::toNativeSeparators(from), source.errorString())};
    };
    if (!source.open(QIODevice::ReadOnly))
        return unreadable();
    QByteArray chunk;
    while (!(chunk = source.read(1 << 20)).isEmpty()) {
        if (to.write(chunk) != chunk.size())
            return false;
    }
    if (source.error() != QFileDevice::NoError)
        return unreadable();
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

Result<void> save(const ShareItem& item, const QString& path)
{
    if (Result<void> usable = isUsable(item); !usable)
        return usable;

    QSaveFile file(path);
    const auto unwritable = [&] {
        return Failure{QCoreApplication::translate("ShareActions", "%1 could not be written: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString())};
    };
    if (!file.open(QIODevice::WriteOnly))
        return unwritable();
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
        const Result<QByteArray> bytes =
            QFileInfo(path).suffix().compare(QLatin1String("png"), Qt::CaseInsensitive) == 0
                ? Result<QByteArray>(pngBytes(item.picture()))
                : QtPictures().encodeJpeg(item.picture(), handoverJpegQuality);
        if (!bytes) {
            file.cancelWriting();
            return Failure{bytes.error()};
        }
        written = !bytes->isEmpty() && file.write(*bytes) == bytes->size();
        break;
    }
    case ShareItem::Kind::File: {
        const Result<bool> copied = copyFileContent(item.fileUrl().toLocalFile(), file);
        if (!copied) {
            file.cancelWriting();
            return Failure{copied.error()};
        }
        written = *copied;
        break;
    }
    }
    if (!written || !file.commit())
        return unwritable();
    return {};
}

Result<void> copy(const QList<ShareItem>& items, QClipboard& clipboard)
{
    QStringList texts;
    QList<QImage> pictures;
    QList<QUrl> urls;
    for (const ShareItem& item : items) {
        if (Result<void> usable = isUsable(item); !usable)
            return usable;
        switch (item.kind()) {
        case ShareItem::Kind::Text:
            texts << item.text();
            break;
        case ShareItem::Kind::Picture:
            pictures << item.picture();
            break;
        case ShareItem::Kind::Address:
            // As text for where a text is pasted, as a link for where links are dropped.
            texts << addressText(item);
            urls << item.address();
            break;
        case ShareItem::Kind::File: {
            urls << item.fileUrl();
            const QString path = item.fileUrl().toLocalFile();
            if (fileContent(path) == FileContent::Text) {
                const Result<QByteArray> content = readFile(path);
                if (!content)
                    return Failure{content.error()};
                texts << QString::fromUtf8(*content);
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
    return {};
}

Result<MailMessage> buildMail(const QList<ShareItem>& items)
{
    MailMessage mail;
    QStringList texts;
    for (const ShareItem& item : items) {
        if (Result<void> usable = isUsable(item); !usable)
            return Failure{usable.error()};
        switch (item.kind()) {
        case ShareItem::Kind::Text:
            texts << item.text();
            break;
        case ShareItem::Kind::Address:
            texts << addressText(item);
            break;
        case ShareItem::Kind::Picture: {
            Result<QByteArray> jpeg = QtPictures().encodeJpeg(item.picture(), handoverJpegQuality);
            if (!jpeg)
                return Failure{jpeg.error()};
            mail.attachments << MailAttachment{
                std::move(jpeg).value(), QStringLiteral("image/jpeg"), suggestedFileName(item)};
            break;
        }
        case ShareItem::Kind::File: {
            const QString path = item.fileUrl().toLocalFile();
            Result<QByteArray> data = readFile(path);
            if (!data)
                return Failure{data.error()};
            mail.attachments << MailAttachment{std::move(data).value(),
                                               QMimeDatabase().mimeTypeForFile(path).name(),
                                               suggestedFileName(item)};
            break;
        }
        }
    }
    mail.body = texts.join(QStringLiteral("\n\n"));
    return mail;
}

Result<QUrl> openableUrl(const ShareItem& item)
{
    if (Result<void> usable = isUsable(item); !usable)
        return Failure{usable.error()};
    if (item.kind() == ShareItem::Kind::File) {
        if (!QFileInfo::exists(item.fileUrl().toLocalFile()))
            return Failure{QCoreApplication::translate("ShareActions", "%1 no longer exists.")
                               .arg(nativePath(item))};
        return item.fileUrl();
    }
    // The browser opens an address itself.
    if (item.kind() == ShareItem::Kind::Address)
        return item.address();

    const Result<QString> folder = HandoverFiles::newFolder();
    if (!folder)
        return Failure{folder.error()};
    // PNG, so the picture opened is exactly the one shown.
    const Result<QString> path =
        item.kind() == ShareItem::Kind::Text
            ? HandoverFiles::write(*folder, suggestedFileName(item), item.text().toUtf8())
            : HandoverFiles::write(*folder, QStringLiteral("Picture.png"),
                                   pngBytes(item.picture()));
    if (!path)
        return Failure{path.error()};
    return QUrl::fromLocalFile(*path);
}

} // namespace ShareActions
