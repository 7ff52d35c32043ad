#include "platform/gui/TextFields.h"

#include <QLineEdit>
#include <limits>

namespace TextFields {

void holdAnyLength(QLineEdit* field)
{
    field->setMaxLength(std::numeric_limits<int>::max());
}

} // namespace TextFields
