#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <functional>

class QObject;
class QWidget;

struct AlertAction
{
    enum class Style
    {
        Default,
        Cancel,
        Destructive
    };

    QString title;
    Style style = Style::Default;
    std::function<void()> handler; // may be empty: the button only closes the alert
};

struct Alert
{
    QString title;
    QString message;
    QList<AlertAction> actions;

    // One default button that only closes the alert.
    static Alert withOk(const QString& title, const QString& message,
                        const QString& buttonTitle = QString());

    // The same alert whose handlers belong to context, a screen typically: a button pressed
    // after the context is destroyed only closes the alert.
    Alert withContext(QObject* context) const;
};

// Shows alerts to the collector. Screens get one handed in; tests hand in a recording one.
class AlertPresenter
{
public:
    AlertPresenter() = default;
    virtual ~AlertPresenter() = default;
    Q_DISABLE_COPY_MOVE(AlertPresenter)

    virtual void present(const Alert& alert) = 0;
};

// Alerts as message boxes, window-modal on the active window. present() returns at once; the
// pressed button's handler runs after the box has closed.
class MessageBoxAlertPresenter final : public AlertPresenter
{
public:
    // The parent used when no window is active (the application's main window, typically).
    explicit MessageBoxAlertPresenter(QWidget* fallbackParent = nullptr);

    void present(const Alert& alert) override;

private:
    QPointer<QWidget> m_fallbackParent;
};
