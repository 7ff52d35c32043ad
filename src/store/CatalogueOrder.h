#pragma once

#include <QString>
#include <string_view>

// Scott numbers in the order catalogues print them: "1, 1A, 1a, 2, 10, 10a, C1, C12", where code
// point order gives "1, 10, 10a, 1A, 2, C1, C12".
//
// A number is read as runs: a run of digits compares by its value (leading zeros aside) and
// comes before any other character, other characters compare one by one with ASCII letters
// folded to one case, and spaces are passed over. So the prefix letters decide first, then the
// number, then the suffix, and a text without digits sorts among the prefixes ("C" before "C1").
// Two texts equal by that rule ("1A" and "1a", "01" and "1", "C 1" and "C1") are ordered by
// their code points, so only equal texts compare equal: ties stay the ties of code point order.
// The empty text comes first; the store puts absent numbers before every text, as it always does.
namespace CatalogueOrder {

// The name the store's connection knows this order by, as in ORDER BY x COLLATE CATALOGUE.
inline constexpr const char* CollationName = "CATALOGUE";

// Negative, zero or positive as a sorts before, with or after b; both in UTF-8.
int compareUtf8(std::string_view a, std::string_view b);
int compare(const QString& a, const QString& b);

inline bool lessThan(const QString& a, const QString& b)
{
    return compare(a, b) < 0;
}

} // namespace CatalogueOrder
