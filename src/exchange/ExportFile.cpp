#include "exchange/ExportFile.h"

#include "exchange/ExchangeFormat.h"
#include "platform/core/Pictures.h"
#include "store/Entities.h"
#include "store/NumberText.h"
#include "store/ObjectContext.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QSaveFile>
#include <QThreadPool>
#include <deque>
#include <future>
#include <memory>

namespace ExportFile {

namespace {

const QString PictureKey = QStringLiteral("stampImage");

// The picture field: the stored bytes decoded and encoded again as JPEG at quality 60, in
// Base64; empty when the bytes are not a picture. A picture that cannot be encoded stops the
// export rather than leaving the stamp without it on the other device.
Result<QByteArray> pictureText(const Pictures& pictures, const QByteArray& stored)
{
    const QImage image = pictures.decode(stored);
    if (image.isNull())
        return QByteArray();
    Result<QByteArray> jpeg = pictures.encodeJpeg(image, 0.6);
    if (!jpeg)
        return jpeg;
    return jpeg->toBase64();
}

// The line's first 21 fields and the separator before the picture; the picture and the line end
// are written after it, so a large picture is not copied once more.
QByteArray recordLine(Stamps& stamp)
{
    QString text;
    text.reserve(160);
    for (int i = 0; i < ExchangeFormat::FieldCount; ++i) {
        const ExchangeFormat::Field& field = ExchangeFormat::Fields[i];
        if (i > 0)
            text += ExchangeFormat::Separator;
        const QVariant value = stamp.value(QString::fromLatin1(field.attribute));
        switch (field.type) {
        case AttributeType::Text:
            if (value.isValid())
                ExchangeFormat::appendEscaped(text, value.toString());
            break;
        case AttributeType::Float:
            text += NumberText::floatText(value.toFloat());
            break;
        case AttributeType::Int16:
            text += QString::number(value.toInt());
            break;
        case AttributeType::Bytes:
            break; // written after the line, see above
        }
    }
    return text.toUtf8();
}

bool wroteAll(QIODevice& device, const QByteArray& bytes)
{
    return device.write(bytes) == bytes.size();
}

Failure<QString> writeFailure(const QIODevice& device)
{
    return Failure{
        QCoreApplication::translate("ExportFile", "The export file could not be written: ") +
        device.errorString()};
}

// A stamp read ahead of the writing, its picture being encoded on another core.
struct Pending
{
    Stamps* stamp;
    std::future<Result<QByteArray>> picture; // not valid when the stamp has no picture
};

} // namespace

Result<Written> write(ObjectContext& context, const Pictures& pictures, QIODevice& device,
                      const WorkProgress& progress)
{
    const StoreResult<QList<Stamps*>> fetched =
        context.fetch<Stamps>({}, ExchangeFormat::exportOrder());
    if (!fetched)
        return Failure{QCoreApplication::translate("ExportFile", "The stamps could not be read: ") +
                       fetched.error().description};
    const QList<Stamps*>& stamps = *fetched;
    Written result;
    result.total = stamps.size();
    if (!wroteAll(device, QByteArray(Marker) + '\n'))
        return writeFailure(device);

    // The store is read on this thread only; the pictures' coding runs on every core while the
    // lines before them are written, in order. The window bounds the pictures held in memory, and
    // is deep enough that the cores do not wait while this thread reads a block of pictures.
    QThreadPool pool;
    const int picturesAhead = 16 * qMax(1, pool.maxThreadCount());
    constexpr qsizetype StampsAhead = 512;
    // Pictures are read a block of stamps at a time: one query instead of one per stamp.
    constexpr qsizetype PictureBlock = 256;
    qsizetype picturesReadUpTo = 0;
    std::deque<Pending> window;
    int picturesInWindow = 0;
    qsizetype nextToRead = 0;
    while (result.written < result.total) {
        while (nextToRead < stamps.size() && picturesInWindow < picturesAhead &&
               qsizetype(window.size()) < StampsAhead) {
            if (nextToRead >= picturesReadUpTo) {
                picturesReadUpTo = std::min(stamps.size(), nextToRead + PictureBlock);
                const QList<ManagedObject*> block(stamps.cbegin() + nextToRead,
                                                  stamps.cbegin() + picturesReadUpTo);
                // An export without pictures the store holds would lose them on the other
                // device: a block that cannot be read stops it.
                if (const StoreResult<> read = context.loadAttribute(block, PictureKey); !read)
                    return Failure{QCoreApplication::translate("ExportFile",
                                                               "The pictures could not be read: ") +
                                   read.error().description};
            }
            Stamps* stamp = stamps.at(nextToRead++);
            Pending pending{stamp, {}};
            if (const std::optional<QByteArray> stored = stamp->stampImage()) {
                auto task = std::make_shared<std::packaged_task<Result<QByteArray>()>>(
                    [&pictures, bytes = *stored] { return pictureText(pictures, bytes); });
                pending.picture = task->get_future();
                pool.start([task] { (*task)(); });
                ++picturesInWindow;
            }
            // Held by the task now: a long export must not keep every picture it has read.
            stamp->releaseAttribute(PictureKey);
            window.push_back(std::move(pending));
        }
        Pending pending = std::move(window.front());
        window.pop_front();
        QByteArray picture;
        if (pending.picture.valid()) {
            Result<QByteArray> coded = pending.picture.get();
            --picturesInWindow;
            if (!coded)
                return Failure{
                    QCoreApplication::translate("ExportFile", "A picture could not be written: ") +
                    coded.error()};
            picture = std::move(coded).value();
        }
        if (!wroteAll(device, recordLine(*pending.stamp)) || !wroteAll(device, picture) ||
            !wroteAll(device, "\n"))
            return writeFailure(device);
        if (!result.countOne(progress))
            return result;
    }
    return result;
}

Result<Written> writeFile(ObjectContext& context, const Pictures& pictures, const QString& path,
                          const WorkProgress& progress)
{
    return writeAtomically(
        path, [&](QIODevice& device) { return write(context, pictures, device, progress); },
        QCoreApplication::translate("ExportFile", "The export file could not be created: "),
        QCoreApplication::translate("ExportFile", "The export file could not be written: "));
}

Result<Written> writeAtomically(const QString& path,
                                const std::function<Result<Written>(QIODevice&)>& write,
                                const QString& notCreated, const QString& notWritten)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Failure{notCreated + file.errorString()};
    Result<Written> result = write(file);
    if (!result || result->cancelled) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit())
        return Failure{notWritten + file.errorString()};
    return result;
}

} // namespace ExportFile
