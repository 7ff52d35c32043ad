#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

class AlertPresenter;

// Opens an address outside the application (a store page, a mail address, a folder).
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;

    // Hands the address on. What cannot be opened, at once or once the desktop has tried, is
    // told to the collector: "Could Not Open" with the address.
    virtual void open(const QUrl& url) = 0;
};

// Hands addresses to the desktop through xdg-open, whose answer comes when it has tried: a
// desktop with no application for the address, or no xdg-open at all, is told through the
// alerts. `opener` names what should have opened it in that message ("browser").
class DesktopOpener final : public QObject
{
    Q_OBJECT

public:
    DesktopOpener(AlertPresenter& alerts, const QString& opener);
    ~DesktopOpener() override;
    Q_DISABLE_COPY_MOVE(DesktopOpener)

    void open(const QUrl& url);
    // How many addresses are still being tried.
    int pendingCount() const;

private:
    void tell(const QString& reason);
    QString refusal(const QUrl& url) const;

    AlertPresenter& m_alerts;
    QString m_opener;
};

class DesktopUrlOpener final : public UrlOpener
{
public:
    explicit DesktopUrlOpener(AlertPresenter& alerts);

    void open(const QUrl& url) override { m_opener.open(url); }

private:
    DesktopOpener m_opener;
};
