#pragma once

#include "FakeCamera.h"
#include "FixedMessageCapability.h"
#include "RecordingAlertPresenter.h"
#include "RecordingMailComposer.h"
#include "RecordingPrintPanel.h"
#include "RecordingShareSheet.h"
#include "RecordingStatusLine.h"
#include "RecordingUrlOpener.h"
#include "RecordingWebBrowser.h"
#include "ScriptedDocumentPicker.h"
#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/SharedState.h"
#include "platform/core/MainQueue.h"
#include "platform/core/Pictures.h"
#include "platform/core/UserDefaults.h"
#include "platform/gui/Pasteboard.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>

// What a screen under test is handed: a real store and real user defaults in a fresh temporary
// data folder, real picture coding, the real clipboard, a fresh shared state, and doubles for
// alerts, mail, messages, the share sheet, the browsers, the camera, the file dialog and the
// printer.
class TestEnvironment final
{
public:
    TestEnvironment();
    // On a data folder that outlives the environment, as a launch of its own would use it.
    explicit TestEnvironment(const QString& dataDirectory);
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    Environment& environment() { return *m_environment; }
    AppDelegate& appDelegate() { return *m_appDelegate; }
    ObjectContext& context() { return m_appDelegate->viewContext(); }
    SharedState& shared() { return m_shared; }
    QString dataDirectory() const { return m_dataDirectory; }
    QString userDefaultsFile() const;
    // The collector's documents folder, inside the data folder; it exists at the start.
    QString documentsDirectory() const;
    // The application's temporary folder, inside the data folder; made by whoever needs it.
    QString temporaryDirectory() const;
    // The collector's pictures folder, inside the data folder; made by whoever needs it.
    QString picturesDirectory() const;

    // A new launch on the same data folder: the store and the user defaults are opened again and
    // the shared state starts afresh. `whileClosed` runs in between, with both closed, as another
    // program that changes the data folder would.
    void relaunch(const std::function<void()>& whileClosed = {});

    RecordingAlertPresenter alerts;
    MainQueue mainQueue;
    QtPictures pictures;
    RecordingMailComposer mail;
    FixedMessageCapability messages;
    RecordingShareSheet shareSheet;
    RecordingWebBrowser browser;
    RecordingUrlOpener urls;
    FakeCamera camera;
    ScriptedDocumentPicker documentPicker;
    ClipboardPasteboard pasteboard;
    RecordingPrintPanel printPanel;
    RecordingStatusLine status;

private:
    QTemporaryDir m_temporaryDirectory;
    QString m_dataDirectory;
    std::unique_ptr<SettingsUserDefaults> m_userDefaults;
    std::unique_ptr<AppDelegate> m_appDelegate;
    SharedState m_shared;
    std::unique_ptr<Environment> m_environment;
};
