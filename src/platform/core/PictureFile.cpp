#include "platform/core/PictureFile.h"

#include "platform/core/Pictures.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

// Far above any photograph or scan of a stamp; refusing bigger files keeps a wrongly chosen video
// or disk image from being read into memory whole.
constexpr qint64 largestPictureFile = qint64(256) * 1024 * 1024;

Failure<QString> failure(const QString& error)
{
    return Failure{error};
}

} // namespace

Result<QImage> readPictureFile(const QString& path, const Pictures& pictures)
{
    if (path.isEmpty())
        return failure(QCoreApplication::translate("PictureFile", "No picture file was chosen."));
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!info.exists())
        return failure(
            QCoreApplication::translate("PictureFile", "%1 could not be found.").arg(name));
    if (info.isDir())
        return failure(
            QCoreApplication::translate("PictureFile", "%1 is a folder, not a picture.").arg(name));
    // Devices and pipes may never end (or block the read).
    if (!info.isFile())
        return failure(
            QCoreApplication::translate("PictureFile", "%1 is not a file Vellora can read.")
                .arg(name));
    if (info.size() > largestPictureFile)
        return failure(
            QCoreApplication::translate("PictureFile", "%1 is too large to be a picture (%2 MB).")
                .arg(name)
                .arg(info.size() / (qint64(1024) * 1024)));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(QCoreApplication::translate("PictureFile", "%1 could not be opened: %2")
                           .arg(name, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(QCoreApplication::translate("PictureFile", "%1 could not be read: %2")
                           .arg(name, file.errorString()));
    if (bytes.isEmpty())
        return failure(QCoreApplication::translate("PictureFile", "%1 is empty.").arg(name));

    Result<QImage, PictureRefusal> image = pictures.read(bytes);
    if (!image)
        return failure(
            QCoreApplication::translate("PictureFile", "%1 is %2").arg(name, image.error().text()));
    return std::move(image).value();
}
