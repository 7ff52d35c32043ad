#include "browse/StampSegments.h"

#include "app/Preferences.h"

#include <QCoreApplication>
#include <iterator>

namespace StampSegments {
namespace {

// The texts belong to the stamp list, where they were first shown.
constexpr Segment Segments[] = {
    {
        .title = QT_TRANSLATE_NOOP("ListTableViewController", "Name"),
        .placeholder = QT_TRANSLATE_NOOP("ListTableViewController", "Search by Denomination"),
        .sortKeys = {"denomination", "yearOfIssue", "value", "scottNumber"},
        .searched = StampSearch::Attribute::Denomination,
    },
    {
        .title = QT_TRANSLATE_NOOP("ListTableViewController", "Year"),
        .placeholder = QT_TRANSLATE_NOOP("ListTableViewController", "Search by Year"),
        .sortKeys = {"yearOfIssue", "denomination", "scottNumber", "value"},
        .searched = StampSearch::Attribute::Year,
    },
    {
        .title = QT_TRANSLATE_NOOP("ListTableViewController", "Scott #"),
        .placeholder = QT_TRANSLATE_NOOP("ListTableViewController", "Search by Scott #"),
        .sortKeys = {"scottNumber", "denomination", "yearOfIssue", "value"},
        .searched = StampSearch::Attribute::ScottNumber,
    },
    {
        .title = QT_TRANSLATE_NOOP("ListTableViewController", "Value"),
        .placeholder = QT_TRANSLATE_NOOP("ListTableViewController", "Search by Value"),
        .sortKeys = {"value", "denomination", "yearOfIssue", "scottNumber"},
        .searched = StampSearch::Attribute::Value,
    },
};

QString translated(const char* text)
{
    return QCoreApplication::translate("ListTableViewController", text);
}

} // namespace

int count()
{
    return int(std::size(Segments));
}

const Segment* at(int index)
{
    return index >= 0 && index < count() ? &Segments[index] : nullptr;
}

QStringList titles()
{
    QStringList all;
    for (const Segment& each : Segments)
        all.append(translated(each.title));
    return all;
}

QString placeholder(const Segment& segment)
{
    return translated(segment.placeholder);
}

QList<SortDescriptor> order(const Segment& segment, bool ascending, const Preferences& preferences)
{
    QList<SortDescriptor> keys;
    for (const char* key : segment.sortKeys)
        keys.append(preferences.sortBy(QString::fromLatin1(key), ascending));
    return keys;
}

int withFirstKey(const QString& key)
{
    for (int index = 0; index < count(); ++index) {
        if (key == QLatin1String(Segments[index].sortKeys[0]))
            return index;
    }
    return -1;
}

} // namespace StampSegments
