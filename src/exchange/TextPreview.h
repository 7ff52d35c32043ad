#pragma once

#include "platform/core/Result.h"

#include <QString>
#include <QtGlobal>

// What the exchange screens show of a file: at most its first megabyte, then a line saying how
// much more the file holds, so a collection of 100,000 stamps does not freeze the window.
namespace TextPreview {

inline constexpr qint64 Limit = qint64(1024) * 1024;

// The head of the UTF-8 file at path.
Result<QString> ofFile(const QString& path);

// The head of a text already in memory (Limit characters).
QString ofText(const QString& text);

// The line that follows a cut text.
QString moreLine(qint64 more, bool bytes);

} // namespace TextPreview
