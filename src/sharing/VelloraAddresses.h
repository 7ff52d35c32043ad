#pragma once

#include <QString>
#include <QUrl>

// Where Vellora can be found and its makers reached. Kept here alone, so a new store page or
// mailbox is changed in one place.
namespace VelloraAddresses {

// Vellora's page in the application store, where it is rated and from where it is installed.
inline QUrl productPage()
{
    return QUrl(QStringLiteral("https://apps.vellora.app/vellora"));
}

inline QUrl website()
{
    return QUrl(QStringLiteral("https://vellora.app"));
}

inline QString feedbackMailbox()
{
    return QStringLiteral("feedback@vellora.app");
}

} // namespace VelloraAddresses
