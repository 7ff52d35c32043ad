#include "store/NumberText.h"

#include <QRegularExpression>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace NumberText {

namespace {

// A decimal in C form ("-12.5", ".5", "1e3", as readAmount's pattern allows) rounded once, to the
// nearest float: read as a double first and then narrowed, "16777217.000000001" would round
// twice and become 16777216 instead of 16777218.
std::optional<float> nearestFloat(const QString& decimal)
{
    const QByteArray latin = decimal.toLatin1();
    const char* first = latin.constData();
    const char* const last = first + latin.size();
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    if (first == last || *first == '+' || *first == '-')
        return std::nullopt;
    float magnitude = 0;
    const auto [end, error] = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (end != last)
        return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        // Beyond the range of a float is no amount; a double's amount below a float's smallest
        // step is zero.
        double wide = 0;
        const auto [wideEnd, wideError] = std::from_chars(first, last, wide);
        if (wideEnd != last || wideError != std::errc() || std::fabs(wide) >= 1.0)
            return std::nullopt;
        magnitude = 0;
    } else if (error != std::errc() || !std::isfinite(magnitude)) {
        return std::nullopt;
    }
    return negative ? -magnitude : magnitude;
}

// The C form of a number the locale has read: its digits, point, signs and exponent in ASCII,
// its group separators left out.
QString cForm(const QString& number, const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    const QString minus = locale.negativeSign();
    const QString plus = locale.positiveSign();
    const QString exponent = locale.exponential();
    QString c;
    for (qsizetype i = 0; i < number.size();) {
        const QStringView rest = QStringView(number).mid(i);
        if (rest.startsWith(point)) {
            c += QLatin1Char('.');
            i += point.size();
        } else if (rest.startsWith(minus)) {
            c += QLatin1Char('-');
            i += minus.size();
        } else if (rest.startsWith(plus)) {
            c += QLatin1Char('+');
            i += plus.size();
        } else if (rest.front() == QLatin1Char('-') || rest.front() == QChar(0x2212)) {
            c += QLatin1Char('-');
            ++i;
        } else if (rest.front() == QLatin1Char('+')) {
            c += QLatin1Char('+');
            ++i;
        } else if (rest.startsWith(exponent, Qt::CaseInsensitive)) {
            c += QLatin1Char('e');
            i += exponent.size();
        } else {
            const char32_t character =
                QChar::isHighSurrogate(rest.front().unicode()) && rest.size() > 1
                    ? QChar::surrogateToUcs4(rest.at(0), rest.at(1))
                    : rest.front().unicode();
            if (const int digit = QChar::digitValue(character); digit >= 0)
                c += QLatin1Char(char('0' + digit));
            i += QChar::requiresSurrogates(character) ? 2 : 1;
        }
    }
    return c;
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
    number = number.trimmed();
    bool ok = false;
    const double read = locale.toDouble(number, &ok);
    if (!ok || !std::isfinite(read))
        return std::nullopt;
    // The locale decides what reads; the digits it read are then rounded once. Should the C form
    // not be those digits (a locale writing numbers in a way not foreseen here), the locale's
    // own reading is narrowed instead.
    const QString c = cForm(number, locale);
    bool cOk = false;
    if (c.toDouble(&cOk) == read && cOk)
        return nearestFloat(c);
    if (std::fabs(read) > std::numeric_limits<float>::max())
        return std::nullopt;
    return float(read);
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
    return nearestFloat(cleaned);
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

    // The shortest round-trip digits with their exponent: "-d.ddde+XX". Worked on in a char
    // buffer, as a search reads the text of every stamp's value.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::scientific);
    const std::string_view scientific(buffer, size_t(result.ptr - buffer));
    const size_t e = scientific.find('e');
    const bool negative = scientific.front() == '-';
    std::string digits;
    for (const char c : scientific.substr(0, e)) {
        if (c != '-' && c != '.')
            digits += c;
    }
    int exponent = 0;
    std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1),
                    scientific.data() + scientific.size(), exponent);

    std::string text = negative ? "-" : "";
    const float magnitude = std::fabs(number);
    if (magnitude >= 0.0001f && magnitude <= 16777216.0f) {
        // Plain notation: place the point `exponent + 1` digits in.
        const int pointAt = exponent + 1;
        if (pointAt <= 0) {
            text += "0.";
            text.append(size_t(-pointAt), '0');
            text += digits;
        } else if (size_t(pointAt) >= digits.size()) {
            text += digits;
            text.append(size_t(pointAt) - digits.size(), '0');
            text += ".0";
        } else {
            text += digits.substr(0, size_t(pointAt));
            text += '.';
            text += digits.substr(size_t(pointAt));
        }
        return QString::fromLatin1(text.data(), qsizetype(text.size()));
    }
    text += digits.front();
    if (digits.size() > 1) {
        text += '.';
        text += digits.substr(1);
    }
    text += exponent < 0 ? "e-" : "e+";
    const std::string exponentDigits = std::to_string(std::abs(exponent));
    if (exponentDigits.size() < 2)
        text += '0';
    text += exponentDigits;
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace NumberText
