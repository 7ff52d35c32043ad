#include "platform/gui/WebBrowser.h"

#include <QCoreApplication>

DesktopWebBrowser::DesktopWebBrowser(AlertPresenter& alerts)
    : m_opener(alerts, QCoreApplication::translate("WebBrowser", "browser"))
{}
