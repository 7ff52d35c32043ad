#pragma once

#include <QString>

// An amount as currency text in the current locale ("$1,234.50" in the United States).
QString currencyText(double amount);
