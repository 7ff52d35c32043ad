#include "platform/gui/Pasteboard.h"

#include "platform/core/Console.h"
#include "platform/core/PictureFile.h"
#include "platform/core/Pictures.h"
#include "platform/core/RegularFile.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QUrl>

namespace {

const QMimeData* clipboardData()
{
    // Without a GUI application there is no clipboard to read.
    if (!qGuiApp)
        return nullptr;
    return QGuiApplication::clipboard()->mimeData();
}

// The clipboard's formats that carry encoded picture bytes Qt can decode.
QStringList encodedPictureFormats(const QMimeData& data)
{
    const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    QStringList formats;
    for (const QString& format : data.formats())
        if (readable.contains(format.toLatin1()))
            formats << format;
    return formats;
}

QStringList localFiles(const QMimeData& data)
{
    QStringList files;
    if (!data.hasUrls())
        return files;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

// Reads only the file's header.
bool isPictureFile(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return false;
    QImageReader reader(path);
    return reader.canRead();
}

} // namespace

bool ClipboardPasteboard::hasImagesIn(const QMimeData& data)
{
    if (data.hasImage() || !encodedPictureFormats(data).isEmpty())
        return true;
    for (const QString& file : localFiles(data))
        if (isPictureFile(file))
            return true;
    return false;
}

Result<QImage, PictureRefusal> ClipboardPasteboard::imageIn(const QMimeData& data)
{
    if (data.hasImage()) {
        QImage image = qvariant_cast<QImage>(data.imageData());
        if (!image.isNull())
            return image;
    }
    // Of the clipboard's forms that do not decode, the first that says more than "not a
    // picture" is told.
    PictureRefusal refusal;
    const auto read = [&refusal](const QByteArray& bytes) {
        Result<QImage, PictureRefusal> image = QtPictures::readQuietly(bytes);
        if (!image && !refusal.tooLarge.isValid())
            refusal = image.error();
        return image;
    };
    for (const QString& format : encodedPictureFormats(data)) {
        if (Result<QImage, PictureRefusal> image = read(data.data(format)))
            return image;
    }
    // Copied files are read as the file dialog's are: regular files of a picture's size only.
    for (const QString& file : localFiles(data)) {
        if (!isPictureFile(file))
            continue;
        const Result<QByteArray, FileRefusal> bytes = readRegularFile(file, LargestPictureFile);
        if (!bytes)
            continue;
        if (Result<QImage, PictureRefusal> image = read(*bytes))
            return image;
    }
    if (hasImagesIn(data))
        Console::printLine(QStringLiteral("The clipboard holds a picture that could not be read."));
    return Failure{refusal};
}

bool ClipboardPasteboard::hasImages() const
{
    const QMimeData* data = clipboardData();
    return data && hasImagesIn(*data);
}

Result<QImage, PictureRefusal> ClipboardPasteboard::image() const
{
    const QMimeData* data = clipboardData();
    if (!data)
        return Failure{PictureRefusal{}};
    return imageIn(*data);
}
