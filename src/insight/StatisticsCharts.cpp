#include "insight/StatisticsCharts.h"

#include "platform/core/CurrencyText.h"

#include <QAbstractAxis>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QCursor>
#include <QHorizontalBarSeries>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QPalette>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

// A step of 1, 2 or 5 times a power of ten that puts about five ticks up to `largest`; whole
// numbers of stamps step by at least one.
double tickStep(double largest, bool whole)
{
    if (largest <= 0.0)
        return 1.0;
    const double rough = largest / 5.0;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power * 5.0;
    for (const double factor : {1.0, 2.0}) {
        if (rough <= power * factor) {
            step = power * factor;
            break;
        }
    }
    return whole ? std::max(step, 1.0) : step;
}

// An axis from 0 (or the smallest amount, when below 0) past the largest, in whole steps.
void fitAmounts(QValueAxis& axis, double smallest, double largest, bool whole)
{
    const double step = tickStep(std::max(largest, -smallest), whole);
    const double low = smallest < 0.0 ? std::floor(smallest / step) * step : 0.0;
    const double high = std::max(std::ceil(largest / step) * step, low + step);
    axis.setRange(low, high);
    axis.setTickType(QValueAxis::TicksDynamic);
    axis.setTickAnchor(0.0);
    axis.setTickInterval(step);
    axis.setLabelFormat(step < 1.0 ? QStringLiteral("%.2f") : QStringLiteral("%.0f"));
}

QString amountText(double amount, StatisticsCharts::Amount kind)
{
    return kind == StatisticsCharts::Amount::Money ? currencyText(amount)
                                                   : QLocale().toString(qint64(amount));
}

} // namespace

QString StatisticsCharts::amountTitle(Amount amount)
{
    if (amount == Amount::Stamps)
        return tr("Stamps held");
    const QString symbol = QLocale().currencySymbol();
    return symbol.isEmpty() ? tr("Value") : tr("Value (%1)").arg(symbol);
}

QChart* StatisticsCharts::barChart(const QString& title,
                                   const QList<CollectionStatistics::Bar>& bars, Amount amount)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->legend()->hide();
    auto* series = new QHorizontalBarSeries(chart);
    auto* set = new QBarSet(amountTitle(amount), series);
    QStringList labels;
    double smallest = 0.0;
    double largest = 0.0;
    // The axis of categories runs from the bottom up: the first bar goes last.
    QList<CollectionStatistics::Bar> shown = bars;
    std::reverse(shown.begin(), shown.end());
    for (const CollectionStatistics::Bar& bar : std::as_const(shown)) {
        set->append(bar.amount);
        labels << bar.label;
        smallest = std::min(smallest, bar.amount);
        largest = std::max(largest, bar.amount);
    }
    series->append(set);
    chart->addSeries(series);

    auto* categories = new QBarCategoryAxis(chart);
    categories->append(labels);
    auto* amounts = new QValueAxis(chart);
    fitAmounts(*amounts, smallest, largest, amount == Amount::Stamps);
    amounts->setTitleText(amountTitle(amount));
    chart->addAxis(categories, Qt::AlignLeft);
    chart->addAxis(amounts, Qt::AlignBottom);
    series->attachAxis(categories);
    series->attachAxis(amounts);

    // The exact figure of a bar, where the axis gives only its size.
    QObject::connect(set, &QBarSet::hovered, chart, [labels, set, amount](bool over, int index) {
        if (over)
            QToolTip::showText(
                QCursor::pos(),
                tr("%1: %2").arg(labels.value(index), amountText(set->at(index), amount)));
        else
            QToolTip::hideText();
    });
    return chart;
}

QChart* StatisticsCharts::costAndValueChart(const QString& title,
                                            const QList<CollectionStatistics::Year>& years)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    auto* cost = new QLineSeries(chart);
    cost->setName(tr("Cost"));
    auto* value = new QLineSeries(chart);
    value->setName(tr("Value"));
    double smallest = 0.0;
    double largest = 0.0;
    for (const CollectionStatistics::Year& year : years) {
        cost->append(year.year, year.sums.cost);
        value->append(year.year, year.sums.value);
        smallest = std::min({smallest, year.sums.cost, year.sums.value});
        largest = std::max({largest, year.sums.cost, year.sums.value});
    }
    for (QLineSeries* line : {cost, value}) {
        // A year alone is a point, which a line without markers would not show.
        line->setPointsVisible(true);
        chart->addSeries(line);
    }

    auto* yearAxis = new QValueAxis(chart);
    const int first = years.isEmpty() ? 0 : years.first().year;
    const int last = years.isEmpty() ? 0 : years.last().year;
    const double step = tickStep(std::max(last - first, 1), true);
    yearAxis->setRange(std::floor(first / step) * step,
                       std::max(std::ceil(last / step) * step, first + step));
    yearAxis->setTickType(QValueAxis::TicksDynamic);
    yearAxis->setTickAnchor(0.0);
    yearAxis->setTickInterval(step);
    yearAxis->setLabelFormat(QStringLiteral("%.0f"));
    yearAxis->setTitleText(tr("Year of issue"));
    auto* amounts = new QValueAxis(chart);
    fitAmounts(*amounts, smallest, largest, false);
    amounts->setTitleText(amountTitle(Amount::Money));
    chart->addAxis(yearAxis, Qt::AlignBottom);
    chart->addAxis(amounts, Qt::AlignLeft);
    for (QLineSeries* line : {cost, value}) {
        line->attachAxis(yearAxis);
        line->attachAxis(amounts);
    }
    return chart;
}

void StatisticsCharts::followPalette(QChart& chart, const QPalette& palette)
{
    const QColor window = palette.color(QPalette::Window);
    const QColor text = palette.color(QPalette::WindowText);
    const QColor lines = palette.color(QPalette::Mid);
    // The theme gives the series colours that stand out on a light or a dark background.
    chart.setTheme(window.lightness() < 128 ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    chart.setBackgroundBrush(window);
    chart.setTitleBrush(text);
    chart.legend()->setLabelColor(text);
    const QList<QAbstractAxis*> axes = chart.axes();
    for (QAbstractAxis* axis : axes) {
        axis->setLabelsBrush(text);
        axis->setTitleBrush(text);
        axis->setLinePenColor(lines);
        axis->setGridLineColor(lines);
    }
}
