#pragma once

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/SharedState.h"
#include "platform/core/MainQueue.h"
#include "platform/core/Pictures.h"
#include "platform/core/UserDefaults.h"
#include "platform/gui/Alert.h"
#include "platform/gui/Camera.h"
#include "platform/gui/DocumentPicker.h"
#include "platform/gui/MailComposer.h"
#include "platform/gui/MessageCapability.h"
#include "platform/gui/Pasteboard.h"
#include "platform/gui/PrintPanel.h"
#include "platform/gui/ShareSheet.h"
#include "platform/gui/StatusLine.h"
#include "platform/gui/Storyboard.h"
#include "platform/gui/UrlOpener.h"
#include "platform/gui/WebBrowser.h"

#include <memory>

class MainWindow;

// The running application: the real services, the store's owner, the shared screen state and
// the window with the main menu.
class Application final
{
public:
    // Vellora's icon, built into the executable.
    static inline const QString IconLocation = QStringLiteral(":/icons/vellora.svg");

    explicit Application(const QString& dataDirectory);
    ~Application();
    Q_DISABLE_COPY_MOVE(Application)

    // Opens the store and shows the main window at Home, the main menu. When the store cannot be
    // opened the collector is told why and false is returned: the application must not go on
    // without its store.
    bool start();

private:
    QtPictures m_pictures;
    SettingsUserDefaults m_userDefaults;
    MainQueue m_mainQueue;
    MessageBoxAlertPresenter m_alerts;
    XdgMailComposer m_mail;
    ShareSheetMessageCapability m_messages;
    DesktopWebBrowser m_browser;
    DesktopUrlOpener m_urls;
    DialogShareSheet m_shareSheet;
    QtCamera m_camera;
    FileDialogDocumentPicker m_documentPicker;
    ClipboardPasteboard m_pasteboard;
    DialogPrintPanel m_printPanel;
    StatusBarLine m_status;
    AppDelegate m_appDelegate;
    SharedState m_shared;
    Environment m_environment;
    Storyboard m_storyboard;
    std::unique_ptr<MainWindow> m_window;
};
