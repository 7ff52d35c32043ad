#include "store/NumberText.h"

#include <QTest>
#include <cmath>
#include <limits>

class NumberTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeNumbersFitSixteenBits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<qint16>>("number");
        QTest::newRow("a year") << QStringLiteral("1962") << std::optional<qint16>(1962);
        QTest::newRow("plus sign") << QStringLiteral("+7") << std::optional<qint16>(7);
        QTest::newRow("smallest") << QStringLiteral("-32768") << std::optional<qint16>(-32768);
        const std::optional<qint16> refused;
        QTest::newRow("above the largest") << QStringLiteral("32768") << refused;
        QTest::newRow("below the smallest") << QStringLiteral("-32769") << refused;
        QTest::newRow("empty") << QString() << refused;
        QTest::newRow("leading space") << QStringLiteral(" 12") << refused;
        QTest::newRow("trailing space") << QStringLiteral("12 ") << refused;
        QTest::newRow("decimal point") << QStringLiteral("1.0") << refused;
        QTest::newRow("trailing letter") << QStringLiteral("12a") << refused;
        QTest::newRow("sign alone") << QStringLiteral("+") << refused;
        QTest::newRow("Arabic digit") << QString::fromUtf8("٣") << refused;
    }

    void wholeNumbersFitSixteenBits()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<qint16>, number);
        QCOMPARE(NumberText::readWholeNumber(text), number);
    }

    void amountsDropDollarsAndCommas_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<float>>("amount");
        QTest::newRow("dollars and commas")
            << QStringLiteral("$1,234.50") << std::optional<float>(1234.5f);
        QTest::newRow("leading point") << QStringLiteral(".5") << std::optional<float>(0.5f);
        QTest::newRow("trailing point") << QStringLiteral("5.") << std::optional<float>(5.0f);
        QTest::newRow("exponent") << QStringLiteral("1e3") << std::optional<float>(1000.0f);
        const std::optional<float> refused;
        QTest::newRow("point alone") << QStringLiteral(".") << refused;
        QTest::newRow("two points") << QStringLiteral("1.2.3") << refused;
        QTest::newRow("empty") << QString() << refused;
        QTest::newRow("leading space") << QStringLiteral(" 5") << refused;
        QTest::newRow("letters") << QStringLiteral("abc") << refused;
        QTest::newRow("beyond a float") << QStringLiteral("1e999") << refused;
        QTest::newRow("infinity") << QStringLiteral("inf") << refused;
    }

    void amountsDropDollarsAndCommas()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<float>, amount);
        QCOMPARE(NumberText::readAmount(text), amount);
    }

    void germanAmountsShowAndReadBack()
    {
        const QLocale german(QLocale::German, QLocale::Germany);
        QCOMPARE(NumberText::shownAmount(1234.5f, german), QStringLiteral("1.234,50"));
        QCOMPARE(NumberText::readTypedAmount(QStringLiteral("1.234,50"), german),
                 std::optional<float>(1234.5f));
    }

    void typedAmountsReadInTheLocaleBeforeThePointRule_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("amount");
        const QLocale german(QLocale::German, QLocale::Germany);
        QTest::newRow("comma decimal in de_DE") << german << QStringLiteral("12,5") << 12.5f;
        QTest::newRow("two decimals in de_DE") << german << QStringLiteral("12,50") << 12.5f;
        QTest::newRow("point groups in de_DE") << german << QStringLiteral("1.234,5") << 1234.5f;
        QTest::newRow("point groups without decimals in de_DE")
            << german << QStringLiteral("1.234") << 1234.0f;
        QTest::newRow("negative in de_DE") << german << QStringLiteral("-3,5") << -3.5f;
        QTest::newRow("euros in de_DE") << german << QString::fromUtf8("12,50 €") << 12.5f;
        QTest::newRow("dollar sign in de_DE") << german << QStringLiteral("$12,5") << 12.5f;
        // What the locale does not read follows the point rule.
        QTest::newRow("point decimal in de_DE") << german << QStringLiteral("12.5") << 12.5f;
        QTest::newRow("point and two decimals in de_DE")
            << german << QStringLiteral("12.50") << 12.5f;
        QTest::newRow("dollars and commas in de_DE")
            << german << QStringLiteral("$1,234.50") << 1234.5f;

        const QLocale french(QLocale::French, QLocale::France);
        // As shown, less its last digit.
        QTest::newRow("narrow no-break space groups in fr_FR")
            << french << QString::fromUtf8("1\u202F234,5") << 1234.5f;
        QTest::newRow("euros in fr_FR") << french << QString::fromUtf8("1\u202F234,5 €") << 1234.5f;
        QTest::newRow("comma decimal in fr_FR") << french << QStringLiteral("0,75") << 0.75f;

        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("comma only groups in en_US") << english << QStringLiteral("12,5") << 125.0f;
        QTest::newRow("dollars and commas in en_US")
            << english << QStringLiteral("$1,234.50") << 1234.5f;
        QTest::newRow("comma groups in en_US") << english << QStringLiteral("1,234.5") << 1234.5f;
        QTest::newRow("trailing point in en_US") << english << QStringLiteral("12.") << 12.0f;
        QTest::newRow("leading point in en_US") << english << QStringLiteral(".5") << 0.5f;
    }

    void typedAmountsReadInTheLocaleBeforeThePointRule()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(float, amount);
        QCOMPARE(NumberText::readTypedAmount(text, locale), std::optional<float>(amount));
    }

    void frenchAmountsGroupWithANarrowNoBreakSpace()
    {
        const QLocale french(QLocale::French, QLocale::France);
        QCOMPARE(NumberText::shownAmount(1234.5f, french), QString::fromUtf8("1\u202F234,50"));
    }

    void typedAmountsRefuseWhatIsNoNumber_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        const QList<QPair<const char*, QLocale>> locales = {
            {"de_DE", QLocale(QLocale::German, QLocale::Germany)},
            {"fr_FR", QLocale(QLocale::French, QLocale::France)},
            {"en_US", QLocale(QLocale::English, QLocale::UnitedStates)},
            {"C", QLocale::c()}};
        const QList<QPair<const char*, QString>> refused = {
            {"empty", QString()},
            {"leading space", QStringLiteral(" 5")},
            {"trailing space", QStringLiteral("5 ")},
            {"comma decimal and trailing space", QStringLiteral("12,5 ")},
            {"point alone", QStringLiteral(".")},
            {"two points", QStringLiteral("1.2.3")},
            {"letters", QStringLiteral("abc")},
            {"infinity", QStringLiteral("inf")},
            {"not a number", QStringLiteral("nan")},
            {"beyond a double", QStringLiteral("1e999")},
            {"beyond a float", QStringLiteral("1e39")}};
        for (const auto& [localeName, locale] : locales) {
            for (const auto& [caseName, text] : refused)
                QTest::addRow("%s in %s", caseName, localeName) << locale << text;
        }
    }

    void typedAmountsRefuseWhatIsNoNumber()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QCOMPARE(NumberText::readTypedAmount(text, locale), std::nullopt);
    }

    void amountsRoundOnceToSinglePrecision_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<float>("amount");
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QLocale german(QLocale::German, QLocale::Germany);
        const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
        // Each lies just above the midpoint between two floats; read as a double it would land
        // on the midpoint and round again, to the even float below.
        const float aboveTwoToThe24 = 16777218.0f;
        const float aboveOne = 1.00000011920928955078125f;
        QTest::newRow("point") << QStringLiteral("16777217.000000001") << english
                               << aboveTwoToThe24;
        QTest::newRow("negative") << QStringLiteral("-16777217.000000001") << QLocale::c()
                                  << -aboveTwoToThe24;
        QTest::newRow("English groups")
            << QStringLiteral("16,777,217.000000001") << english << aboveTwoToThe24;
        QTest::newRow("German groups")
            << QStringLiteral("16.777.217,000000001") << german << aboveTwoToThe24;
        QTest::newRow("dollars and commas in German")
            << QStringLiteral("$16,777,217.000000001") << german << aboveTwoToThe24;
        QTest::newRow("Arabic digits")
            << QString::fromUtf8("١٦٧٧٧٢١٧٫٠٠٠٠٠٠٠٠١") << arabic << aboveTwoToThe24;
        QTest::newRow("near one") << QStringLiteral("1.0000000596046447753906250001")
                                  << QLocale::c() << aboveOne;
        QTest::newRow("near one, euros")
            << QString::fromUtf8("1,0000000596046447753906250001 €") << german << aboveOne;
        // The largest float as the collection writes it reads back.
        QTest::newRow("largest") << QStringLiteral("3.4028235e+38") << english
                                 << std::numeric_limits<float>::max();
        QTest::newRow("below the smallest") << QStringLiteral("-1e-50") << english << -0.0f;
    }

    void amountsRoundOnceToSinglePrecision()
    {
        QFETCH(QString, text);
        QFETCH(QLocale, locale);
        QFETCH(float, amount);
        const std::optional<float> read = NumberText::readTypedAmount(text, locale);
        QVERIFY2(read, "does not read");
        // Exactly: QCOMPARE would let neighbouring floats pass as equal.
        QVERIFY2(*read == amount && std::signbit(*read) == std::signbit(amount),
                 qPrintable(QString::number(double(*read), 'g', 12)));
    }

    void floatTextIsTheShortestThatReadsBack_data()
    {
        QTest::addColumn<float>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("one decimal") << 12.5f << QStringLiteral("12.5");
        QTest::newRow("whole number keeps a decimal") << 3.0f << QStringLiteral("3.0");
        QTest::newRow("zero") << 0.0f << QStringLiteral("0.0");
        QTest::newRow("half") << 0.5f << QStringLiteral("0.5");
        QTest::newRow("not exact in binary") << 13.05f << QStringLiteral("13.05");
        QTest::newRow("a tenth") << 0.1f << QStringLiteral("0.1");
        QTest::newRow("small, still fixed") << 0.0001f << QStringLiteral("0.0001");
        QTest::newRow("two to the 24th") << 16777216.0f << QStringLiteral("16777216.0");
        QTest::newRow("small, with an exponent") << 1e-05f << QStringLiteral("1e-05");
        QTest::newRow("two to the 25th, with an exponent")
            << 33554432.0f << QStringLiteral("3.3554432e+07");
        QTest::newRow("ten million") << 1e7f << QStringLiteral("10000000.0");
        QTest::newRow("negative") << -2.25f << QStringLiteral("-2.25");
        QTest::newRow("thousands") << 1234.5f << QStringLiteral("1234.5");
        QTest::newRow("large, with an exponent") << 1e+20f << QStringLiteral("1e+20");
    }

    void floatTextIsTheShortestThatReadsBack()
    {
        QFETCH(float, number);
        QFETCH(QString, text);
        QCOMPARE(NumberText::floatText(number), text);
        QCOMPARE(NumberText::floatText(number).toFloat(), number);
    }
};

QTEST_GUILESS_MAIN(NumberTextTest)
#include "tst_numbertext.moc"
