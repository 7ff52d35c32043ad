#include "LocaleScope.h"
#include "ScreenOnStack.h"
#include "StoreSurgery.h"
#include "TestEnvironment.h"
#include "insight/ChartFiles.h"
#include "insight/CollectionStatistics.h"
#include "insight/StatisticsCharts.h"
#include "insight/StatisticsViewController.h"
#include "store/ObjectContext.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QHorizontalBarSeries>
#include <QImage>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMap>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>

namespace {

using Bar = CollectionStatistics::Bar;
using Decade = CollectionStatistics::Decade;

struct NewStamp
{
    std::optional<QString> country;
    qint16 year;
    qint16 quantity;
    float cost;
    float value;
    std::optional<QString> status;
};

void addStamps(ObjectContext& context, const QList<NewStamp>& stamps)
{
    for (const NewStamp& values : stamps) {
        auto* stamp = context.insertNewObject<Stamps>();
        stamp->setDenomination(QStringLiteral("5c"));
        stamp->setCountry(values.country);
        stamp->setYearOfIssue(values.year);
        stamp->setQuantity(values.quantity);
        stamp->setCost(values.cost);
        stamp->setValue(values.value);
        stamp->setStatus(values.status);
    }
    if (!context.save())
        qFatal("test stamps not saved");
}

// Seventeen countries A to Q, one stamp each: issued 1845, 1855, ... 2005, worth 10, 20, ...
// 170 and bought for 1, 2, ... 17. Then the awkward ones: no country and no year (three held),
// an empty country in year -5, a second stamp of A in year -11, and one of A held none of.
void addAwkwardCollection(ObjectContext& context)
{
    QList<NewStamp> stamps;
    for (int i = 0; i < 17; ++i)
        stamps.append({QStringLiteral("Country %1").arg(QChar(u'A' + i)), qint16(1845 + 10 * i), 1,
                       float(i + 1), float(10 * (i + 1)), QStringLiteral("Have")});
    stamps.append({std::nullopt, 0, 3, 1.5f, 5.0f, std::nullopt});
    stamps.append({QString(), -5, 1, 1.0f, 3.0f, QString()});
    stamps.append({QStringLiteral("Country A"), -11, 1, 0.0f, 0.5f, QStringLiteral("Sell")});
    stamps.append({QStringLiteral("Country A"), 1846, 0, 500.0f, 1000.0f, QStringLiteral("Wish")});
    addStamps(context, stamps);
}

QStringList labelsOf(const QList<Bar>& bars)
{
    QStringList labels;
    for (const Bar& bar : bars)
        labels << bar.label;
    return labels;
}

QList<double> amountsOf(const QList<Bar>& bars)
{
    QList<double> amounts;
    for (const Bar& bar : bars)
        amounts << bar.amount;
    return amounts;
}

// An application-wide setting (palette, font), as a desktop theme sets it, until the scope ends.
template <typename Value, auto get, auto set> class ApplicationScope final
{
public:
    explicit ApplicationScope(const Value& value) { set(value); }
    ~ApplicationScope() { set(m_previous); }
    Q_DISABLE_COPY_MOVE(ApplicationScope)

private:
    Value m_previous = get();
};
using ApplicationPaletteScope =
    ApplicationScope<QPalette, [] { return QApplication::palette(); },
                     [](const QPalette& palette) { QApplication::setPalette(palette); }>;
using ApplicationFontScope =
    ApplicationScope<QFont, [] { return QApplication::font(); },
                     [](const QFont& font) { QApplication::setFont(font); }>;

// The statistics screen in a phone-shaped window, as the main menu opens it.
struct ShownScreen
{
    explicit ShownScreen(TestEnvironment& test) : stack({}, test.environment())
    {
        screen = stack.screen;
        stack.navigation->resize(430, 860);
        stack.navigation->show();
    }
    ScreenOnStack<StatisticsViewController> stack;
    StatisticsViewController* screen = nullptr;
};

} // namespace

class StatisticsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_locale.emplace(Locales::unitedStates()); }
    void cleanup() { m_locale.reset(); }

    void figuresOfAnAwkwardCollection()
    {
        TestEnvironment test;
        addAwkwardCollection(test.context());
        const CollectionStatistics statistics =
            CollectionStatistics::read(test.context().database()).value();

        // Held none of: a stamp of the collection that adds nothing to the sums.
        QCOMPARE(statistics.totals.stamps, 21);
        QCOMPARE(statistics.totals.held, 22);
        QCOMPARE(statistics.totals.cost, 158.5);
        QCOMPARE(statistics.totals.value, 1548.5);
        QCOMPARE(statistics.totals.valueMinusCost(), 1390.0);

        // Fifteen countries, the rest in "Other"; no country and the empty one are one group.
        const QList<Bar> byValue = CollectionStatistics::ranked(
            statistics.countries, CollectionStatistics::Measure::Value, QStringLiteral("(none)"));
        QCOMPARE(byValue.size(), 16);
        QCOMPARE(byValue.first().label, QStringLiteral("Country Q"));
        QCOMPARE(byValue.at(14).label, QStringLiteral("Country C"));
        QCOMPARE(byValue.last().label, QStringLiteral("Other"));
        // Country B (20), no country (3 x 5 + 3) and Country A (10 + 0.5).
        QCOMPARE(byValue.last().amount, 48.5);
        double shown = 0.0;
        for (const double amount : amountsOf(byValue))
            shown += amount;
        QCOMPARE(shown, statistics.totals.value);

        const QList<Bar> byHeld = CollectionStatistics::ranked(
            statistics.countries, CollectionStatistics::Measure::Held, QStringLiteral("(none)"));
        QCOMPARE(labelsOf(byHeld).mid(0, 3),
                 (QStringList{QStringLiteral("(none)"), QStringLiteral("Country A"),
                              QStringLiteral("Country B")}));
        QCOMPARE(amountsOf(byHeld).mid(0, 2), (QList<double>{4, 2}));
        QCOMPARE(byHeld.last().label, QStringLiteral("Other"));
        QCOMPARE(byHeld.last().amount, 3.0); // Countries O, P and Q

        // A status with nothing held has no bar.
        const QList<Bar> byStatus = CollectionStatistics::ranked(
            statistics.statuses, CollectionStatistics::Measure::Value, QStringLiteral("(none)"));
        QCOMPARE(labelsOf(byStatus), (QStringList{QStringLiteral("Have"), QStringLiteral("(none)"),
                                                  QStringLiteral("Sell")}));
        QCOMPARE(amountsOf(byStatus), (QList<double>{1530, 18, 0.5}));

        // Below zero a decade is still ten years down from its first; year 0 is no year.
        const QList<Decade> decades = statistics.decades();
        QCOMPARE(decades.size(), 20);
        QStringList labels;
        for (const Decade& decade : decades)
            labels << CollectionStatistics::decadeLabel(decade);
        QCOMPARE(labels.mid(0, 3), (QStringList{QStringLiteral("-20s"), QStringLiteral("-10s"),
                                                QStringLiteral("1840s")}));
        QCOMPARE(labels.last(), QStringLiteral("(No Year)"));
        QCOMPARE(decades.last().held, 3);
        QCOMPARE(decades.at(2).held, 1);

        // The lines over the years leave out years below 1 and a year of nothing held (1846).
        const QList<CollectionStatistics::Year> years = statistics.datedYears();
        QCOMPARE(years.size(), 17);
        QCOMPARE(years.first().year, 1845);
        QCOMPARE(years.at(1).year, 1855);
        QCOMPARE(years.first().sums.cost, 1.0);
        QCOMPARE(years.first().sums.value, 10.0);
    }

    void decadeOfAYear_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("decade");
        QTest::newRow("first of a decade") << 1840 << 1840;
        QTest::newRow("last of a decade") << 1849 << 1840;
        QTest::newRow("just below zero") << -1 << -10;
        QTest::newRow("first below zero") << -10 << -10;
        QTest::newRow("into the next below zero") << -11 << -20;
        QTest::newRow("lowest year") << -32768 << -32770;
        QTest::newRow("highest year") << 32767 << 32760;
    }

    void decadeOfAYear()
    {
        QFETCH(int, year);
        QFETCH(int, decade);
        QCOMPARE(CollectionStatistics::decadeOf(year), decade);
    }

    void screenShowsTotalsAndChartsThatFitTheWindow()
    {
        TestEnvironment test;
        addAwkwardCollection(test.context());
        ShownScreen shown(test);
        StatisticsViewController& screen = *shown.screen;
        QVERIFY(QTest::qWaitForWindowActive(shown.stack.navigation.get()));

        QVERIFY(screen.EmptyStateLabel->isHidden());
        QCOMPARE(screen.StampsHeldLabel->text(), QStringLiteral("22"));
        QCOMPARE(screen.DistinctStampsLabel->text(), QStringLiteral("21"));
        QCOMPARE(screen.TotalCostLabel->text(), QStringLiteral("$158.50"));
        QCOMPARE(screen.TotalValueLabel->text(), QStringLiteral("$1,548.50"));
        QCOMPARE(screen.ValueMinusCostLabel->text(), QStringLiteral("$1,390.00"));

        // The largest country on top, "Other" at the bottom, the bars adding up to the total.
        QChart* byCountry = screen.ValueByCountryChartView->chart();
        QCOMPARE(byCountry->title(), QStringLiteral("Value by Country"));
        auto* series = qobject_cast<QHorizontalBarSeries*>(byCountry->series().value(0));
        QVERIFY(series);
        QBarSet* bars = series->barSets().value(0);
        QCOMPARE(bars->sum(), 1548.5);
        auto* countries = qobject_cast<QBarCategoryAxis*>(byCountry->axes(Qt::Vertical).value(0));
        QVERIFY(countries);
        QCOMPARE(countries->categories().first(), QStringLiteral("Other"));
        QCOMPARE(countries->categories().last(), QStringLiteral("Country Q"));
        QVERIFY(qobject_cast<QBarCategoryAxis*>(
                    screen.ValueByStatusChartView->chart()->axes(Qt::Vertical).value(0))
                    ->categories()
                    .contains(QStringLiteral("(No Status)")));

        // Nothing wider than the phone-shaped window: the page only scrolls down.
        QWidget* page = screen.StatisticsScrollArea->widget();
        QVERIFY2(page->minimumSizeHint().width() <=
                     screen.StatisticsScrollArea->viewport()->width(),
                 qPrintable(QString::number(page->minimumSizeHint().width())));

        // Tab goes from one chart's save button to the next.
        const QList<QPushButton*> saves = {
            screen.SaveValueByCountryButton, screen.SaveStampsByCountryButton,
            screen.SaveStampsByDecadeButton, screen.SaveValueByStatusButton,
            screen.SaveCostAndValueByYearButton};
        saves.first()->setFocus();
        for (QPushButton* next : saves.mid(1)) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }

        // The charts take their theme and colours from the palette: dark on a dark desktop.
        QPalette dark = QApplication::palette();
        dark.setColor(QPalette::Window, QColor(30, 30, 30));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        const ApplicationPaletteScope darkDesktop(dark);
        ShownScreen darkShown(test);
        const QChart* darkChart = darkShown.screen->StampsByDecadeChartView->chart();
        QCOMPARE(darkChart->theme(), QChart::ChartThemeDark);
        QCOMPARE(darkChart->backgroundBrush().color(), QColor(30, 30, 30));
        QCOMPARE(darkChart->titleBrush().color(), QColor(230, 230, 230));
        QCOMPARE(byCountry->theme(), QChart::ChartThemeLight);

        // However small the desktop's font, the lines over the years keep room to be read.
        QFont small = QApplication::font();
        small.setPixelSize(7);
        const ApplicationFontScope smallFont(small);
        ShownScreen smallShown(test);
        QVERIFY(QTest::qWaitForWindowExposed(smallShown.stack.navigation.get()));
        QVERIFY2(
            smallShown.screen->CostAndValueByYearChartView->height() >= 240,
            qPrintable(QString::number(smallShown.screen->CostAndValueByYearChartView->height())));
    }

    void costAndValueLinesStopAtGapsAndAxesSpeakTheLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("amount"); // a label of the axis of amounts
        QTest::newRow("German") << Locales::germany() << QStringLiteral("8.000");
        QTest::newRow("American") << Locales::unitedStates() << QStringLiteral("8,000");
    }

    void costAndValueLinesStopAtGapsAndAxesSpeakTheLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, amount);
        const LocaleScope scope(locale);
        // Nothing of 1962: between 1961 and 1963 no line is drawn.
        const QList<CollectionStatistics::Year> years = {
            {1960, {1, 1, 100.0, 6392.6}}, {1961, {1, 1, 50.0, 200.0}}, {1963, {1, 1, 10.0, 20.0}}};
        QChartView view(StatisticsCharts::costAndValueChart(QStringLiteral("Years"), years));
        QChart* chart = view.chart();
        StatisticsCharts::followPalette(*chart, QApplication::palette());
        view.resize(600, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        // Each line's pieces, by their years.
        QMap<QString, QList<QList<qreal>>> piecesOfLine;
        QMap<QString, QSet<QRgb>> coloursOfLine;
        const QList<QAbstractSeries*> pieces = chart->series();
        for (QAbstractSeries* series : pieces) {
            auto* piece = qobject_cast<QLineSeries*>(series);
            QVERIFY(piece);
            QList<qreal> pieceYears;
            const QList<QPointF> points = piece->points();
            for (const QPointF& point : points)
                pieceYears << point.x();
            piecesOfLine[piece->name()] << pieceYears;
            coloursOfLine[piece->name()] << piece->color().rgb();
        }
        const QList<QList<qreal>> runs = {{1960, 1961}, {1963}};
        QCOMPARE(piecesOfLine.value(QStringLiteral("Cost")), runs);
        QCOMPARE(piecesOfLine.value(QStringLiteral("Value")), runs);
        // Each line in one colour of its own and once in the legend, however many its pieces.
        QCOMPARE(coloursOfLine.value(QStringLiteral("Cost")).size(), 1);
        QCOMPARE(coloursOfLine.value(QStringLiteral("Value")).size(), 1);
        QVERIFY(coloursOfLine.value(QStringLiteral("Cost")) !=
                coloursOfLine.value(QStringLiteral("Value")));
        qsizetype inLegend = 0;
        const QList<QLegendMarker*> markers = chart->legend()->markers();
        for (const QLegendMarker* marker : markers)
            inLegend += marker->isVisible() ? 1 : 0;
        QCOMPARE(inLegend, 2);

        // As drawn: amounts grouped as the locale groups them, years never.
        const QString drawn =
            QString::fromUtf8(ChartFiles::svg(view, QStringLiteral("Years")).value());
        QVERIFY2(drawn.contains(u'>' + amount + u'<'), qPrintable(amount));
        QVERIFY(drawn.contains(QStringLiteral(">1960<")));
        QVERIFY(!drawn.contains(QStringLiteral("1,960")) &&
                !drawn.contains(QStringLiteral("1.960")));
    }

    void emptyCollectionAndUnreadableStore()
    {
        TestEnvironment test;
        {
            ShownScreen shown(test);
            QVERIFY(!shown.screen->EmptyStateLabel->isHidden());
            QCOMPARE(shown.screen->EmptyStateLabel->text(),
                     QStringLiteral("No stamps yet: add stamps to see statistics."));
            QVERIFY(shown.screen->StatisticsScrollArea->isHidden());
            QVERIFY(test.alerts.alerts().isEmpty());
        }

        // A stamp held none of is counted, but gives no chart anything to draw.
        addStamps(test.context(), {{QStringLiteral("Chile"), 1900, 0, 1.0f, 2.0f, std::nullopt}});
        {
            ShownScreen shown(test);
            StatisticsViewController& screen = *shown.screen;
            QVERIFY(screen.EmptyStateLabel->isHidden());
            QCOMPARE(screen.DistinctStampsLabel->text(), QStringLiteral("1"));
            QCOMPARE(screen.StampsHeldLabel->text(), QStringLiteral("0"));
            QVERIFY(screen.ValueByCountryChartView->isHidden());
            QVERIFY(screen.SaveValueByCountryButton->isHidden());
            auto* note =
                screen.view()->findChild<QLabel*>(QStringLiteral("ValueByCountryNoteLabel"));
            QVERIFY(note && !note->isHidden());
            QCOMPARE(note->text(), QStringLiteral("Value by Country: nothing to show yet."));
        }

        // A store that refuses the query is told, never shown as an empty collection.
        QVERIFY(alterStoreFile(test.appDelegate().persistentContainer().storeFilePath(),
                               {QStringLiteral("ALTER TABLE Stamps RENAME COLUMN cost TO price")}));
        ShownScreen shown(test);
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Collection not Read"));
        QVERIFY(test.alerts.last().message.contains(QStringLiteral("cost")));
        QCOMPARE(shown.screen->EmptyStateLabel->text(),
                 QStringLiteral("The statistics could not be read."));
    }

    void chartsAreSavedAsPngOrSvg()
    {
        TestEnvironment test;
        addStamps(test.context(), {{QStringLiteral("Canada"), 1962, 2, 1.0f, 4.0f, std::nullopt}});
        ShownScreen shown(test);
        QVERIFY(QTest::qWaitForWindowExposed(shown.stack.navigation.get()));
        StatisticsViewController& screen = *shown.screen;
        const QDir folder(test.documentsDirectory());

        const QString png = folder.filePath(QStringLiteral("country.png"));
        test.documentPicker.setNextFile(png);
        QTest::mouseClick(screen.SaveValueByCountryButton, Qt::LeftButton);
        QCOMPARE(test.documentPicker.suggestedNames().last(),
                 QStringLiteral("Vellora Value by Country.png"));
        QCOMPARE(test.documentPicker.nameFilters().last(),
                 (QStringList{QStringLiteral("PNG picture (*.png)"),
                              QStringLiteral("SVG drawing (*.svg)")}));
        const QImage picture(png);
        QVERIFY(!picture.isNull());
        const QWidget* chartView = screen.ValueByCountryChartView;
        QCOMPARE(picture.size(), chartView->size() * chartView->devicePixelRatio());
        // Something is drawn: not one colour all over.
        QVERIFY(picture.pixel(0, 0) != picture.pixel(picture.width() / 2, picture.height() / 2) ||
                picture.pixel(0, 0) != picture.pixel(picture.width() / 3, picture.height() / 4));

        const QString svg = folder.filePath(QStringLiteral("decades.SVG"));
        test.documentPicker.setNextFile(svg);
        QTest::mouseClick(screen.SaveStampsByDecadeButton, Qt::LeftButton);
        QSvgRenderer drawing(svg);
        QVERIFY(drawing.isValid());
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY(text.contains("Stamps Held by Decade of Issue"));
        QVERIFY(text.contains("1960s"));
        QVERIFY(test.alerts.alerts().isEmpty());

        // A cancelled dialog writes nothing and says nothing.
        test.documentPicker.setNextCancel();
        QTest::mouseClick(screen.SaveValueByStatusButton, Qt::LeftButton);
        QVERIFY(test.alerts.alerts().isEmpty());

        // Another kind of file, or a folder that is not there, is told and leaves no file.
        const QString jpeg = folder.filePath(QStringLiteral("status.jpg"));
        test.documentPicker.setNextFile(jpeg);
        QTest::mouseClick(screen.SaveValueByStatusButton, Qt::LeftButton);
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Chart not Saved"));
        QVERIFY(test.alerts.last().message.contains(QStringLiteral(".svg")));
        QVERIFY(!QFile::exists(jpeg));

        const QString nowhere = folder.filePath(QStringLiteral("gone/years.png"));
        test.documentPicker.setNextFile(nowhere);
        QTest::mouseClick(screen.SaveCostAndValueByYearButton, Qt::LeftButton);
        QCOMPARE(test.alerts.alerts().size(), 2);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Chart not Saved"));
        QVERIFY(test.alerts.last().message.contains(QDir::toNativeSeparators(nowhere)));
        QVERIFY(!QFile::exists(nowhere));
    }

private:
    TestLocale m_locale;
};

QTEST_MAIN(StatisticsTest)
#include "tst_statistics.moc"
