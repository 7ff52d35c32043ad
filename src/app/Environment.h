#pragma once

#include <QString>

class AlertPresenter;
class AppDelegate;
class Camera;
class DocumentPicker;
class MailComposer;
class MainQueue;
class MessageCapability;
class Pasteboard;
class Pictures;
class PrintPanel;
class ShareSheet;
class SharedState;
class StatusLine;
class UrlOpener;
class UserDefaults;
class WebBrowser;

// The platform services a screen may call. The application hands in the real ones; tests hand in
// doubles for what they cannot drive.
struct Services
{
    AlertPresenter& alerts;
    MainQueue& mainQueue;
    UserDefaults& userDefaults;
    Pictures& pictures;
    MailComposer& mail;
    MessageCapability& messages;
    ShareSheet& shareSheet;
    WebBrowser& browser;
    UrlOpener& urls;
    Camera& camera;
    DocumentPicker& documentPicker;
    Pasteboard& pasteboard;
    PrintPanel& printPanel;
    StatusLine& status;
};

// Everything a screen is handed when it is made: the store's owner, the shared screen state, the
// services, the collector's documents folder, where reports are written, the application's
// temporary folder, where the export file is written (made when first needed), and the collector's
// pictures folder, where pictures of the screen are kept (made when first needed).
struct Environment
{
    AppDelegate& appDelegate;
    SharedState& shared;
    Services services;
    QString documentsDirectory;
    QString temporaryDirectory;
    QString picturesDirectory;
};
