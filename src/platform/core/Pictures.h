#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// Picture coding: stamp pictures are kept as bytes in the store and shown as images.
class Pictures
{
public:
    virtual ~Pictures() = default;

    // Any format Qt reads; a null image when the bytes are not a picture.
    virtual QImage decode(const QByteArray& bytes) const = 0;
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
    QImage decode(const QByteArray& bytes) const override;
    QImage decodeScaled(const QByteArray& bytes, const QSize& boundingSize) const override;
    QByteArray encodeJpeg(const QImage& image, double quality) const override;
};
