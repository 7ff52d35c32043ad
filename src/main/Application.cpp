#include "main/Application.h"

#include "app/Reading.h"
#include "main/Storyboard.h"
#include "platform/core/Console.h"
#include "platform/gui/HandoverFiles.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/ViewController.h"
#include "platform/gui/WindowGeometry.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QMessageBox>
#include <QStandardPaths>

namespace {

// The shape the window starts with, until the collector gives it another; a smaller screen
// shrinks it.
constexpr QSize PhoneShapedWindow(430, 860);

// Every window shows Vellora's icon. Qt reads SVG through its SVG plugins (libqt6svg6); without
// them the windows keep the desktop's default icon, and the console says why.
void setApplicationIcon()
{
    const QIcon icon(Application::IconLocation);
    if (icon.pixmap(QSize(64, 64)).isNull())
        Console::printLine(QStringLiteral("The application icon %1 could not be read: are Qt's SVG "
                                          "plugins installed?")
                               .arg(Application::IconLocation));
    QApplication::setWindowIcon(icon);
}

} // namespace

Application::Application(const QString& dataDirectory)
    : m_userDefaults(AppDelegate::userDefaultsFile(dataDirectory)), m_browser(m_alerts),
      m_urls(m_alerts), m_shareSheet(m_mail, m_urls),
      m_printPanel(m_alerts, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)),
      m_appDelegate(dataDirectory),
      m_environment{m_appDelegate,
                    m_shared,
                    {m_alerts, m_mainQueue, m_userDefaults, m_pictures, m_mail, m_messages,
                     m_shareSheet, m_browser, m_urls, m_camera, m_documentPicker, m_pasteboard,
                     m_printPanel},
                    QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                    // The collector's own cache folder: a shared one in /tmp could belong to
                    // another user of the machine.
                    QStandardPaths::writableLocation(QStandardPaths::CacheLocation),
                    QStandardPaths::writableLocation(QStandardPaths::PicturesLocation)}
{
    HandoverFiles::removeLeftByEarlierRuns();
    AppStoryboard::populate(m_storyboard, m_environment);
}

Application::~Application()
{
    // What was handed to other programs (mail attachments, texts opened elsewhere) is not left
    // readable in the temp location after the collector has closed Vellora.
    HandoverFiles::removeOwn();
    // Kept for the next launch, maximised or not, even if the collector closed the window.
    if (m_window)
        // At exit no window is left to tell a failure in: synchronize() has printed it.
        static_cast<void>(WindowGeometry::save(*m_window, m_userDefaults));
}

bool Application::start()
{
    m_appDelegate.persistentContainer();
    if (const std::optional<StoreError>& error = m_appDelegate.storeError()) {
        QMessageBox::critical(nullptr, QCoreApplication::translate("Application", "Fatal error"),
                              AppDelegate::unresolvedErrorMessage(*error));
        return false;
    }
    Reading::tellOnDemandFailures(m_environment);
    setApplicationIcon();
    m_window = std::make_unique<NavigationController>(
        AppStoryboard::instantiateInitialViewController(m_storyboard, m_environment));
    m_window->setWindowTitle(QStringLiteral("Vellora"));
    m_alerts.setWindow(m_window.get());
    const bool maximized = WindowGeometry::restore(*m_window, m_userDefaults, PhoneShapedWindow);
    if (maximized)
        m_window->showMaximized();
    else
        m_window->show();
    return true;
}
