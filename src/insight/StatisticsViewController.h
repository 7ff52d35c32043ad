#pragma once

#include "insight/CollectionStatistics.h"
#include "platform/gui/ViewController.h"

#include <QList>

class QChart;
class QChartView;
class QLabel;
class QPushButton;
class QScrollArea;
struct Environment;

// What the collection holds, in figures and charts: its totals, its value and stamps by country,
// its stamps by decade of issue, its value by status, and cost against value over the years of
// issue. Each chart can be saved as a PNG picture or an SVG drawing. The figures are those of the
// saved store when the screen opened.
class StatisticsViewController final : public ViewController
{
    Q_OBJECT

public:
    explicit StatisticsViewController(Environment& environment, QObject* parent = nullptr);

    QScrollArea* StatisticsScrollArea = nullptr;
    QLabel* EmptyStateLabel = nullptr;
    QLabel* StampsHeldLabel = nullptr;
    QLabel* DistinctStampsLabel = nullptr;
    QLabel* TotalCostLabel = nullptr;
    QLabel* TotalValueLabel = nullptr;
    QLabel* ValueMinusCostLabel = nullptr;
    QChartView* ValueByCountryChartView = nullptr;
    QChartView* StampsByCountryChartView = nullptr;
    QChartView* StampsByDecadeChartView = nullptr;
    QChartView* ValueByStatusChartView = nullptr;
    QChartView* CostAndValueByYearChartView = nullptr;
    QPushButton* SaveValueByCountryButton = nullptr;
    QPushButton* SaveStampsByCountryButton = nullptr;
    QPushButton* SaveStampsByDecadeButton = nullptr;
    QPushButton* SaveValueByStatusButton = nullptr;
    QPushButton* SaveCostAndValueByYearButton = nullptr;

    // The figures shown, read when the screen loaded.
    CollectionStatistics Statistics;

    void viewDidLoad() override;

public Q_SLOTS:
    // Asks for a file and writes the chart there, as PNG or SVG by the file's ending; a file that
    // cannot be written is told.
    void saveChart(QChartView* chartView);

protected:
    void buildView(QWidget* view) override;

private:
    struct ChartEntry;
    static const QList<ChartEntry>& charts();

    // Shows the figures, or the empty state in their place.
    void showStatistics();
    void showMessage(const QString& message);
    // A chart, how many bars or years it shows, and whether they are bars (one line of text each).
    struct MadeChart
    {
        QChart* chart;
        qsizetype shown;
        bool bars;
    };
    MadeChart makeChart(int chartIndex) const;
    void writeChart(QChartView& chartView, const QString& title, const QString& path);
    QWidget* presentingWidget();

    Environment& m_environment;
    // In the order of the charts: what is said in a chart's place when it has nothing to show.
    QList<QLabel*> m_notes;
};
