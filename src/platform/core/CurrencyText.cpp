#include "platform/core/CurrencyText.h"

#include <QLocale>

QString currencyText(double amount)
{
    return QLocale().toCurrencyString(amount);
}
