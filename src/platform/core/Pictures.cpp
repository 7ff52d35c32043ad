#include "platform/core/Pictures.h"

#include "platform/core/Console.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>

namespace {

void reportUnreadable(const QImageReader& reader)
{
    Console::printLine(
        QStringLiteral("A picture could not be decoded: %1").arg(reader.errorString()));
}

// Qt refuses to allocate a picture above QImageReader::allocationLimit() megabytes (none when 0),
// reckoning at least 32 bits a pixel.
bool exceedsAllocationLimit(const QSize& size, QImage::Format format)
{
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    const int depth = format == QImage::Format_Invalid
                          ? 32
                          : std::max(32, int(QImage::toPixelFormat(format).bitsPerPixel()));
    return limit > 0 && qint64(size.width()) * size.height() * depth / 8 > limit;
}

// JPEG has no alpha: transparent parts would come out black, so they are laid on white paper.
QImage flattenedOnWhite(const QImage& image)
{
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.setDotsPerMeterX(image.dotsPerMeterX());
    flat.setDotsPerMeterY(image.dotsPerMeterY());
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

// The reader's picture, upright as its orientation says.
Result<QImage, PictureRefusal> readUpright(QImageReader& reader)
{
    // Camera pictures carry their orientation separately; show them upright.
    reader.setAutoTransform(true);
    // The header tells the size before the decoding that may refuse it.
    const QSize size = reader.size();
    const QImage::Format format = reader.imageFormat();
    QImage image = reader.read();
    if (!image.isNull())
        return image;
    if (size.isValid() && exceedsAllocationLimit(size, format))
        return Failure{PictureRefusal{.tooLarge = size}};
    return Failure{PictureRefusal{}};
}

} // namespace

bool isCutShortJpeg(const QByteArray& bytes)
{
    if (!bytes.startsWith("\xFF\xD8"))
        return false;
    // In a scan's data a 0xFF byte is always followed by 0x00 or a restart marker, so the last
    // end marker (0xFF 0xD9) after the last scan's start (0xFF 0xDA) is the picture's own end.
    const qsizetype lastScan = bytes.lastIndexOf(QByteArrayView("\xFF\xDA"));
    return lastScan < 0 || bytes.lastIndexOf(QByteArrayView("\xFF\xD9")) < lastScan;
}

QString PictureRefusal::text() const
{
    if (cutShort)
        return QCoreApplication::translate("Pictures",
                                           "incomplete: the file ends before the picture does.");
    if (tooLarge.isValid())
        return QCoreApplication::translate("Pictures", "too large: %1 x %2 pixels")
            .arg(tooLarge.width())
            .arg(tooLarge.height());
    return QCoreApplication::translate("Pictures", "not a picture Vellora can read.");
}

QString describeFailure(const PictureRefusal& refusal)
{
    return refusal.text();
}

Result<QImage, PictureRefusal> QtPictures::read(const QByteArray& bytes) const
{
    Result<QImage, PictureRefusal> image = readQuietly(bytes);
    if (!image && !bytes.isEmpty())
        Console::printLine(QStringLiteral("A picture could not be decoded: %1")
                               .arg(describeFailure(image.error())));
    return image;
}

Result<QImage, PictureRefusal> QtPictures::readQuietly(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return Failure{PictureRefusal{}};
    // Refused before it is decoded into a half-grey picture.
    if (isCutShortJpeg(bytes))
        return Failure{PictureRefusal{.cutShort = true}};
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    return readUpright(reader);
}

QSize QtPictures::sizeOf(const QByteArray& bytes) const
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    QSize size = reader.size();
    // Formats that cannot tell their size before reading are read.
    if (!size.isValid())
        return decode(bytes).size();
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    return size;
}

QImage QtPictures::decodeScaled(const QByteArray& bytes, const QSize& boundingSize) const
{
    if (boundingSize.isEmpty()) {
        Console::printLine(QStringLiteral("A picture was asked for at an empty size (%1 x %2).")
                               .arg(boundingSize.width())
                               .arg(boundingSize.height()));
        return {};
    }
    if (bytes.isEmpty())
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);

    const QSize stored = reader.size();
    if (stored.isValid()) {
        // The scaled size applies before the orientation is applied, so a turned picture is
        // fitted into the turned box.
        const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
        const QSize box = turned ? boundingSize.transposed() : boundingSize;
        if (stored.width() > box.width() || stored.height() > box.height()) {
            QSize target = stored.scaled(box, Qt::KeepAspectRatio);
            target = target.expandedTo(QSize(1, 1));
            reader.setScaledSize(target);
        }
        QImage image = reader.read();
        if (image.isNull())
            reportUnreadable(reader);
        return image;
    }

    // Formats that cannot tell their size before reading: read whole, then shrink.
    QImage image = reader.read();
    if (image.isNull()) {
        reportUnreadable(reader);
        return image;
    }
    if (image.width() <= boundingSize.width() && image.height() <= boundingSize.height())
        return image;
    return image.scaled(boundingSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

Result<QByteArray> QtPictures::encodeJpeg(const QImage& image, double quality) const
{
    if (image.isNull())
        return Failure{
            QCoreApplication::translate("Pictures", "An empty picture cannot be saved as JPEG.")};
    const QImage opaque = image.hasAlphaChannel() ? flattenedOnWhite(image) : image;

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(qRound(std::clamp(quality, 0.0, 1.0) * 100.0));
    if (!writer.write(opaque))
        return Failure{
            QCoreApplication::translate("Pictures", "A picture could not be saved as JPEG: %1")
                .arg(writer.errorString())};
    return bytes;
}
