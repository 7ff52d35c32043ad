#include "store/Model.h"

#include <utility>

EntityDescription::EntityDescription(QString name, QList<AttributeDescription> attributes)
    : m_name(std::move(name)), m_attributes(std::move(attributes))
{}

int EntityDescription::indexOf(const QString& attributeName) const
{
    for (int i = 0; i < m_attributes.size(); ++i) {
        if (m_attributes.at(i).name == attributeName)
            return i;
    }
    return -1;
}

namespace Model {
namespace {

AttributeDescription text(const char* name)
{
    return {QString::fromLatin1(name), AttributeType::Text};
}

EntityDescription referenceList(const char* entity, const char* attribute)
{
    return EntityDescription(QString::fromLatin1(entity), {text(attribute)});
}

} // namespace

const EntityDescription& stamps()
{
    static const EntityDescription entity(
        QStringLiteral("Stamps"), {
                                      text("cancellation"),
                                      text("centering"),
                                      text("color"),
                                      text("condition"),
                                      {QStringLiteral("cost"), AttributeType::Float},
                                      text("country"),
                                      text("denomination"),
                                      text("descrip"),
                                      text("faults"),
                                      text("grade"),
                                      text("gum"),
                                      text("margins"),
                                      text("notes"),
                                      text("paper"),
                                      text("perforations"),
                                      {QStringLiteral("quantity"), AttributeType::Int16},
                                      text("scottNumber"),
                                      text("series"),
                                      {QStringLiteral("stampImage"), AttributeType::Bytes, true},
                                      text("status"),
                                      {QStringLiteral("value"), AttributeType::Float},
                                      {QStringLiteral("yearOfIssue"), AttributeType::Int16},
                                  });
    return entity;
}

const QList<const EntityDescription*>& referenceEntities()
{
    static const EntityDescription centered = referenceList("CenteredList", "centered");
    static const EntityDescription condition = referenceList("ConditionList", "condition");
    static const EntityDescription country = referenceList("CountryList", "country");
    static const EntityDescription faults = referenceList("FaultsList", "faultName");
    static const EntityDescription grade = referenceList("GradeList", "grade");
    static const EntityDescription gum = referenceList("GumList", "gum");
    static const EntityDescription margin = referenceList("MarginList", "margin");
    static const EntityDescription paper = referenceList("PaperList", "paper");
    static const EntityDescription perforation = referenceList("PerforationList", "perforation");
    static const EntityDescription series = referenceList("SeriesList", "series");
    static const EntityDescription status = referenceList("StatusList", "status");
    static const QList<const EntityDescription*> all = {
        &centered, &condition, &country,     &faults, &grade,  &gum,
        &margin,   &paper,     &perforation, &series, &status,
    };
    return all;
}

const QList<const EntityDescription*>& entities()
{
    static const QList<const EntityDescription*> all = [] {
        QList<const EntityDescription*> list{&stamps()};
        list.append(referenceEntities());
        return list;
    }();
    return all;
}

const EntityDescription* entity(const QString& name)
{
    for (const EntityDescription* description : entities()) {
        if (description->name() == name)
            return description;
    }
    return nullptr;
}

QString referenceAttribute(const EntityDescription& entity)
{
    return entity.attribute(0).name;
}

} // namespace Model
