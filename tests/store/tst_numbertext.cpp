#include "store/NumberText.h"

#include <QTest>
#include <cmath>
#include <limits>

class NumberTextTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeNumbersFitSixteenBits()
    {
        QCOMPARE(NumberText::readWholeNumber(QStringLiteral("1962")), std::optional<qint16>(1962));
        QCOMPARE(NumberText::readWholeNumber(QStringLiteral("+7")), std::optional<qint16>(7));
        QCOMPARE(NumberText::readWholeNumber(QStringLiteral("-32768")),
                 std::optional<qint16>(-32768));
        for (const char* refused : {"32768", "-32769", "", " 12", "12 ", "1.0", "12a", "+", "٣"})
            QCOMPARE(NumberText::readWholeNumber(QString::fromUtf8(refused)), std::nullopt);
    }

    void amountsDropDollarsAndCommas()
    {
        QCOMPARE(NumberText::readAmount(QStringLiteral("$1,234.50")),
                 std::optional<float>(1234.5f));
        QCOMPARE(NumberText::readAmount(QStringLiteral(".5")), std::optional<float>(0.5f));
        QCOMPARE(NumberText::readAmount(QStringLiteral("5.")), std::optional<float>(5.0f));
        QCOMPARE(NumberText::readAmount(QStringLiteral("1e3")), std::optional<float>(1000.0f));
        for (const char* refused : {".", "1.2.3", "", " 5", "abc", "1e999", "inf"})
            QCOMPARE(NumberText::readAmount(QString::fromLatin1(refused)), std::nullopt);

        const QLocale german(QLocale::German, QLocale::Germany);
        QCOMPARE(NumberText::shownAmount(1234.5f, german), QStringLiteral("1.234,50"));
        QCOMPARE(NumberText::readTypedAmount(QStringLiteral("1.234,50"), german),
                 std::optional<float>(1234.5f));
    }

    void typedAmountsReadInTheLocaleBeforeThePointRule()
    {
        const auto reads = [](const QLocale& locale, const QList<QPair<QString, float>>& cases) {
            for (const auto& [text, amount] : cases) {
                const std::optional<float> read = NumberText::readTypedAmount(text, locale);
                if (read != std::optional<float>(amount))
                    return QStringLiteral("%1 \"%2\" gave %3")
                        .arg(locale.name(), text,
                             read ? QString::number(*read) : QStringLiteral("nothing"));
            }
            return QString();
        };
        const QLocale german(QLocale::German, QLocale::Germany);
        QString wrong = reads(german, {{"12,5", 12.5f},
                                       {"12,50", 12.5f},
                                       {"1.234,5", 1234.5f},
                                       {"1.234", 1234.0f},
                                       {"-3,5", -3.5f},
                                       {QString::fromUtf8("12,50 €"), 12.5f},
                                       {"$12,5", 12.5f},
                                       // What the locale does not read follows the point rule.
                                       {"12.5", 12.5f},
                                       {"12.50", 12.5f},
                                       {"$1,234.50", 1234.5f}});
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

        const QLocale french(QLocale::French, QLocale::France);
        const QString shown = NumberText::shownAmount(1234.5f, french);
        QCOMPARE(shown, QString::fromUtf8("1\u202F234,50"));
        wrong = reads(french, {{shown.chopped(1), 1234.5f},
                               {QString::fromUtf8("1\u202F234,5 €"), 1234.5f},
                               {"0,75", 0.75f}});
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

        const QLocale english(QLocale::English, QLocale::UnitedStates);
        wrong = reads(english, {{"12,5", 125.0f},
                                {"$1,234.50", 1234.5f},
                                {"1,234.5", 1234.5f},
                                {"12.", 12.0f},
                                {".5", 0.5f}});
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

        for (const QLocale& locale : {german, french, english, QLocale::c()}) {
            for (const char* refused :
                 {"", " 5", "5 ", "12,5 ", ".", "1.2.3", "abc", "inf", "nan", "1e999", "1e39"})
                QCOMPARE(NumberText::readTypedAmount(QString::fromLatin1(refused), locale),
                         std::nullopt);
        }
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

    void floatTextIsTheShortestThatReadsBack()
    {
        const QList<QPair<float, QString>> cases = {
            {12.5f, "12.5"},      {3.0f, "3.0"},
            {0.0f, "0.0"},        {0.5f, "0.5"},
            {13.05f, "13.05"},    {0.1f, "0.1"},
            {0.0001f, "0.0001"},  {16777216.0f, "16777216.0"},
            {1e-05f, "1e-05"},    {33554432.0f, "3.3554432e+07"},
            {1e7f, "10000000.0"}, {-2.25f, "-2.25"},
            {1234.5f, "1234.5"},  {1e+20f, "1e+20"},
        };
        for (const auto& [number, text] : cases) {
            QCOMPARE(NumberText::floatText(number), text);
            QCOMPARE(NumberText::floatText(number).toFloat(), number);
        }
    }
};

QTEST_GUILESS_MAIN(NumberTextTest)
#include "tst_numbertext.moc"
