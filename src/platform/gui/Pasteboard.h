#pragma once

#include "platform/core/Pictures.h"

#include <QImage>
#include <QString>

class QMimeData;

// The picture the collector copied elsewhere, to paste as a stamp's picture.
class Pasteboard
{
public:
    virtual ~Pasteboard() = default;

    virtual bool hasImages() const = 0;
    // The copied picture, or why there is none that decodes.
    virtual Result<QImage, PictureRefusal> image() const = 0;
};

// The system clipboard. A picture counts in any of the forms other applications copy one: image
// data, the encoded bytes of a format Qt reads (image/png, image/jpeg, ...), or a local picture
// file copied in a file manager.
class ClipboardPasteboard final : public Pasteboard
{
public:
    bool hasImages() const override;
    // Reports on the console when the clipboard announced a picture that does not decode.
    Result<QImage, PictureRefusal> image() const override;

    // The same, for any clipboard content: what the two above read.
    static bool hasImagesIn(const QMimeData& data);
    static Result<QImage, PictureRefusal> imageIn(const QMimeData& data);
};
