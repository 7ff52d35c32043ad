#include "stamps/InputFilter.h"

#include <QLineEdit>
#include <QLocale>
#include <algorithm>

namespace InputFilter {

bool shouldChangeCharacters(int tag, const QString& replacement)
{
    const QString decimalPoint = QLocale().decimalPoint();
    return std::all_of(replacement.cbegin(), replacement.cend(), [&](QChar character) {
        if (tag == WholeNumberTag)
            return character.isDigit();
        return character == QLatin1Char('.') || QString(character) == decimalPoint ||
               (character >= QLatin1Char('0') && character <= QLatin1Char('9'));
    });
}

} // namespace InputFilter

NumericFieldValidator::NumericFieldValidator(int tag, QLineEdit* field)
    : QValidator(field), m_tag(tag), m_previousText(field->text())
{
    // The text before each edit, so the inserted part can be told from what was there.
    connect(field, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_previousText = text; });
}

QValidator::State NumericFieldValidator::validate(QString& input, int& position) const
{
    Q_UNUSED(position)
    const QString& before = m_previousText;
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(before.size(), input.size());
    while (prefix < shorter && before.at(prefix) == input.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before.at(before.size() - 1 - suffix) == input.at(input.size() - 1 - suffix))
        ++suffix;
    const QString inserted = input.mid(prefix, input.size() - prefix - suffix);
    return InputFilter::shouldChangeCharacters(m_tag, inserted) ? Acceptable : Invalid;
}
