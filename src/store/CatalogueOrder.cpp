#include "store/CatalogueOrder.h"

#include <QByteArray>

namespace CatalogueOrder {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

unsigned char folded(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

// The digits of a run from `at`, without its leading zeros; `at` moves past the run.
std::string_view digitRun(std::string_view text, size_t& at)
{
    while (at < text.size() && text[at] == '0')
        ++at;
    const size_t start = at;
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return text.substr(start, at - start);
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

int byCatalogue(std::string_view a, std::string_view b)
{
    size_t i = 0;
    size_t j = 0;
    while (true) {
        while (i < a.size() && isSpace(a[i]))
            ++i;
        while (j < b.size() && isSpace(b[j]))
            ++j;
        if (i == a.size() || j == b.size())
            return int(i < a.size()) - int(j < b.size());
        const bool digitA = isDigit(a[i]);
        const bool digitB = isDigit(b[j]);
        if (digitA != digitB)
            return digitA ? -1 : 1;
        if (digitA) {
            // Runs of any length: a longer run without leading zeros is the larger number.
            const std::string_view x = digitRun(a, i);
            const std::string_view y = digitRun(b, j);
            if (x.size() != y.size())
                return x.size() < y.size() ? -1 : 1;
            if (const int c = x.compare(y); c != 0)
                return sign(c);
            continue;
        }
        // UTF-8 bytes compare in code point order, so a character beyond ASCII needs no decoding.
        const unsigned char x = folded(a[i++]);
        const unsigned char y = folded(b[j++]);
        if (x != y)
            return x < y ? -1 : 1;
    }
}

} // namespace

int compareUtf8(std::string_view a, std::string_view b)
{
    if (const int c = byCatalogue(a, b); c != 0)
        return c;
    return sign(a.compare(b));
}

int compare(const QString& a, const QString& b)
{
    const QByteArray x = a.toUtf8();
    const QByteArray y = b.toUtf8();
    return compareUtf8(std::string_view(x.constData(), size_t(x.size())),
                       std::string_view(y.constData(), size_t(y.size())));
}

} // namespace CatalogueOrder
