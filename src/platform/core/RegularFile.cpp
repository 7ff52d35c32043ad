#include "platform/core/RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString FileRefusal::text() const
{
    switch (kind) {
    case Kind::Missing:
        return QCoreApplication::translate("RegularFile", "it does not exist");
    case Kind::Folder:
        return QCoreApplication::translate("RegularFile", "it is a folder");
    case Kind::NotRegular:
        return QCoreApplication::translate(
            "RegularFile", "it is not a regular file (a device, a pipe or a socket)");
    case Kind::TooLarge:
        return QCoreApplication::translate("RegularFile", "it is too large (%1 MB)")
            .arg(QLocale().toString(size / (qint64(1024) * 1024)));
    case Kind::Unreadable:
        break;
    }
    return error;
}

QString describeFailure(const FileRefusal& refusal)
{
    return refusal.text();
}

Result<std::unique_ptr<QFile>, FileRefusal> openRegularFile(const QString& path, qint64 largest)
{
    const auto refused = [](FileRefusal::Kind kind, qint64 size = 0, const QString& error = {}) {
        return Failure{FileRefusal{kind, size, error}};
    };
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        const int error = errno;
        return refused(error == ENOENT ? FileRefusal::Kind::Missing : FileRefusal::Kind::Unreadable,
                       0, QString::fromLocal8Bit(std::strerror(error)));
    }
    struct stat status = {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        const bool folder = S_ISDIR(status.st_mode);
        ::close(descriptor);
        return refused(folder ? FileRefusal::Kind::Folder : FileRefusal::Kind::NotRegular);
    }
    if (status.st_size > largest) {
        ::close(descriptor);
        return refused(FileRefusal::Kind::TooLarge, status.st_size);
    }
    // A regular file: reads block as usual from here on.
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    auto file = std::make_unique<QFile>();
    if (!file->open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return refused(FileRefusal::Kind::Unreadable, 0, file->errorString());
    }
    return file;
}

Result<QByteArray, FileRefusal> readRegularFile(const QString& path, qint64 largest)
{
    Result<std::unique_ptr<QFile>, FileRefusal> file = openRegularFile(path, largest);
    if (!file)
        return Failure{file.error()};
    QByteArray bytes = (*file)->read(largest);
    if ((*file)->error() != QFileDevice::NoError)
        return Failure{FileRefusal{FileRefusal::Kind::Unreadable, 0, (*file)->errorString()}};
    return bytes;
}
