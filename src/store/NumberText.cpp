#include "store/NumberText.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace NumberText {

std::optional<qint16> readWholeNumber(const QString& text)
{
    static const QRegularExpression whole(QStringLiteral("^[+-]?[0-9]+$"));
    if (!whole.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    if (!ok || number < std::numeric_limits<qint16>::min() ||
        number > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(number);
}

std::optional<float> readAmount(const QString& text)
{
    static const QRegularExpression decimal(
        QStringLiteral(R"(^[+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+)([eE][+-]?[0-9]+)?$)"));
    QString cleaned = text;
    cleaned.remove(QLatin1Char('$')).remove(QLatin1Char(','));
    if (!decimal.match(cleaned).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double number = cleaned.toDouble(&ok);
    if (!ok || !std::isfinite(number) || std::fabs(number) > std::numeric_limits<float>::max())
        return std::nullopt;
    return float(number);
}

std::optional<float> readShownOrTypedAmount(const QString& text, const QLocale& locale)
{
    bool ok = false;
    const double shown = locale.toDouble(text, &ok);
    if (ok && std::isfinite(shown) && std::fabs(shown) <= std::numeric_limits<float>::max() &&
        shownAmount(float(shown), locale) == text)
        return float(shown);
    return readAmount(text);
}

QString shownAmount(float amount, const QLocale& locale)
{
    return locale.toString(double(amount), 'f', 2);
}

} // namespace NumberText
