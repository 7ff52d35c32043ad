#pragma once

#include "store/Model.h"

#include <QByteArrayView>
#include <QVariant>
#include <string>
#include <vector>

// One attribute's values for every row of a fetch, kept compact: texts as UTF-8 one after another
// in a single buffer, numbers as doubles. A hundred thousand short texts so cost a few hundred
// kilobytes and no allocation each; a value becomes a QVariant only when asked for.
class CarriedColumn final
{
public:
    CarriedColumn(int attribute, AttributeType type);

    int attribute() const { return m_attribute; }

    void appendAbsent();
    void appendText(QByteArrayView utf8);
    void appendNumber(double number);
    // An object's value, as ManagedObject::value gives it.
    void append(const QVariant& value);

    // The value at the position, as the object made from the row would hold it.
    QVariant at(size_t position) const;

private:
    int m_attribute;
    AttributeType m_type;
    std::string m_texts;
    // Where each row's text ends in m_texts; a text starts where the one before ends.
    std::vector<quint32> m_ends;
    std::vector<bool> m_absent;
    std::vector<double> m_numbers;
};
