#include "browse/StampSearch.h"

#include "store/Entities.h"
#include "store/NumberText.h"

namespace StampSearch {

bool denominationContains(const Stamps& stamp, const QString& text)
{
    const std::optional<QString> denomination = stamp.denomination();
    return denomination && denomination->toLower().contains(text.toLower());
}

bool yearContains(const Stamps& stamp, const QString& text)
{
    return QString::number(stamp.yearOfIssue()).contains(text);
}

bool scottNumberContains(const Stamps& stamp, const QString& text)
{
    const std::optional<QString> scottNumber = stamp.scottNumber();
    return scottNumber && !scottNumber->isEmpty() &&
           scottNumber->toLower().contains(text.toLower());
}

bool valueContains(const Stamps& stamp, const QString& text)
{
    return NumberText::floatText(stamp.value()).contains(text);
}

} // namespace StampSearch
