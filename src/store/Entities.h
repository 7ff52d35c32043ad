#pragma once

#include "store/ManagedObject.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Typed access to the entities' attributes by property, as the screens use them. Each property
// reads and writes the same value as ManagedObject::value/setValue with the attribute's name.

#define VELLORA_TEXT_PROPERTY(name, setter)                                                        \
    std::optional<QString> name() const                                                            \
    {                                                                                              \
        return optionalText(QStringLiteral(#name));                                                \
    }                                                                                              \
    void setter(const std::optional<QString>& text)                                                \
    {                                                                                              \
        setValue(QStringLiteral(#name), text ? QVariant(*text) : QVariant());                      \
    }

class Stamps final : public ManagedObject
{
public:
    static constexpr char EntityName[] = "Stamps";

    VELLORA_TEXT_PROPERTY(cancellation, setCancellation)
    VELLORA_TEXT_PROPERTY(centering, setCentering)
    VELLORA_TEXT_PROPERTY(color, setColor)
    VELLORA_TEXT_PROPERTY(condition, setCondition)
    VELLORA_TEXT_PROPERTY(country, setCountry)
    VELLORA_TEXT_PROPERTY(denomination, setDenomination)
    VELLORA_TEXT_PROPERTY(descrip, setDescrip)
    VELLORA_TEXT_PROPERTY(faults, setFaults)
    VELLORA_TEXT_PROPERTY(grade, setGrade)
    VELLORA_TEXT_PROPERTY(gum, setGum)
    VELLORA_TEXT_PROPERTY(margins, setMargins)
    VELLORA_TEXT_PROPERTY(notes, setNotes)
    VELLORA_TEXT_PROPERTY(paper, setPaper)
    VELLORA_TEXT_PROPERTY(perforations, setPerforations)
    VELLORA_TEXT_PROPERTY(scottNumber, setScottNumber)
    VELLORA_TEXT_PROPERTY(series, setSeries)
    VELLORA_TEXT_PROPERTY(status, setStatus)

    float cost() const { return value(QStringLiteral("cost")).toFloat(); }
    void setCost(float cost) { setValue(QStringLiteral("cost"), cost); }
    float value() const { return ManagedObject::value(QStringLiteral("value")).toFloat(); }
    void setValue(float value) { ManagedObject::setValue(QStringLiteral("value"), value); }
    qint16 quantity() const
    {
        return qint16(ManagedObject::value(QStringLiteral("quantity")).toInt());
    }
    void setQuantity(qint16 quantity) { setValue(QStringLiteral("quantity"), int(quantity)); }
    qint16 yearOfIssue() const
    {
        return qint16(ManagedObject::value(QStringLiteral("yearOfIssue")).toInt());
    }
    void setYearOfIssue(qint16 year) { setValue(QStringLiteral("yearOfIssue"), int(year)); }
    // The picture's encoded bytes; read from the store the first time they are asked for.
    std::optional<QByteArray> stampImage() const;
    void setStampImage(const std::optional<QByteArray>& bytes);

    using ManagedObject::setValue;
    using ManagedObject::value;

private:
    friend class ObjectContext;
    explicit Stamps(ObjectContext* context);
    std::optional<QString> optionalText(const QString& key) const;
};

// An entry of one of the eleven reference lists: one text attribute, named per list.
class ReferenceEntry : public ManagedObject
{
public:
    // The entry's text, whatever the list calls its attribute.
    std::optional<QString> text() const;
    void setText(const std::optional<QString>& text);

protected:
    ReferenceEntry(const EntityDescription& entity, ObjectContext* context);
    std::optional<QString> optionalText(const QString& key) const;
};

#define VELLORA_REFERENCE_ENTITY(Class, attribute, setter)                                         \
    class Class final : public ReferenceEntry                                                      \
    {                                                                                              \
    public:                                                                                        \
        static constexpr char EntityName[] = #Class;                                               \
        VELLORA_TEXT_PROPERTY(attribute, setter)                                                   \
    private:                                                                                       \
        friend class ObjectContext;                                                                \
        using ReferenceEntry::ReferenceEntry;                                                      \
    };

VELLORA_REFERENCE_ENTITY(CountryList, country, setCountry)
VELLORA_REFERENCE_ENTITY(PerforationList, perforation, setPerforation)
VELLORA_REFERENCE_ENTITY(GumList, gum, setGum)
VELLORA_REFERENCE_ENTITY(MarginList, margin, setMargin)
VELLORA_REFERENCE_ENTITY(PaperList, paper, setPaper)
VELLORA_REFERENCE_ENTITY(GradeList, grade, setGrade)
VELLORA_REFERENCE_ENTITY(ConditionList, condition, setCondition)
VELLORA_REFERENCE_ENTITY(SeriesList, series, setSeries)
VELLORA_REFERENCE_ENTITY(CenteredList, centered, setCentered)
VELLORA_REFERENCE_ENTITY(StatusList, status, setStatus)
VELLORA_REFERENCE_ENTITY(FaultsList, faultName, setFaultName)

#undef VELLORA_REFERENCE_ENTITY
#undef VELLORA_TEXT_PROPERTY
