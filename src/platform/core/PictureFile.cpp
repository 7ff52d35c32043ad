#include "platform/core/PictureFile.h"

#include "platform/core/Pictures.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Far above any photograph or scan of a stamp; refusing bigger files keeps a wrongly chosen video
// or disk image from being read into memory whole.
constexpr qint64 largestPictureFile = qint64(256) * 1024 * 1024;

PictureFileResult failure(const QString& error)
{
    return {QImage(), error};
}

} // namespace

PictureFileResult readPictureFile(const QString& path, const Pictures& pictures)
{
    if (path.isEmpty())
        return failure(QStringLiteral("No picture file was chosen."));
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!info.exists())
        return failure(QStringLiteral("%1 could not be found.").arg(name));
    if (info.isDir())
        return failure(QStringLiteral("%1 is a folder, not a picture.").arg(name));
    // Devices and pipes may never end (or block the read).
    if (!info.isFile())
        return failure(QStringLiteral("%1 is not a file Vellora can read.").arg(name));
    if (info.size() > largestPictureFile)
        return failure(QStringLiteral("%1 is too large to be a picture (%2 MB).")
                           .arg(name)
                           .arg(info.size() / (qint64(1024) * 1024)));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("%1 could not be opened: %2").arg(name, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(QStringLiteral("%1 could not be read: %2").arg(name, file.errorString()));
    if (bytes.isEmpty())
        return failure(QStringLiteral("%1 is empty.").arg(name));

    QString whyNot;
    QImage image = pictures.decode(bytes, &whyNot);
    if (image.isNull() && !whyNot.isEmpty())
        return failure(QStringLiteral("%1 is %2").arg(name, whyNot));
    if (image.isNull())
        return failure(QStringLiteral("%1 is not a picture Vellora can read.").arg(name));
    return {image, QString()};
}
