#pragma once

class AlertPresenter;
class AppDelegate;
class Camera;
class DocumentPicker;
class MailComposer;
class MainQueue;
class MessageCapability;
class Pasteboard;
class Pictures;
class ShareSheet;
class SharedState;
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
};

// Everything a screen is handed when it is made: the store's owner, the shared screen state and
// the services.
struct Environment
{
    AppDelegate& appDelegate;
    SharedState& shared;
    Services services;
};
