#include "store/CarriedColumn.h"

CarriedColumn::CarriedColumn(int attribute, AttributeType type)
    : m_attribute(attribute), m_type(type)
{}

void CarriedColumn::appendAbsent()
{
    if (m_type == AttributeType::Text) {
        m_ends.push_back(quint32(m_texts.size()));
        m_absent.push_back(true);
    } else {
        // An absent number reads as 0, as in the records.
        m_numbers.push_back(0.0);
    }
}

void CarriedColumn::appendText(QByteArrayView utf8)
{
    m_texts.append(utf8.data(), size_t(utf8.size()));
    m_ends.push_back(quint32(m_texts.size()));
    m_absent.push_back(false);
}

void CarriedColumn::appendNumber(double number)
{
    m_numbers.push_back(number);
}

void CarriedColumn::append(const QVariant& value)
{
    if (m_type != AttributeType::Text)
        appendNumber(value.toDouble());
    else if (!value.isValid())
        appendAbsent();
    else
        appendText(value.toString().toUtf8());
}

QVariant CarriedColumn::at(size_t position) const
{
    switch (m_type) {
    case AttributeType::Text: {
        if (m_absent[position])
            return {};
        const quint32 start = position == 0 ? 0 : m_ends[position - 1];
        const QString text = QString::fromUtf8(m_texts.data() + start, m_ends[position] - start);
        // The empty text stays a text, never absent.
        return text.isNull() ? QStringLiteral("") : text;
    }
    case AttributeType::Int16:
        return int(qint16(m_numbers[position]));
    case AttributeType::Float:
        return float(m_numbers[position]);
    case AttributeType::Bytes:
        break;
    }
    return {};
}
