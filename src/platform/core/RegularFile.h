#pragma once

#include "platform/core/Result.h"

#include <QByteArray>
#include <QString>
#include <memory>

class QFile;

// Why a file was not read.
struct FileRefusal
{
    enum class Kind
    {
        Missing,
        Folder,
        NotRegular, // a device, a pipe or a socket: its reading might never end, or block
        TooLarge,
        Unreadable,
    };
    Kind kind = Kind::Unreadable;
    qint64 size = 0; // the file's size, for TooLarge
    QString error;   // the system's reason, for Unreadable

    // The reason as the end of "The file X could not be read: ...": "it is a folder".
    QString text() const;
};

QString describeFailure(const FileRefusal& refusal);

// Opens a regular file of at most `largest` bytes for reading. Anything else is refused at once,
// before a byte is read: the file is opened without waiting (a pipe with no writer does not
// block) and looked at through what was opened, so it cannot be swapped for another kind in
// between.
Result<std::unique_ptr<QFile>, FileRefusal> openRegularFile(const QString& path, qint64 largest);

// Reads a whole regular file of at most `largest` bytes. Anything else is refused as
// openRegularFile() refuses it.
Result<QByteArray, FileRefusal> readRegularFile(const QString& path, qint64 largest);
