#include "platform/gui/StatusLine.h"

#include <QStatusBar>

void StatusBarLine::setStatusBar(QStatusBar* bar)
{
    m_bar = bar;
}

void StatusBarLine::showMessage(const QString& text)
{
    if (m_bar)
        m_bar->showMessage(text, ShownMilliseconds);
}
