#pragma once

#include <QString>

class Stamps;

// The searches of the lists of stamps: plain substring containment of the search text.
namespace StampSearch {

// Case-insensitive; a stamp without a denomination never matches.
bool denominationContains(const Stamps& stamp, const QString& text);
// In the year as a plain decimal integer (1962, 0, -5).
bool yearContains(const Stamps& stamp, const QString& text);
// Case-insensitive; a stamp without a Scott number, or with an empty one, never matches.
bool scottNumberContains(const Stamps& stamp, const QString& text);
// In the value's float text (12.5, 3.0, 1e-05).
bool valueContains(const Stamps& stamp, const QString& text);

} // namespace StampSearch
