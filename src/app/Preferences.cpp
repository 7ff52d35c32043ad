#include "app/Preferences.h"

#include "platform/core/UserDefaults.h"
#include "store/CatalogueOrder.h"
#include "store/TextOrder.h"

#include <algorithm>

namespace {

const QString CatalogueScottOrderKey = QStringLiteral("CatalogueScottOrder");
const QString BackupsKeptKey = QStringLiteral("BackupsKeptBeforeImport");
const QString ScottNumberKey = QStringLiteral("scottNumber");
const QString ListLayoutKey = QStringLiteral("ListLayout");

} // namespace

bool Preferences::catalogueScottOrder() const
{
    return m_defaults.boolForKey(CatalogueScottOrderKey);
}

void Preferences::setCatalogueScottOrder(bool on)
{
    m_defaults.setBool(CatalogueScottOrderKey, on);
}

int Preferences::backupsKept() const
{
    // A value edited by hand into something else reads as the default, never as "keep none".
    bool isNumber = false;
    const int count = m_defaults.objectForKey(BackupsKeptKey).toInt(&isNumber);
    if (!isNumber || count < FewestBackupsKept || count > MostBackupsKept)
        return DefaultBackupsKept;
    return count;
}

void Preferences::setBackupsKept(int count)
{
    m_defaults.setObject(BackupsKeptKey, std::clamp(count, FewestBackupsKept, MostBackupsKept));
}

bool Preferences::catalogueOrderFor(const QString& key) const
{
    return key == ScottNumberKey && catalogueScottOrder();
}

SortDescriptor Preferences::sortBy(const QString& key, bool ascending) const
{
    return {key, ascending,
            catalogueOrderFor(key) ? TextOrdering::Catalogue : TextOrdering::CodePoint};
}

bool Preferences::textLessThan(const QString& key, const QString& a, const QString& b) const
{
    return catalogueOrderFor(key) ? CatalogueOrder::lessThan(a, b) : TextOrder::lessThan(a, b);
}

Preferences::ListLayout Preferences::listLayout() const
{
    const QString kept = m_defaults.objectForKey(ListLayoutKey).toString();
    if (kept == QLatin1String("table"))
        return ListLayout::Table;
    if (kept == QLatin1String("cards"))
        return ListLayout::Cards;
    return ListLayout::Automatic;
}

void Preferences::setListLayout(ListLayout layout)
{
    const char* names[] = {"automatic", "table", "cards"};
    m_defaults.setObject(ListLayoutKey, QString::fromLatin1(names[int(layout)]));
}

bool Preferences::showsTable(int listWidth) const
{
    switch (listLayout()) {
    case ListLayout::Table:
        return true;
    case ListLayout::Cards:
        return false;
    case ListLayout::Automatic:
        break;
    }
    return listWidth >= TableWidth;
}
