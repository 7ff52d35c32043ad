#pragma once

#include "store/Model.h"
#include "store/Predicate.h"

#include <QString>
#include <QStringList>
#include <array>

// The record line of the export file, shared by its writer and its reader: 22 fields in the
// alphabetical order of the attribute names with the picture last, joined by "^". Texts escape
// backslash, "^", line feed and carriage return with a backslash, so a field never holds a
// separator or a line end.
namespace ExchangeFormat {

inline constexpr int FieldCount = 22;
inline constexpr QChar Separator = u'^';

struct Field
{
    const char* attribute;
    AttributeType type;
};

inline constexpr std::array<Field, FieldCount> Fields{{
    {"cancellation", AttributeType::Text}, {"centering", AttributeType::Text},
    {"color", AttributeType::Text},        {"condition", AttributeType::Text},
    {"cost", AttributeType::Float},        {"country", AttributeType::Text},
    {"denomination", AttributeType::Text}, {"descrip", AttributeType::Text},
    {"faults", AttributeType::Text},       {"grade", AttributeType::Text},
    {"gum", AttributeType::Text},          {"margins", AttributeType::Text},
    {"notes", AttributeType::Text},        {"paper", AttributeType::Text},
    {"perforations", AttributeType::Text}, {"quantity", AttributeType::Int16},
    {"scottNumber", AttributeType::Text},  {"series", AttributeType::Text},
    {"status", AttributeType::Text},       {"value", AttributeType::Float},
    {"yearOfIssue", AttributeType::Int16}, {"stampImage", AttributeType::Bytes},
}};

// Zero-based positions of the match key.
inline constexpr int CountryField = 5;
inline constexpr int DenominationField = 6;
inline constexpr int YearField = 20;

// The order stamps are written in: denomination, year of issue, country.
QList<SortDescriptor> exportOrder();

// Appends the text with "\" written "\\", "^" "\^", line feed "\n" and carriage return "\r".
void appendEscaped(QString& out, const QString& text);
// Undoes exactly those four sequences; any other backslash stays as it is.
QString unescaped(const QString& field);
// The line's fields, split at every "^" that no backslash escapes, still escaped.
QStringList splitFields(const QString& line);

} // namespace ExchangeFormat
