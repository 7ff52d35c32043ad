#include "store/ManagedObject.h"

#include "platform/core/Console.h"
#include "store/ObjectContext.h"

#include <QByteArray>

ManagedObject::ManagedObject(const EntityDescription& entity, ObjectContext* context)
    : m_entity(&entity), m_context(context), m_values(entity.attributes().size()),
      m_loaded(entity.attributes().size(), true)
{
    // Numbers always hold a number; texts and pictures start absent.
    for (int i = 0; i < entity.attributes().size(); ++i)
        m_values[i] = coerced(entity.attribute(i).type, QVariant());
}

QVariant ManagedObject::value(const QString& key) const
{
    const int index = m_entity->indexOf(key);
    if (index < 0) {
        Console::printLine(QStringLiteral("No attribute %1 in %2").arg(key, m_entity->name()));
        return {};
    }
    return value(index);
}

QVariant ManagedObject::value(int attributeIndex) const
{
    if (!m_loaded[attributeIndex] && m_context)
        m_context->loadAttribute(const_cast<ManagedObject&>(*this), attributeIndex);
    return m_values[attributeIndex];
}

void ManagedObject::setValue(const QString& key, const QVariant& value)
{
    const int index = m_entity->indexOf(key);
    if (index < 0) {
        Console::printLine(QStringLiteral("No attribute %1 in %2").arg(key, m_entity->name()));
        return;
    }
    setValue(index, value);
}

void ManagedObject::setValue(int attributeIndex, const QVariant& value)
{
    QVariant newValue = coerced(m_entity->attribute(attributeIndex).type, value);
    if (m_loaded[attributeIndex] && m_values[attributeIndex] == newValue &&
        m_values[attributeIndex].isValid() == newValue.isValid())
        return;
    if (m_context)
        m_context->willChange(*this);
    m_values[attributeIndex] = std::move(newValue);
    m_loaded[attributeIndex] = true;
}

bool ManagedObject::isAttributeLoaded(const QString& key) const
{
    const int index = m_entity->indexOf(key);
    return index >= 0 && m_loaded[index];
}

void ManagedObject::releaseAttribute(const QString& key)
{
    const int index = m_entity->indexOf(key);
    if (index < 0 || !m_entity->attribute(index).loadedOnDemand || !m_context || m_rowId == 0 ||
        m_updated || m_inserted)
        return;
    m_values[index] = QVariant();
    m_loaded[index] = false;
}

QString ManagedObject::storedText(const QString& text)
{
    // A null QString would reach SQLite as NULL.
    if (text.isNull())
        return QStringLiteral("");
    QString stored = text;
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const QChar c = stored.at(i);
        if (c.isHighSurrogate() && i + 1 < stored.size() && stored.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            stored[i] = QChar::ReplacementCharacter;
    }
    return stored;
}

QVariant ManagedObject::coerced(AttributeType type, const QVariant& value)
{
    switch (type) {
    case AttributeType::Text:
        if (!value.isValid())
            return {};
        return QVariant(storedText(value.toString()));
    case AttributeType::Int16:
        return QVariant(static_cast<int>(static_cast<qint16>(value.toInt())));
    case AttributeType::Float:
        return QVariant(value.toFloat());
    case AttributeType::Bytes: {
        if (!value.isValid())
            return {};
        const QByteArray bytes = value.toByteArray();
        return QVariant(bytes.isNull() ? QByteArray("") : bytes);
    }
    }
    return {};
}
