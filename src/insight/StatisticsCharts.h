#pragma once

#include "insight/CollectionStatistics.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

class QChart;
class QPalette;

// The statistics screen's charts, made from the figures the store added up.
class StatisticsCharts final
{
    Q_DECLARE_TR_FUNCTIONS(StatisticsCharts)

public:
    enum class Amount
    {
        Stamps,
        Money
    };

    // One bar per label, the first at the top, titled `title`; amounts of money or numbers of
    // stamps. The bars lie across, so long labels (countries, statuses) have room to be read
    // and any number of them fits a narrow window, the chart growing downwards.
    static QChart* barChart(const QString& title, const QList<CollectionStatistics::Bar>& bars,
                            Amount amount);
    // The cost and the value of each dated year's stamps, two lines over the years.
    static QChart* costAndValueChart(const QString& title,
                                     const QList<CollectionStatistics::Year>& years);
    // Takes the chart's theme (light or dark) and its colours from the palette.
    static void followPalette(QChart& chart, const QPalette& palette);
    // The title of an axis of amounts: "Value ($)", "Stamps held".
    static QString amountTitle(Amount amount);
};
