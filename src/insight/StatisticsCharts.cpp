#include "insight/StatisticsCharts.h"

#include "platform/core/CurrencyText.h"

#include <QAbstractAxis>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QCursor>
#include <QHash>
#include <QHorizontalBarSeries>
#include <QLegend>
#include <QLegendMarker>
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

// An axis of amounts from 0 (or the smallest amount, when below 0) past the largest, in whole
// steps, each labelled in the locale's way (grouped thousands, its decimal point), which Qt's
// printf-like label formats cannot do.
QCategoryAxis* amountAxis(double smallest, double largest, bool whole, QObject* parent)
{
    const double step = tickStep(std::max(largest, -smallest), whole);
    const qint64 first = smallest < 0.0 ? qint64(std::floor(smallest / step)) : 0;
    const qint64 last = std::max(qint64(std::ceil(largest / step)), first + 1);
    // As many decimals as the step needs, and two for parts of a whole.
    const int decimals = step < 1.0 ? std::max(2, int(std::ceil(-std::log10(step) - 1e-9))) : 0;
    auto* axis = new QCategoryAxis(parent);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    // Each label names the end of a category: the first one ends where the axis starts.
    axis->setStartValue(double(first - 1) * step);
    const QLocale locale;
    for (qint64 tick = first; tick <= last; ++tick)
        axis->append(locale.toString(double(tick) * step, 'f', decimals), double(tick) * step);
    axis->setRange(double(first) * step, double(last) * step);
    return axis;
}

// Series of one name are one line drawn in pieces: every piece takes the first one's pen, and
// only the first one is in the legend.
void drawPiecesAlike(QChart& chart)
{
    QHash<QString, const QXYSeries*> firstPieces;
    const QList<QAbstractSeries*> all = chart.series();
    for (QAbstractSeries* series : all) {
        auto* piece = qobject_cast<QXYSeries*>(series);
        if (!piece)
            continue;
        const auto first = firstPieces.constFind(piece->name());
        if (first == firstPieces.cend()) {
            firstPieces.insert(piece->name(), piece);
            continue;
        }
        piece->setPen((*first)->pen());
        const QList<QLegendMarker*> markers = chart.legend()->markers(piece);
        for (QLegendMarker* marker : markers)
            marker->setVisible(false);
    }
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
    QCategoryAxis* amounts = amountAxis(smallest, largest, amount == Amount::Stamps, chart);
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
    // One piece of each line per run of consecutive years: a year without stamps is a gap, never
    // a line drawn across it as if its stamps were worth something in between.
    QList<QLineSeries*> pieces;
    double smallest = 0.0;
    double largest = 0.0;
    for (qsizetype i = 0; i < years.size(); ++i) {
        const CollectionStatistics::Year& year = years.at(i);
        if (i == 0 || year.year != years.at(i - 1).year + 1) {
            for (const QString& name : {tr("Cost"), tr("Value")}) {
                auto* piece = new QLineSeries(chart);
                piece->setName(name);
                pieces.append(piece);
            }
        }
        pieces.at(pieces.size() - 2)->append(year.year, year.sums.cost);
        pieces.last()->append(year.year, year.sums.value);
        smallest = std::min({smallest, year.sums.cost, year.sums.value});
        largest = std::max({largest, year.sums.cost, year.sums.value});
    }
    // Every cost piece first, so the theme gives the lines the colours of two series.
    std::stable_partition(pieces.begin(), pieces.end(),
                          [&](const QLineSeries* piece) { return piece->name() == tr("Cost"); });
    for (QLineSeries* piece : std::as_const(pieces)) {
        // A year alone is a point, which a line without markers would not show.
        piece->setPointsVisible(true);
        chart->addSeries(piece);
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
    // Years are never grouped: 1962, not 1,962.
    yearAxis->setLabelFormat(QStringLiteral("%.0f"));
    yearAxis->setTitleText(tr("Year of issue"));
    QCategoryAxis* amounts = amountAxis(smallest, largest, false, chart);
    amounts->setTitleText(amountTitle(Amount::Money));
    chart->addAxis(yearAxis, Qt::AlignBottom);
    chart->addAxis(amounts, Qt::AlignLeft);
    for (QLineSeries* piece : std::as_const(pieces)) {
        piece->attachAxis(yearAxis);
        piece->attachAxis(amounts);
    }
    drawPiecesAlike(*chart);
    return chart;
}

void StatisticsCharts::followPalette(QChart& chart, const QPalette& palette)
{
    const QColor window = palette.color(QPalette::Window);
    const QColor text = palette.color(QPalette::WindowText);
    const QColor lines = palette.color(QPalette::Mid);
    // The theme gives the series colours that stand out on a light or a dark background.
    chart.setTheme(window.lightness() < 128 ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    // The theme colours each series anew, the pieces of one line too.
    drawPiecesAlike(chart);
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
