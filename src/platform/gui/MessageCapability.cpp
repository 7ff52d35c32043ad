#include "platform/gui/MessageCapability.h"

bool ShareSheetMessageCapability::canSendText() const
{
    return true;
}
