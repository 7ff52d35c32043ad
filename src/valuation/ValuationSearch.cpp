#include "valuation/ValuationSearch.h"

namespace ValuationSearch {

namespace {

const QString SearchAddress = QStringLiteral("https://www.google.com/search?q=");

// The search engine reads "+" in a query as a space, so a space may stay raw until it becomes one;
// everything else that is not plain ASCII letters and digits is encoded.
QString encoded(const QString& typed)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(typed, QByteArrayLiteral(" ")));
}

QUrl addressFrom(QString text)
{
    text.replace(QLatin1Char(' '), QLatin1Char('+'));
    text.replace(QStringLiteral("++"), QStringLiteral("+"));
    return QUrl(text, QUrl::StrictMode);
}

} // namespace

QUrl webSearchUrl(const QString& year, const QString& country, const QString& denomination)
{
    return addressFrom(SearchAddress + QStringLiteral(" how much is a  ") + encoded(year) +
                       QLatin1Char(' ') + encoded(country) + QLatin1Char(' ') +
                       encoded(denomination) + QStringLiteral(" stamp worth"));
}

QUrl delcampeUrl()
{
    return addressFrom(QStringLiteral("https://www.delcampe.net"));
}

QUrl hipStampUrl()
{
    return addressFrom(QStringLiteral("https://www.hipstamp.com"));
}

} // namespace ValuationSearch
