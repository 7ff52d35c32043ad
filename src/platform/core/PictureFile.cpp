#include "platform/core/PictureFile.h"

#include "platform/core/Pictures.h"
#include "platform/core/RegularFile.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

Failure<QString> failure(const QString& error)
{
    return Failure{error};
}

} // namespace

Result<QImage> readPictureFile(const QString& path, const Pictures& pictures)
{
    if (path.isEmpty())
        return failure(QCoreApplication::translate("PictureFile", "No picture file was chosen."));
    const QString name = QFileInfo(path).fileName();
    const Result<QByteArray, FileRefusal> bytes = readRegularFile(path, LargestPictureFile);
    if (!bytes) {
        const FileRefusal& refusal = bytes.error();
        switch (refusal.kind) {
        case FileRefusal::Kind::Missing:
            return failure(
                QCoreApplication::translate("PictureFile", "%1 could not be found.").arg(name));
        case FileRefusal::Kind::Folder:
            return failure(
                QCoreApplication::translate("PictureFile", "%1 is a folder, not a picture.")
                    .arg(name));
        case FileRefusal::Kind::NotRegular:
            return failure(
                QCoreApplication::translate("PictureFile", "%1 is not a file Vellora can read.")
                    .arg(name));
        case FileRefusal::Kind::TooLarge:
            return failure(QCoreApplication::translate("PictureFile",
                                                       "%1 is too large to be a picture (%2 MB).")
                               .arg(name)
                               .arg(refusal.size / (qint64(1024) * 1024)));
        case FileRefusal::Kind::Unreadable:
            break;
        }
        return failure(QCoreApplication::translate("PictureFile", "%1 could not be read: %2")
                           .arg(name, refusal.error));
    }
    if (bytes->isEmpty())
        return failure(QCoreApplication::translate("PictureFile", "%1 is empty.").arg(name));

    Result<QImage, PictureRefusal> image = pictures.read(*bytes);
    if (!image)
        return failure(
            QCoreApplication::translate("PictureFile", "%1 is %2").arg(name, image.error().text()));
    return std::move(image).value();
}
