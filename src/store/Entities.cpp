#include "store/Entities.h"

namespace {

std::optional<QString> toOptionalText(const QVariant& value)
{
    if (!value.isValid())
        return std::nullopt;
    return value.toString();
}

} // namespace

Stamps::Stamps(ObjectContext* context) : ManagedObject(Model::stamps(), context) {}

std::optional<QByteArray> Stamps::stampImage() const
{
    const QVariant bytes = ManagedObject::value(QStringLiteral("stampImage"));
    if (!bytes.isValid())
        return std::nullopt;
    return bytes.toByteArray();
}

void Stamps::setStampImage(const std::optional<QByteArray>& bytes)
{
    ManagedObject::setValue(QStringLiteral("stampImage"), bytes ? QVariant(*bytes) : QVariant());
}

std::optional<QString> Stamps::optionalText(const QString& key) const
{
    return toOptionalText(ManagedObject::value(key));
}

ReferenceEntry::ReferenceEntry(const EntityDescription& entity, ObjectContext* context)
    : ManagedObject(entity, context)
{}

std::optional<QString> ReferenceEntry::text() const
{
    return toOptionalText(value(0));
}

void ReferenceEntry::setText(const std::optional<QString>& text)
{
    setValue(0, text ? QVariant(*text) : QVariant());
}

std::optional<QString> ReferenceEntry::optionalText(const QString& key) const
{
    return toOptionalText(value(key));
}
