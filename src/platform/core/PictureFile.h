#pragma once

#include "platform/core/Result.h"

#include <QImage>
#include <QString>

class Pictures;

// Far above any photograph or scan of a stamp; refusing bigger files keeps a wrongly chosen video
// or disk image from being read into memory whole.
inline constexpr qint64 LargestPictureFile = qint64(256) * 1024 * 1024;

// Reads the whole file at path and decodes it. A failure's text, for the collector, names the
// file (not its folder): it is missing, not a file, unreadable, empty, too large a file, a picture
// of too many pixels to decode ("stamp.png is too large: 30000 x 30000 pixels"), or not a picture
// Vellora can read.
Result<QImage> readPictureFile(const QString& path, const Pictures& pictures);
