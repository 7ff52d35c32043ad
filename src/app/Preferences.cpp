#include "app/Preferences.h"

#include "platform/core/UserDefaults.h"
#include "store/CatalogueOrder.h"
#include "store/TextOrder.h"

#include <algorithm>

namespace {

const QString CatalogueScottOrderKey = QStringLiteral("CatalogueScottOrder");
const QString BackupsKeptKey = QStringLiteral("BackupsKeptBeforeImport");
const QString ScottNumberKey = QStringLiteral("scottNumber");

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
