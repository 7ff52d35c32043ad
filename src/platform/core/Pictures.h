#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class QImageReader;

// Picture coding: stamp pictures are kept as bytes in the store and shown as images.
class Pictures
{
public:
    virtual ~Pictures() = default;

    // Any format Qt reads; a null image when the bytes are not a picture. whyNot, when given, is
    // set to why a picture did not decode, as readUpright says.
    virtual QImage decode(const QByteArray& bytes, QString* whyNot = nullptr) const = 0;
    // Decodes straight to a size that fits in boundingSize (aspect ratio kept, never enlarged), so
    // a list row never holds a full-size picture.
    virtual QImage decodeScaled(const QByteArray& bytes, const QSize& boundingSize) const = 0;
    // JPEG at quality 0.0..1.0 (0.6 is 60 of 100); the image is never resized, cropped or rotated.
    // Empty bytes for a null image.
    virtual QByteArray encodeJpeg(const QImage& image, double quality) const = 0;
};

class QtPictures final : public Pictures
{
public:
    QImage decode(const QByteArray& bytes, QString* whyNot = nullptr) const override;
    QImage decodeScaled(const QByteArray& bytes, const QSize& boundingSize) const override;
    QByteArray encodeJpeg(const QImage& image, double quality) const override;

    // The reader's picture, upright as its orientation says. When it does not decode, whyNot
    // (when given) says why in words that follow the picture's name and "is" ("too large: 30000 x
    // 30000 pixels"), or is empty when the bytes are simply not a picture Qt reads.
    static QImage readUpright(QImageReader& reader, QString* whyNot = nullptr);
};
