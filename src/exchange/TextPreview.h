#pragma once

#include "platform/core/Result.h"

#include <QString>
#include <QtGlobal>

class QIODevice;

// What the exchange screens show of a file: at most its first megabyte, then a line saying how
// much more the file holds, so a collection of 100,000 stamps does not freeze the window.
namespace TextPreview {

inline constexpr qint64 Limit = qint64(1024) * 1024;

// The head of the file at path.
Result<QString> ofFile(const QString& path);

// The head of the open file, UTF-8 or as a byte-order mark says; the file is left at its start.
Result<QString> ofDevice(QIODevice& file);

} // namespace TextPreview
