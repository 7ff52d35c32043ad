#pragma once

#include <QString>
#include <algorithm>

namespace TextOrder {

// Texts in code point order, the order SQLite's binary collation gives their UTF-8 bytes:
// case-sensitive, "B" before "a", "1900" before "999", the empty text first.
inline int compare(const QString& a, const QString& b)
{
    const auto fixup = [](char16_t unit) -> int {
        // Surrogates encode code points above every other UTF-16 unit.
        if (unit >= 0xE000)
            return unit - 0x800;
        if (unit >= 0xD800)
            return unit + 0x2000;
        return unit;
    };
    const qsizetype length = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t x = a.at(i).unicode();
        const char16_t y = b.at(i).unicode();
        if (x != y)
            return fixup(x) < fixup(y) ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

inline bool lessThan(const QString& a, const QString& b)
{
    return compare(a, b) < 0;
}

} // namespace TextOrder
