#pragma once

#include "platform/gui/StatusLine.h"

#include <QStringList>

// Keeps every confirmation a screen shows, in order.
class RecordingStatusLine final : public StatusLine
{
public:
    void showMessage(const QString& text) override { messages.append(text); }

    QStringList messages;
};
