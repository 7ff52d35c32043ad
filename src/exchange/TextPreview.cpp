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
    const QByteArray head = file.read(Limit);
    if (head.size() < qMin(file.size(), Limit))
        return Failure{file.errorString()};
    // A character cut at the limit stays in the decoder's state instead of showing as garbage.
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(head);
    const qint64 more = file.size() - head.size();
    if (more > 0)
        text += moreLine(more, true);
    return text;
}

QString ofText(const QString& text)
{
    if (text.size() <= Limit)
        return text;
    return text.left(Limit) + moreLine(text.size() - Limit, false);
}

QString moreLine(qint64 more, bool bytes)
{
    const QString amount = bytes ? QLocale().formattedDataSize(more)
                                 : QCoreApplication::translate("TextPreview", "%1 characters")
                                       .arg(QLocale().toString(more));
    return QCoreApplication::translate("TextPreview",
                                       "\n… only the first megabyte is shown: %1 more in the file.")
        .arg(amount);
}

} // namespace TextPreview
