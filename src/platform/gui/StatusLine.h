#pragma once

#include <QPointer>
#include <QString>

class QStatusBar;

// Where a screen confirms what it has just done ("Saved 5c Canada 1962"), for a few seconds, out of
// the collector's way.
class StatusLine
{
public:
    static constexpr int ShownMilliseconds = 5000;

    virtual ~StatusLine() = default;
    virtual void showMessage(const QString& text) = 0;
};

// The main window's status bar; a message before the window has one goes nowhere, as a
// confirmation that no one could see.
class StatusBarLine final : public StatusLine
{
public:
    void setStatusBar(QStatusBar* bar);
    void showMessage(const QString& text) override;

private:
    QPointer<QStatusBar> m_bar;
};
