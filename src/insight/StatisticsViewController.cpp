#include "insight/StatisticsViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/Reading.h"
#include "insight/ChartFiles.h"
#include "insight/StatisticsCharts.h"
#include "platform/core/Console.h"
#include "platform/core/CurrencyText.h"
#include "platform/gui/Alert.h"
#include "platform/gui/DocumentPicker.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Styling.h"
#include "store/ObjectContext.h"

#include <QChart>
#include <QChartView>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

namespace {

enum class Figure
{
    ValueByCountry,
    StampsByCountry,
    StampsByDecade,
    ValueByStatus,
    CostAndValueByYear
};

// A chart's height in lines of text: room for its title, axes and legend, and for each bar of a
// chart of bars, so the labels of fifteen countries stay readable.
constexpr int ChartLines = 18;
constexpr int LinesPerBar = 2;
constexpr int LinesAroundBars = 7;
// However small the font: below this the plot of the lines over the years is too flat to read.
constexpr int MinimumChartHeight = 240;

QLabel* makeFigureLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

struct StatisticsViewController::ChartEntry
{
    Figure figure;
    QChartView* StatisticsViewController::*view;
    QPushButton* StatisticsViewController::*button;
    const char* viewName;
    const char* buttonName;
    const char* title;
};

const QList<StatisticsViewController::ChartEntry>& StatisticsViewController::charts()
{
    using S = StatisticsViewController;
    static const QList<ChartEntry> all = {
        {Figure::ValueByCountry, &S::ValueByCountryChartView, &S::SaveValueByCountryButton,
         "ValueByCountryChartView", "SaveValueByCountryButton",
         QT_TRANSLATE_NOOP("StatisticsViewController", "Value by Country")},
        {Figure::StampsByCountry, &S::StampsByCountryChartView, &S::SaveStampsByCountryButton,
         "StampsByCountryChartView", "SaveStampsByCountryButton",
         QT_TRANSLATE_NOOP("StatisticsViewController", "Stamps Held by Country")},
        {Figure::StampsByDecade, &S::StampsByDecadeChartView, &S::SaveStampsByDecadeButton,
         "StampsByDecadeChartView", "SaveStampsByDecadeButton",
         QT_TRANSLATE_NOOP("StatisticsViewController", "Stamps Held by Decade of Issue")},
        {Figure::ValueByStatus, &S::ValueByStatusChartView, &S::SaveValueByStatusButton,
         "ValueByStatusChartView", "SaveValueByStatusButton",
         QT_TRANSLATE_NOOP("StatisticsViewController", "Value by Status")},
        {Figure::CostAndValueByYear, &S::CostAndValueByYearChartView,
         &S::SaveCostAndValueByYearButton, "CostAndValueByYearChartView",
         "SaveCostAndValueByYearButton",
         QT_TRANSLATE_NOOP("StatisticsViewController", "Cost and Value by Year of Issue")},
    };
    return all;
}

StatisticsViewController::StatisticsViewController(Environment& environment, QObject* parent)
    : ViewController(QStringLiteral("StatisticsViewController"), parent), m_environment(environment)
{
    setTitle(tr("Statistics"));
}

void StatisticsViewController::buildView(QWidget* view)
{
    auto* layout = new QVBoxLayout(view);
    EmptyStateLabel = makeFigureLabel("EmptyStateLabel", view);
    EmptyStateLabel->setAlignment(Qt::AlignCenter);
    EmptyStateLabel->setWordWrap(true);
    EmptyStateLabel->hide();
    layout->addWidget(EmptyStateLabel, 1);

    StatisticsScrollArea = new QScrollArea(view);
    StatisticsScrollArea->setObjectName(QStringLiteral("StatisticsScrollArea"));
    StatisticsScrollArea->setWidgetResizable(true);
    StatisticsScrollArea->setFrameShape(QFrame::NoFrame);
    // The charts take the window's width; only the page scrolls, downwards.
    StatisticsScrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(StatisticsScrollArea, 1);
    auto* page = new QWidget(StatisticsScrollArea);
    auto* pageLayout = new QVBoxLayout(page);

    auto* totals = new QFormLayout;
    totals->setRowWrapPolicy(QFormLayout::WrapLongRows);
    StampsHeldLabel = makeFigureLabel("StampsHeldLabel", page);
    DistinctStampsLabel = makeFigureLabel("DistinctStampsLabel", page);
    TotalCostLabel = makeFigureLabel("TotalCostLabel", page);
    TotalValueLabel = makeFigureLabel("TotalValueLabel", page);
    ValueMinusCostLabel = makeFigureLabel("ValueMinusCostLabel", page);
    totals->addRow(tr("Stamps held"), StampsHeldLabel);
    totals->addRow(tr("Distinct stamps"), DistinctStampsLabel);
    totals->addRow(tr("Cost"), TotalCostLabel);
    totals->addRow(tr("Value"), TotalValueLabel);
    totals->addRow(tr("Value minus cost"), ValueMinusCostLabel);
    pageLayout->addLayout(totals);

    for (const ChartEntry& entry : charts()) {
        auto* chartView = new QChartView(page);
        chartView->setObjectName(QString::fromLatin1(entry.viewName));
        chartView->setRenderHint(QPainter::Antialiasing);
        // A picture to look at: the keyboard goes from one save button to the next.
        chartView->setFocusPolicy(Qt::NoFocus);
        chartView->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        this->*entry.view = chartView;
        pageLayout->addWidget(chartView);
        // Said in the chart's place when it would have no bar or point at all.
        QLabel* note = makeFigureLabel("", page);
        note->setObjectName(QString::fromLatin1(entry.viewName)
                                .replace(QLatin1String("ChartView"), QLatin1String("NoteLabel")));
        note->setWordWrap(true);
        note->hide();
        m_notes.append(note);
        pageLayout->addWidget(note);

        const QString title = tr(entry.title);
        auto* save = new QPushButton(tr("Save Chart…"), page);
        save->setObjectName(QString::fromLatin1(entry.buttonName));
        save->setAccessibleName(tr("Save the chart %1").arg(title));
        save->setToolTip(tr("Save the chart as a PNG picture or an SVG drawing"));
        connect(save, &QPushButton::clicked, this, [this, chartView] { saveChart(chartView); });
        this->*entry.button = save;
        pageLayout->addWidget(save);
    }
    pageLayout->addStretch();
    StatisticsScrollArea->setWidget(page);
}

void StatisticsViewController::viewDidLoad()
{
    for (const ChartEntry& entry : charts())
        Styling::styleButton(this->*entry.button);
    showStatistics();
    StatisticsScrollArea->setFocus();
}

void StatisticsViewController::showStatistics()
{
    // The saved store: the screen opens from the main menu, where nothing is left unsaved.
    StoreResult<CollectionStatistics> read =
        CollectionStatistics::read(m_environment.appDelegate.viewContext().database());
    if (!read) {
        Console::printLine(read.error().description);
        Reading::tellNotRead(m_environment, read.error());
        showMessage(tr("The statistics could not be read."));
        return;
    }
    Statistics = std::move(read).value();
    if (Statistics.isEmpty()) {
        showMessage(tr("No stamps yet: add stamps to see statistics."));
        return;
    }

    const CollectionStatistics::Sums& totals = Statistics.totals;
    StampsHeldLabel->setText(QLocale().toString(totals.held));
    DistinctStampsLabel->setText(QLocale().toString(totals.stamps));
    TotalCostLabel->setText(currencyText(totals.cost));
    TotalValueLabel->setText(currencyText(totals.value));
    ValueMinusCostLabel->setText(currencyText(totals.valueMinusCost()));

    const int line = view()->fontMetrics().height();
    for (int i = 0; i < charts().size(); ++i) {
        const ChartEntry& entry = charts().at(i);
        QChartView* chartView = this->*entry.view;
        const MadeChart made = makeChart(i);
        StatisticsCharts::followPalette(*made.chart, view()->palette());
        // The view takes the chart and only lets go of the one it had (its own empty one at
        // first): that one is deleted here.
        const std::unique_ptr<QChart> previous(chartView->chart());
        chartView->setChart(made.chart);
        const int barLines = made.bars ? int(made.shown) * LinesPerBar : 0;
        chartView->setMinimumHeight(
            std::max(MinimumChartHeight, line * std::max(ChartLines, barLines + LinesAroundBars)));
        // A collection without values, say, gets a sentence rather than empty axes.
        const bool nothing = made.shown == 0;
        chartView->setHidden(nothing);
        (this->*entry.button)->setHidden(nothing);
        m_notes.at(i)->setHidden(!nothing);
        m_notes.at(i)->setText(tr("%1: nothing to show yet.").arg(tr(entry.title)));
    }
    StatisticsScrollArea->show();
    EmptyStateLabel->hide();
}

void StatisticsViewController::showMessage(const QString& message)
{
    EmptyStateLabel->setText(message);
    EmptyStateLabel->show();
    StatisticsScrollArea->hide();
}

StatisticsViewController::MadeChart StatisticsViewController::makeChart(int chartIndex) const
{
    const ChartEntry& entry = charts().at(chartIndex);
    const QString title = tr(entry.title);
    using Amount = StatisticsCharts::Amount;
    using Measure = CollectionStatistics::Measure;
    QList<CollectionStatistics::Bar> bars;
    switch (entry.figure) {
    case Figure::ValueByCountry:
    case Figure::StampsByCountry: {
        const bool value = entry.figure == Figure::ValueByCountry;
        bars = CollectionStatistics::ranked(
            Statistics.countries, value ? Measure::Value : Measure::Held, tr("(No Country)"));
        return {StatisticsCharts::barChart(title, bars, value ? Amount::Money : Amount::Stamps),
                bars.size(), true};
    }
    case Figure::ValueByStatus:
        bars = CollectionStatistics::ranked(Statistics.statuses, Measure::Value, tr("(No Status)"));
        return {StatisticsCharts::barChart(title, bars, Amount::Money), bars.size(), true};
    case Figure::StampsByDecade: {
        const QList<CollectionStatistics::Decade> decades = Statistics.decades();
        for (const CollectionStatistics::Decade& decade : decades)
            bars.append({CollectionStatistics::decadeLabel(decade), double(decade.held)});
        return {StatisticsCharts::barChart(title, bars, Amount::Stamps), bars.size(), true};
    }
    case Figure::CostAndValueByYear:
        break;
    }
    const QList<CollectionStatistics::Year> years = Statistics.datedYears();
    return {StatisticsCharts::costAndValueChart(title, years), years.size(), false};
}

void StatisticsViewController::saveChart(QChartView* chartView)
{
    const auto entry = std::find_if(charts().begin(), charts().end(), [&](const ChartEntry& e) {
        return this->*e.view == chartView;
    });
    if (entry == charts().end())
        return;
    const QString title = tr(entry->title);
    // The file dialog answers later; the screen may have gone by then.
    QPointer<StatisticsViewController> self(this);
    QPointer<QChartView> target(chartView);
    m_environment.services.documentPicker.pickFileToSave(
        presentingWidget(), tr("Save the Chart"), tr("Vellora %1.png").arg(title),
        {tr("PNG picture (*.png)"), tr("SVG drawing (*.svg)")},
        [self, target, title](const QString& path) {
            if (self && target && !path.isEmpty())
                self->writeChart(*target, title, path);
        });
}

void StatisticsViewController::writeChart(QChartView& chartView, const QString& title,
                                          const QString& path)
{
    if (const Result<void> written = ChartFiles::save(chartView, title, path); !written)
        m_environment.services.alerts.present(
            Alert::withOk(tr("Chart not Saved"), written.error()));
}

QWidget* StatisticsViewController::presentingWidget()
{
    if (NavigationController* navigation = navigationController())
        return navigation;
    return view();
}
