#pragma once

#include <QLocale>
#include <QString>
#include <optional>

// How the collector's number texts are read.
namespace NumberText {

// A whole number of a 16-bit field: an optional "+" or "-", then ASCII digits, from -32768 to
// 32767. Nothing around it: " 12" and "12a" do not read.
std::optional<qint16> readWholeNumber(const QString& text);

// An amount as typed: every "$" and "," removed, then a decimal number with a point, read the
// same in every locale and held in single precision. A lone point, "1.2.3" or an amount beyond
// the range of a float do not read.
std::optional<float> readAmount(const QString& text);

// An amount as the collector types it or as a form shows it. It is read in the locale first: the
// locale's currency symbol or "$" may stand before or after the number, and the locale's group
// separators only where the locale puts them, so in German "12,5" is 12.5 and "1.234,5" is
// 1234.5. A text that does not read so, or has spaces around it, reads as readAmount does: "12.5"
// is 12.5 in German too, and in English "12,5" is 125.
std::optional<float> readTypedAmount(const QString& text, const QLocale& locale = QLocale());

// The two-decimal text a form shows for an amount, with the locale's grouping.
QString shownAmount(float amount, const QLocale& locale = QLocale());

// A float as the collection writes it: the shortest digits that read back as the same
// single-precision number, in plain notation with at least one digit after the point when it is
// zero or its magnitude is from 0.0001 to 16777216 (12.5, 3.0, 0.0), otherwise in exponent
// notation with a sign and at least two exponent digits (1e-05, 3.3554432e+07).
QString floatText(float number);

} // namespace NumberText
