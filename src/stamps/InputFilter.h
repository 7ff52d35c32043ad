#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

// The filter of the numeric fields: what may be typed or pasted into them.
namespace InputFilter {

// Fields of this tag take decimal digits only (whole numbers); the others ASCII digits, the point
// and the current locale's decimal separator (a German collector types "12,5").
inline constexpr int WholeNumberTag = 1;
inline constexpr int AmountTag = 2;

// Whether a change that puts `replacement` into a field of this tag is accepted. The replacement
// is judged as a whole, so a paste with one foreign character is refused entirely; a deletion
// (empty replacement) is always accepted. Position, number of points and length are not judged.
bool shouldChangeCharacters(int tag, const QString& replacement);

} // namespace InputFilter

// Applies InputFilter to a line edit: every edit by the collector is checked on the text it
// inserts. Texts the form sets itself (setText) are not filtered.
class NumericFieldValidator final : public QValidator
{
    Q_OBJECT

public:
    NumericFieldValidator(int tag, QLineEdit* field);

    int tag() const { return m_tag; }
    State validate(QString& input, int& position) const override;

private:
    int m_tag;
    QString m_previousText;
};
