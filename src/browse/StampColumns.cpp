#include "browse/StampColumns.h"

#include "store/Entities.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>
#include <array>

namespace StampColumns {
namespace {

struct ColumnDescription
{
    const char* title;
    const char* sortKey; // nullptr: not sortable
    bool number;
};

// In the order of Column.
constexpr std::array<ColumnDescription, Count> Columns{{
    {QT_TRANSLATE_NOOP("StampColumns", "Stamp"), nullptr, false},
    {QT_TRANSLATE_NOOP("StampColumns", "Picture"), nullptr, false},
    {QT_TRANSLATE_NOOP("StampColumns", "Country"), "country", false},
    {QT_TRANSLATE_NOOP("StampColumns", "Scott #"), "scottNumber", false},
    {QT_TRANSLATE_NOOP("StampColumns", "Denomination"), "denomination", false},
    {QT_TRANSLATE_NOOP("StampColumns", "Year"), "yearOfIssue", true},
    {QT_TRANSLATE_NOOP("StampColumns", "Description"), "descrip", false},
    {QT_TRANSLATE_NOOP("StampColumns", "Condition"), "condition", false},
    {QT_TRANSLATE_NOOP("StampColumns", "Grade"), "grade", false},
    {QT_TRANSLATE_NOOP("StampColumns", "Status"), "status", false},
    {QT_TRANSLATE_NOOP("StampColumns", "Qty"), "quantity", true},
    {QT_TRANSLATE_NOOP("StampColumns", "Cost"), "cost", true},
    {QT_TRANSLATE_NOOP("StampColumns", "Value"), "value", true},
    {QT_TRANSLATE_NOOP("StampColumns", "Total"), nullptr, true},
}};

bool valid(int column)
{
    return column >= 0 && column < Count;
}

QString amount(double value)
{
    return QLocale().toString(value, 'f', 2);
}

} // namespace

QString title(int column)
{
    return valid(column) ? QCoreApplication::translate("StampColumns", Columns[column].title)
                         : QString();
}

QString sortKey(int column)
{
    return valid(column) && Columns[column].sortKey ? QString::fromLatin1(Columns[column].sortKey)
                                                    : QString();
}

int columnOf(const QString& key)
{
    for (int column = 0; column < Count; ++column) {
        if (Columns[column].sortKey && key == QLatin1String(Columns[column].sortKey))
            return column;
    }
    return -1;
}

bool isNumber(int column)
{
    return valid(column) && Columns[column].number;
}

double total(const Stamps& stamp)
{
    const int copies = stamp.quantity() == 0 ? 1 : stamp.quantity();
    return double(copies) * double(stamp.value());
}

QString text(const Stamps& stamp, int column)
{
    const auto or_ = [](const std::optional<QString>& value) { return value.value_or(QString()); };
    switch (Column(column)) {
    case Country:
        return or_(stamp.country());
    case ScottNumber:
        return or_(stamp.scottNumber());
    case Denomination:
        return or_(stamp.denomination());
    case Year:
        // A year reads without a group separator.
        return QString::number(stamp.yearOfIssue());
    case Description:
        return or_(stamp.descrip());
    case Condition:
        return or_(stamp.condition());
    case Grade:
        return or_(stamp.grade());
    case Status:
        return or_(stamp.status());
    case Quantity:
        return QLocale().toString(stamp.quantity());
    case Cost:
        return amount(double(stamp.cost()));
    case Value:
        return amount(double(stamp.value()));
    case Total:
        return amount(total(stamp));
    case Card:
    case Picture:
    case Count:
        break;
    }
    return {};
}

QString tabSeparated(const QList<const Stamps*>& stamps, const QList<int>& columns)
{
    static const QRegularExpression breaks(QStringLiteral("[\\t\\r\\n\\x{2028}\\x{2029}]"));
    const auto line = [&columns](const auto& cell) {
        QStringList cells;
        for (const int column : columns)
            cells << cell(column).replace(breaks, QStringLiteral(" "));
        return cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    };
    QString result = line([](int column) { return title(column); });
    for (const Stamps* stamp : stamps)
        result += line([stamp](int column) { return text(*stamp, column); });
    return result;
}

} // namespace StampColumns
