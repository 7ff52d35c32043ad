#include "exchange/TextPreview.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QStringDecoder>

namespace TextPreview {

Result<QString> ofFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{file.errorString()};
    return ofDevice(file);
}

Result<QString> ofDevice(QIODevice& file)
{
    const QByteArray head = file.read(Limit);
    if (head.size() < qMin(file.size(), Limit) || !file.seek(0))
        return Failure{file.errorString()};
    // A character cut at the limit stays in the decoder's state instead of showing as garbage.
    QStringDecoder decoder(
        QStringConverter::encodingForData(head).value_or(QStringConverter::Utf8));
    QString text = decoder.decode(head);
    const qint64 more = file.size() - head.size();
    if (more > 0)
        text += QCoreApplication::translate(
                    "TextPreview", "\n… only the first megabyte is shown: %1 more in the file.")
                    .arg(QLocale().formattedDataSize(more));
    return text;
}

} // namespace TextPreview
