#include "app/SharedState.h"

#include "platform/core/Console.h"
#include "platform/core/Pictures.h"
#include "store/Entities.h"
#include "store/Model.h"
#include "store/StampGroups.h"

SelectedStamp SelectedStamp::from(const Stamps& stamp, const Pictures& pictures)
{
    const auto text = [](const std::optional<QString>& value) { return value.value_or(QString()); };
    SelectedStamp selected;
    if (const std::optional<QByteArray> bytes = stamp.stampImage())
        selected.picture = pictures.decode(*bytes);
    selected.denomination = text(stamp.denomination());
    selected.yearOfIssue = stamp.yearOfIssue();
    selected.descrip = text(stamp.descrip());
    selected.country = text(stamp.country());
    selected.perforations = text(stamp.perforations());
    selected.gum = text(stamp.gum());
    selected.margins = text(stamp.margins());
    selected.scottNumber = text(stamp.scottNumber());
    selected.paper = text(stamp.paper());
    selected.color = text(stamp.color());
    selected.grade = text(stamp.grade());
    selected.condition = text(stamp.condition());
    selected.series = text(stamp.series());
    selected.centering = text(stamp.centering());
    selected.status = text(stamp.status());
    selected.faults = text(stamp.faults());
    selected.quantity = stamp.quantity();
    selected.cost = stamp.cost();
    selected.value = stamp.value();
    selected.notes = text(stamp.notes());
    return selected;
}

Predicate SelectedStamp::keyPredicate() const
{
    QList<Predicate> parts{
        Predicate::format(QStringLiteral("denomination = %@"), denomination),
        Predicate::format(QStringLiteral("yearOfIssue = %@"), QString::number(yearOfIssue))};
    if (!scottNumber.isEmpty())
        parts.append(Predicate::format(QStringLiteral("scottNumber == %@"), scottNumber));
    return Predicate::andPredicate(parts);
}

QString SelectedStamp::valueOf(const StampGroup& group) const
{
    if (&group == &StampGroups::Year)
        return QString::number(yearOfIssue);
    if (&group == &StampGroups::Country)
        return country;
    if (&group == &StampGroups::Denomination)
        return denomination;
    if (&group == &StampGroups::ScottNumber)
        return scottNumber;
    if (&group == &StampGroups::Status)
        return status;
    Console::printLine(
        QStringLiteral("No selected value for the group %1").arg(QLatin1String(group.name)));
    return {};
}

SharedState::SharedState()
{
    for (const EntityDescription* entity : Model::referenceEntities())
        m_selectedReferenceValues.insert(entity->name(), QString());
}

QString SharedState::selectedReferenceValue(const QString& entityName) const
{
    return m_selectedReferenceValues.value(entityName);
}

void SharedState::setSelectedReferenceValue(const QString& entityName, const QString& text)
{
    if (!m_selectedReferenceValues.contains(entityName)) {
        Console::printLine(QStringLiteral("No reference list named %1").arg(entityName));
        return;
    }
    m_selectedReferenceValues[entityName] = text;
}
