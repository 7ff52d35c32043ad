#include "store/NumberText.h"

#include <QTest>

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
        QCOMPARE(NumberText::readShownOrTypedAmount(QStringLiteral("1.234,50"), german),
                 std::optional<float>(1234.5f));
        // What is typed follows the point rule in any locale.
        QCOMPARE(NumberText::readShownOrTypedAmount(QStringLiteral("12.5"), german),
                 std::optional<float>(12.5f));
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
