#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <deque>
#include <functional>

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
    // The screen (or widget) that raises the alert: the alert belongs to it and goes with it.
    // Null: the screen on show when it is presented.
    QPointer<QObject> owner = {};

    // One default button that only closes the alert.
    static Alert withOk(const QString& title, const QString& message,
                        const QString& buttonTitle = QString());

    // The same alert owned by context, a screen typically: a button pressed after the context is
    // destroyed only closes the alert, and a presenter closes it (or never shows it) once the
    // context is gone.
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

// Alerts as message boxes, window-modal on the window of the screen that raised them, one at a
// time: an alert presented while another shows waits for it to close. A box belongs to its
// screen's view, so it closes with the screen, and an alert whose screen went before its turn is
// never shown. present() returns at once; the pressed button's handler runs after the box has
// closed.
class MessageBoxAlertPresenter final : public QObject, public AlertPresenter
{
    Q_OBJECT

public:
    // `window` holds the screens (the main window); alerts that no screen raised belong to it.
    explicit MessageBoxAlertPresenter(QWidget* window = nullptr);
    ~MessageBoxAlertPresenter() override;

    void setWindow(QWidget* window) { m_window = window; }
    void present(const Alert& alert) override;

    // The box on show; null when none is.
    QMessageBox* shownBox() const { return m_shown; }

private:
    struct Waiting
    {
        Alert alert;
        QPointer<QWidget> parent;
        bool hasParent;
    };
    // Where an alert raised now belongs: its owner's view, else the screen on show, else the
    // window.
    QWidget* parentFor(const Alert& alert) const;
    void showNext();
    void show(const Alert& alert, QWidget* parent);

    QPointer<QWidget> m_window;
    QPointer<QMessageBox> m_shown;
    std::deque<Waiting> m_waiting;
};
