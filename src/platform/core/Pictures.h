#pragma once

#include "platform/core/Result.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Why bytes gave no picture: too large to decode in memory, or not a picture Qt reads at all.
struct PictureRefusal
{
    QSize tooLarge = {};   // the picture's size when it was too large; invalid otherwise
    bool cutShort = false; // a JPEG whose data ends before its picture does

    // Words that follow the picture's name and "is": "too large: 30000 x 30000 pixels",
    // "incomplete: ...", or "not a picture Vellora can read."
    QString text() const;
};

QString describeFailure(const PictureRefusal& refusal);

// Whether the bytes are a JPEG that ends before its picture does (a file cut short in a copy or a
// download): no end marker after its last scan. The JPEG decoder fills the missing part with grey
// and only warns, so such a picture would be kept damaged. Reads the bytes only, no decoding.
bool isCutShortJpeg(const QByteArray& bytes);

// Picture coding: stamp pictures are kept as bytes in the store and shown as images.
class Pictures
{
public:
    virtual ~Pictures() = default;

    // Any format Qt reads, upright, or why the bytes are no picture.
    virtual Result<QImage, PictureRefusal> read(const QByteArray& bytes) const = 0;
    // The same where no picture is simply nothing to show: a null image.
    QImage decode(const QByteArray& bytes) const { return read(bytes).valueOr(QImage()); }
    // Decodes straight to a size that fits in boundingSize (aspect ratio kept, never enlarged), so
    // a list row never holds a full-size picture.
    virtual QImage decodeScaled(const QByteArray& bytes, const QSize& boundingSize) const = 0;
    // The picture's upright size in pixels, empty when the bytes are no picture. Read from the
    // header where the format tells it there, without decoding.
    virtual QSize sizeOf(const QByteArray& bytes) const { return decode(bytes).size(); }
    // JPEG at quality 0.0..1.0 (0.6 is 60 of 100); the image is never resized, cropped or rotated.
    // A null image is refused.
    virtual Result<QByteArray> encodeJpeg(const QImage& image, double quality) const = 0;
};

class QtPictures final : public Pictures
{
public:
    Result<QImage, PictureRefusal> read(const QByteArray& bytes) const override;
    QImage decodeScaled(const QByteArray& bytes, const QSize& boundingSize) const override;
    QSize sizeOf(const QByteArray& bytes) const override;
    Result<QByteArray> encodeJpeg(const QImage& image, double quality) const override;

    // read() without a word on the console, for a caller that says what failed itself.
    static Result<QImage, PictureRefusal> readQuietly(const QByteArray& bytes);
};
