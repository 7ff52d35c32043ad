#include "AwkwardCollection.h"

#include <QRandomGenerator>

namespace AwkwardCollection {

namespace {

// Texts chosen from a short list, so equal texts are common; nullopt is absent.
std::optional<QString> pick(QRandomGenerator& random, const QList<std::optional<QString>>& choices)
{
    return choices.at(random.bounded(int(choices.size())));
}

} // namespace

QList<Stamps*> add(ObjectContext& context, int count, quint32 seed)
{
    QRandomGenerator random(seed);
    const QList<std::optional<QString>> denominations = {
        std::nullopt,           QStringLiteral(""),     QStringLiteral("5c"),
        QStringLiteral("5C"),   QStringLiteral("½d"),   QStringLiteral("Écu"),
        QStringLiteral("écu"),  QStringLiteral("10c"),  QStringLiteral("1c"),
        QStringLiteral("zł 2"), QStringLiteral("日本"), QStringLiteral("5c ")};
    const QList<std::optional<QString>> scottNumbers = {
        std::nullopt,         QStringLiteral(""),   QStringLiteral("1"),
        QStringLiteral("1A"), QStringLiteral("1a"), QStringLiteral("10"),
        QStringLiteral("C1"), QStringLiteral("01"), QStringLiteral("2")};
    const QList<std::optional<QString>> countries = {std::nullopt, QStringLiteral("Malta"),
                                                     QStringLiteral("Österreich"),
                                                     QStringLiteral("Canada")};
    const QList<float> values = {0.0f, 1e-05f, 0.1f, 12.5f, 3.0f, 1234.56f, 12.5f, 3.3554432e+07f};
    const QList<qint16> years = {0, -5, 1840, 1962, 1962, 2026, 32767, -32768};
    QList<Stamps*> stamps;
    for (int i = 0; i < count; ++i) {
        auto* stamp = context.insertNewObject<Stamps>();
        stamp->setDenomination(pick(random, denominations));
        stamp->setScottNumber(pick(random, scottNumbers));
        stamp->setCountry(pick(random, countries));
        stamp->setYearOfIssue(years.at(random.bounded(int(years.size()))));
        stamp->setValue(values.at(random.bounded(int(values.size()))));
        stamp->setQuantity(qint16(random.bounded(0, 4)));
        stamps.append(stamp);
    }
    return stamps;
}

QList<QStringList> listOrders()
{
    const QString denomination = QStringLiteral("denomination");
    const QString year = QStringLiteral("yearOfIssue");
    const QString scottNumber = QStringLiteral("scottNumber");
    const QString value = QStringLiteral("value");
    return {{denomination, year, value, scottNumber},
            {year, denomination, scottNumber, value},
            {scottNumber, denomination, year, value},
            {value, denomination, year, scottNumber}};
}

} // namespace AwkwardCollection
