#pragma once

#include <QHash>
#include <QList>
#include <QString>

// The entities of the collection store and their attributes.

enum class AttributeType
{
    Text,
    Int16,
    Float,
    Bytes
};

struct AttributeDescription
{
    QString name;
    AttributeType type;
    // Read from the store on first access rather than with the fetch (pictures).
    bool loadedOnDemand = false;
};

class EntityDescription
{
public:
    EntityDescription(QString name, QList<AttributeDescription> attributes);

    const QString& name() const { return m_name; }
    const QList<AttributeDescription>& attributes() const { return m_attributes; }
    const AttributeDescription& attribute(int index) const { return m_attributes.at(index); }
    // -1 when the entity has no attribute of that name.
    int indexOf(const QString& attributeName) const;

private:
    QString m_name;
    QList<AttributeDescription> m_attributes;
    QHash<QString, int> m_indexByName;
};

namespace Model {

// "Vellora": the name of the model and of the store file.
inline constexpr char Name[] = "Vellora";

const EntityDescription& stamps();
// The eleven reference lists, in the order the first launch fills them.
const QList<const EntityDescription*>& referenceEntities();
// Every entity, stamps first.
const QList<const EntityDescription*>& entities();
// nullptr when there is no entity of that name.
const EntityDescription* entity(const QString& name);
// The one text attribute of a reference list ("country" for "CountryList").
QString referenceAttribute(const EntityDescription& entity);

} // namespace Model
