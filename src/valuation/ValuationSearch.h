#pragma once

#include <QString>
#include <QUrl>

// Where the valuation screen looks a stamp's market value up.
namespace ValuationSearch {

// A web search asking what a stamp of that year, country and denomination is worth. The typed
// texts are percent-encoded, so "&", "#", "+" or non-ASCII text reach the search engine as typed;
// spaces become "+", and each "++" one "+". An invalid address when the texts cannot form one.
QUrl webSearchUrl(const QString& year, const QString& country, const QString& denomination);

// The home pages of the two stamp marketplaces.
QUrl delcampeUrl();
QUrl hipStampUrl();

} // namespace ValuationSearch
