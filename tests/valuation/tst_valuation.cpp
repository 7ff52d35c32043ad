#include "LocaleScope.h"
#include "ModelTexts.h"
#include "TestEnvironment.h"
#include "browse/StampRowModel.h"
#include "store/ObjectContext.h"
#include "valuation/ValuationSearch.h"
#include "valuation/ValuationViewController.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

namespace {

struct NewStamp
{
    QString denomination;
    qint16 year;
    std::optional<QString> country;
    qint16 quantity;
    float value;
};

Stamps* addStamp(ObjectContext& context, const NewStamp& values)
{
    Stamps* stamp = context.insertNewObject<Stamps>();
    stamp->setDenomination(values.denomination);
    stamp->setYearOfIssue(values.year);
    stamp->setCountry(values.country);
    stamp->setQuantity(values.quantity);
    stamp->setValue(values.value);
    if (!context.save())
        qFatal("test stamp not saved");
    return stamp;
}

// The decoded search query, "+" read as the search engine reads it.
QString searchedFor(const QUrl& url)
{
    QString query = url.query(QUrl::FullyEncoded);
    query.remove(0, 2); // "q="
    query.replace(QLatin1Char('+'), QLatin1Char(' '));
    return QUrl::fromPercentEncoding(query.toUtf8());
}

} // namespace

class ValuationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_locale.emplace(Locales::unitedStates()); }
    void cleanup() { m_locale.reset(); }

    void totalsAndRows()
    {
        TestEnvironment test;
        addStamp(test.context(), {QStringLiteral("5c"), 1962, QStringLiteral("Canada"), 2, 1.5f});
        // Held none of: it adds nothing to either total.
        addStamp(test.context(), {QStringLiteral("1d"), 1840, std::nullopt, 0, 100.0f});

        ValuationViewController screen(test.environment());
        screen.view();
        QCOMPARE(screen.QuantityTextField->text(), QStringLiteral("2"));
        QCOMPARE(screen.TotalValueTextField->text(), QStringLiteral("$3.00"));
        QVERIFY(screen.QuantityTextField->isReadOnly());

        const StampRowModel* model = screen.rowModel();
        QCOMPARE(column(model, Qt::DisplayRole),
                 QStringList({QStringLiteral("5c Year: 1962 Value: $1.50"),
                              QStringLiteral("1d Year: 1840 Value: $100.00")}));
        QCOMPARE(column(model, StampRowModel::Label2Role),
                 QStringList({QStringLiteral("Country: Canada"), QStringLiteral("Country: ")}));
        QCOMPARE(model->index(0, 0).data(Qt::SizeHintRole).toSize().height(), 60);
        QCOMPARE(model->index(0, 0).data(StampRowModel::LabelsRole).toStringList().size(), 2);
        QVERIFY(!screen.SaveButton->isEnabled());
    }

    void totalsBeyondSixteenBits()
    {
        TestEnvironment test;
        for (int i = 0; i < 3; ++i)
            addStamp(test.context(),
                     {QStringLiteral("1c"), 1900, QStringLiteral("Chile"), 20000, 0.25f});
        // An unsaved stamp counts as the screens see it.
        Stamps* pending = test.context().insertNewObject<Stamps>();
        pending->setQuantity(32767);
        pending->setValue(2.0f);

        ValuationViewController screen(test.environment());
        screen.view();
        QCOMPARE(screen.StampCount, qint64(92767));
        QCOMPARE(screen.QuantityTextField->text(), QStringLiteral("92767"));
        QCOMPARE(screen.TotalValueTextField->text(), QStringLiteral("$80,534.00"));
        QCOMPARE(screen.rowModel()->rowCount(), 4);
    }

    void webSearchAddress_data()
    {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("country");
        QTest::addColumn<QString>("denomination");
        QTest::addColumn<QString>("searched");
        QTest::newRow("ampersand") << "1962"
                                   << "Canada"
                                   << "5c & 10c"
                                   << " how much is a 1962 Canada 5c & 10c stamp worth";
        QTest::newRow("non-ASCII") << "1960"
                                   << "Côte d'Ivoire"
                                   << "25F"
                                   << " how much is a 1960 Côte d'Ivoire 25F stamp worth";
        QTest::newRow("hash and plus") << "1901"
                                       << "Bermuda #2"
                                       << "1+1d"
                                       << " how much is a 1901 Bermuda #2 1+1d stamp worth";
        QTest::newRow("percent") << "1999"
                                 << "100%"
                                 << "5c"
                                 << " how much is a 1999 100% 5c stamp worth";
    }

    void webSearchAddress()
    {
        QFETCH(QString, year);
        QFETCH(QString, country);
        QFETCH(QString, denomination);
        QFETCH(QString, searched);
        const QUrl url = ValuationSearch::webSearchUrl(year, country, denomination);
        QVERIFY(url.isValid());
        QCOMPARE(url.host(), QStringLiteral("www.google.com"));
        QCOMPARE(url.path(), QStringLiteral("/search"));
        // One query item: nothing typed may start another or end the query early.
        QVERIFY(!url.query(QUrl::FullyEncoded).contains(QLatin1Char('&')));
        QVERIFY(!url.hasFragment());
        QCOMPARE(searchedFor(url), searched);
    }

    void findValueOnWeb()
    {
        TestEnvironment test;
        addStamp(test.context(), {QStringLiteral("5c"), 1962, QStringLiteral("Canada"), 1, 1.0f});
        ValuationViewController screen(test.environment());
        screen.view();

        screen.didSelectRow(0);
        screen.FindValueOnWeb();
        QCOMPARE(test.browser.urls().size(), 1);
        QCOMPARE(test.browser.urls().first().toEncoded(),
                 QByteArray("https://www.google.com/search?q=+how+much+is+a+1962+Canada+5c+stamp+"
                            "worth"));

        // Any field left empty (or only spaces) searches nothing.
        for (QLineEdit* field :
             {screen.YearTextField, screen.CountryTextField, screen.DenominationTextField}) {
            const QString kept = field->text();
            field->setText(QStringLiteral("  "));
            screen.FindValueOnWeb();
            field->setText(kept);
        }
        QCOMPARE(test.browser.urls().size(), 1);
        QCOMPARE(test.alerts.alerts().size(), 3);
        QCOMPARE(test.alerts.last().title, QStringLiteral("No Search"));
        QCOMPARE(test.alerts.last().message,
                 QStringLiteral("Required Fields Year, Country and Denomination Not Entered"));

        screen.FindOnDelcampe();
        screen.FindOnBidStart();
        QCOMPARE(test.browser.urls().size(), 3);
        QCOMPARE(test.browser.urls().at(1).host(), QStringLiteral("www.delcampe.net"));
        QCOMPARE(test.browser.urls().at(2).host(), QStringLiteral("www.hipstamp.com"));
        for (const QUrl& home : {test.browser.urls().at(1), test.browser.urls().at(2)})
            QVERIFY(home.path().isEmpty() && !home.hasQuery());
    }

    void saveGoesToThePickedStamp()
    {
        TestEnvironment test;
        // Two stamps share year, country and denomination; the second is picked.
        Stamps* first = addStamp(test.context(),
                                 {QStringLiteral("5c"), 1962, QStringLiteral("Canada"), 1, 1.0f});
        Stamps* second = addStamp(test.context(),
                                  {QStringLiteral("5c"), 1962, QStringLiteral("Canada"), 3, 2.0f});
        ValuationViewController screen(test.environment());
        screen.view();
        const QString totalBefore = screen.TotalValueTextField->text();

        screen.ValueTableView->setCurrentIndex(screen.rowModel()->index(1, 0));
        QCOMPARE(screen.YearTextField->text(), QStringLiteral("1962"));
        QCOMPARE(screen.CountryTextField->text(), QStringLiteral("Canada"));
        QVERIFY(screen.SaveButton->isEnabled());
        // A hand-edited field changes the search, not which stamp a save changes.
        screen.DenominationTextField->setText(QStringLiteral("10c"));

        screen.NewValueTextField->setText(QStringLiteral("12.50"));
        screen.SaveNewCardButtonClicked();
        QCOMPARE(second->value(), 12.5f);
        QCOMPARE(first->value(), 1.0f);
        QVERIFY(!test.context().hasChanges());
        QVERIFY(screen.NewValueTextField->text().isEmpty());
        QCOMPARE(screen.rowModel()->index(1, 0).data().toString(),
                 QStringLiteral("5c Year: 1962 Value: $12.50"));
        // The totals are those of when the screen opened.
        QCOMPARE(screen.TotalValueTextField->text(), totalBefore);
        QVERIFY(test.alerts.alerts().isEmpty());

        // The same on a fresh launch: the value reached the store.
        test.relaunch();
        const QList<Stamps*> stored = test.context().fetch<Stamps>().value();
        QCOMPARE(stored.at(0)->value(), 1.0f);
        QCOMPARE(stored.at(1)->value(), 12.5f);
    }

    void refusedNewValues()
    {
        TestEnvironment test;
        Stamps* stamp = addStamp(test.context(),
                                 {QStringLiteral("5c"), 1962, QStringLiteral("Canada"), 1, 1.0f});
        ValuationViewController screen(test.environment());
        screen.view();
        screen.didSelectRow(0);

        screen.SaveNewCardButtonClicked();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Record not Saved!"));
        QCOMPARE(test.alerts.last().message, QStringLiteral("New Value not Entered"));

        screen.NewValueTextField->setText(QStringLiteral("1.2.3"));
        screen.SaveNewCardButtonClicked();
        QCOMPARE(test.alerts.last().message, QStringLiteral("New Value is not a number"));
        QCOMPARE(stamp->value(), 1.0f);
        // Kept for the collector to put right.
        QCOMPARE(screen.NewValueTextField->text(), QStringLiteral("1.2.3"));

        // A save the store refuses is undone and told; the stamp keeps its value.
        screen.NewValueTextField->setText(QStringLiteral("7"));
        test.context().failNextSaveForTesting(QStringLiteral("disk full"));
        screen.SaveNewCardButtonClicked();
        QCOMPARE(test.alerts.alerts().size(), 3);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Record not Saved!"));
        QCOMPARE(stamp->value(), 1.0f);
        QVERIFY(!test.context().hasChanges());
        QCOMPARE(screen.rowModel()->index(0, 0).data().toString(),
                 QStringLiteral("5c Year: 1962 Value: $1.00"));
    }

    void newValueTypingFilter()
    {
        TestEnvironment test;
        ValuationViewController screen(test.environment());
        screen.view();
        QTest::keyClicks(screen.NewValueTextField, QStringLiteral("1a2$.5-0"));
        QCOMPARE(screen.NewValueTextField->text(), QStringLiteral("12.50"));
        // The filter does not count points; the save judges the number.
        QTest::keyClicks(screen.NewValueTextField, QStringLiteral(".."));
        QCOMPARE(screen.NewValueTextField->text(), QStringLiteral("12.50.."));
    }

    void shareScreenPicture()
    {
        TestEnvironment test;
        addStamp(test.context(), {QStringLiteral("5c"), 1962, QStringLiteral("Canada"), 1, 1.0f});
        ValuationViewController screen(test.environment());
        screen.view()->resize(400, 600);

        test.messages.setCanSendText(false);
        screen.shareButtonClicked();
        QVERIFY(test.alerts.alerts().isEmpty()); // told from the main queue
        test.mainQueue.drain();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Can't Send Text Message"));
        QCOMPARE(test.alerts.last().message,
                 QStringLiteral("Your device is not able to send text messages."));
        QVERIFY(test.shareSheet.requests().isEmpty());

        test.messages.setCanSendText(true);
        screen.shareButtonClicked();
        QCOMPARE(test.shareSheet.requests().size(), 1);
        const QList<ShareItem>& items = test.shareSheet.requests().first().items;
        QCOMPARE(items.size(), 1);
        QCOMPARE(items.first().kind(), ShareItem::Kind::Picture);
        QCOMPARE(items.first().picture().size(), screen.view()->window()->size());
        // The picture is kept in the collector's pictures folder too.
        const QStringList kept =
            QDir(test.picturesDirectory()).entryList({QStringLiteral("*.jpg")}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QVERIFY(!test.pictures
                     .decode([&] {
                         QFile file(QDir(test.picturesDirectory()).filePath(kept.first()));
                         return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
                     }())
                     .isNull());
        QCOMPARE(test.alerts.alerts().size(), 1);

        // A pictures folder that cannot be made is told, and the picture is still offered.
        QDir(test.picturesDirectory()).removeRecursively();
        QFile blocker(test.picturesDirectory());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        screen.shareButtonClicked();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Picture not Saved"));
        QCOMPARE(test.shareSheet.requests().size(), 2);
    }

private:
    TestLocale m_locale;
};

QTEST_MAIN(ValuationTest)
#include "tst_valuation.moc"
