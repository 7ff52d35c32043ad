#pragma once

#include <QImage>
#include <QString>

class Pictures;

// A picture read from a file: the image, or (image null) a text for the collector saying why not.
struct PictureFileResult
{
    QImage image;
    QString error;
};

// Reads the whole file at path and decodes it. The error names the file (not its folder): it is
// missing, not a file, unreadable, empty, too large a file, a picture of too many pixels to decode
// ("stamp.png is too large: 30000 x 30000 pixels"), or not a picture Vellora can read.
PictureFileResult readPictureFile(const QString& path, const Pictures& pictures);
