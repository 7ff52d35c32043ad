#include "store/NumberText.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <limits>

namespace NumberText {

namespace {

// A stored amount is a float: a number beyond its range, or not finite, is no amount.
std::optional<float> asAmount(double number)
{
    if (!std::isfinite(number) || std::fabs(number) > std::numeric_limits<float>::max())
        return std::nullopt;
    return float(number);
}

std::optional<float> readInLocale(const QString& text, const QLocale& locale)
{
    // QLocale would skip the spaces around a number, which the point rule refuses.
    if (text.isEmpty() || text != text.trimmed())
        return std::nullopt;
    QString number = text;
    if (const QString symbol = locale.currencySymbol(); !symbol.isEmpty())
        number.remove(symbol);
    number.remove(QLatin1Char('$'));
    bool ok = false;
    const double read = locale.toDouble(number.trimmed(), &ok);
    return ok ? asAmount(read) : std::nullopt;
}

} // namespace

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
    return ok ? asAmount(number) : std::nullopt;
}

std::optional<float> readTypedAmount(const QString& text, const QLocale& locale)
{
    if (const std::optional<float> amount = readInLocale(text, locale))
        return amount;
    return readAmount(text);
}

QString shownAmount(float amount, const QLocale& locale)
{
    return locale.toString(double(amount), 'f', 2);
}

QString floatText(float number)
{
    if (std::isnan(number))
        return QStringLiteral("nan");
    if (std::isinf(number))
        return number < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    if (number == 0.0f)
        return std::signbit(number) ? QStringLiteral("-0.0") : QStringLiteral("0.0");

    // The shortest round-trip digits with their exponent: "d.ddde+XX".
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::scientific);
    const QString scientific = QString::fromLatin1(buffer, result.ptr - buffer);
    const qsizetype e = scientific.indexOf(QLatin1Char('e'));
    const bool negative = scientific.startsWith(QLatin1Char('-'));
    QString digits = scientific.left(e).remove(QLatin1Char('-')).remove(QLatin1Char('.'));
    const int exponent = scientific.mid(e + 1).toInt();
    const QString sign = negative ? QStringLiteral("-") : QString();

    const float magnitude = std::fabs(number);
    if (magnitude >= 0.0001f && magnitude <= 16777216.0f) {
        // Plain notation: place the point `exponent + 1` digits in.
        const int pointAt = exponent + 1;
        QString whole;
        QString fraction;
        if (pointAt <= 0) {
            whole = QStringLiteral("0");
            fraction = QString(-pointAt, QLatin1Char('0')) + digits;
        } else if (pointAt >= digits.size()) {
            whole = digits + QString(pointAt - digits.size(), QLatin1Char('0'));
        } else {
            whole = digits.left(pointAt);
            fraction = digits.mid(pointAt);
        }
        if (fraction.isEmpty())
            fraction = QStringLiteral("0");
        return sign + whole + QLatin1Char('.') + fraction;
    }
    QString mantissa = digits.left(1);
    if (digits.size() > 1)
        mantissa += QLatin1Char('.') + digits.mid(1);
    const QString exponentDigits =
        QString::number(std::abs(exponent)).rightJustified(2, QLatin1Char('0'));
    return sign + mantissa + QLatin1Char('e') +
           (exponent < 0 ? QLatin1Char('-') : QLatin1Char('+')) + exponentDigits;
}

} // namespace NumberText
