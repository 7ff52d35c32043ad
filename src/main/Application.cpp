#include "main/Application.h"

#include "app/Reading.h"
#include "main/MainWindow.h"
#include "main/Storyboard.h"
#include "platform/core/Console.h"
#include "platform/gui/HandoverFiles.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QIcon>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStatusBar>

namespace {

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

// For the start-up benchmark: the application ends once its window has first been painted, so
// the time from launch to exit is the time to the first window on screen.
class QuitAfterFirstPaint final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                      Qt::QueuedConnection);
        }
        return false;
    }
};

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
                     m_printPanel, m_status},
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
    // The window keeps its place as it closes; the screens go before the services they use.
    m_window.reset();
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
    m_window = std::make_unique<MainWindow>(m_storyboard, m_environment);
    m_alerts.setWindow(m_window.get());
    m_status.setStatusBar(m_window->statusBar());
    if (qEnvironmentVariableIsSet("VELLORA_QUIT_AFTER_FIRST_PAINT"))
        m_window->installEventFilter(new QuitAfterFirstPaint(m_window.get()));
    if (m_window->restorePlace())
        m_window->showMaximized();
    else
        m_window->show();
    return true;
}
