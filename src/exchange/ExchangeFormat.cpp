#include "exchange/ExchangeFormat.h"

namespace ExchangeFormat {

QList<SortDescriptor> exportOrder()
{
    return {{QStringLiteral("denomination"), true},
            {QStringLiteral("yearOfIssue"), true},
            {QStringLiteral("country"), true}};
}

void appendEscaped(QString& out, const QString& text)
{
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\':
            out += QLatin1String("\\\\");
            break;
        case u'^':
            out += QLatin1String("\\^");
            break;
        case u'\n':
            out += QLatin1String("\\n");
            break;
        case u'\r':
            out += QLatin1String("\\r");
            break;
        default:
            out += c;
        }
    }
}

QString unescaped(const QString& field)
{
    if (!field.contains(u'\\'))
        return field;
    QString text;
    text.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field.at(i);
        const QChar next = i + 1 < field.size() ? field.at(i + 1) : QChar();
        if (c == u'\\' && (next == u'\\' || next == u'^' || next == u'n' || next == u'r')) {
            text += next == u'n' ? QChar(u'\n') : next == u'r' ? QChar(u'\r') : next;
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}

QStringList splitFields(const QString& line)
{
    QStringList fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == u'\\') {
            ++i; // the escaped character is never a separator
        } else if (c == Separator) {
            fields.append(line.mid(start, i - start));
            start = i + 1;
        }
    }
    fields.append(line.mid(start));
    return fields;
}

} // namespace ExchangeFormat
