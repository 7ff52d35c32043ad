#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <functional>

class AlertPresenter;
class NavigationController;
class QAction;
class QWidget;
class Storyboard;
class ViewController;

// One move between two screens: forward (push) or back to a screen below (unwind).
struct StoryboardSegue
{
    QString identifier;
    ViewController* source = nullptr;
    ViewController* destination = nullptr;
    bool isUnwind = false;
};

// The base of every screen. The view is built on first use; a screen on a navigation stack is
// owned by its NavigationController. objectName is the screen's name, which the storyboard uses
// to find its segues and triggers.
class ViewController : public QObject
{
    Q_OBJECT

public:
    using UnwindAction = std::function<void(const StoryboardSegue&)>;

    explicit ViewController(const QString& name, QObject* parent = nullptr);
    ~ViewController() override;
    Q_DISABLE_COPY_MOVE(ViewController)

    // Built on the first call: buildView(), then the storyboard's triggers, then viewDidLoad().
    QWidget* view();
    bool isViewLoaded() const { return !m_view.isNull(); }

    QString title() const { return m_title; }
    void setTitle(const QString& title);

    // The controller takes the action as its child; the action's objectName is its outlet name.
    void addRightBarButtonItem(QAction* item);
    void addLeftBarButtonItem(QAction* item);
    QList<QAction*> rightBarButtonItems() const { return m_rightItems; }
    QList<QAction*> leftBarButtonItems() const { return m_leftItems; }

    // Makes this screen a form: Ctrl+S, and Return in any of its single-line fields, trigger
    // `save`, whose tooltip names the shortcut. What its inputs show once it has loaded is
    // remembered, and leaving it by the collector's own hand after a change asks "Discard
    // changes?" through `alerts`.
    void setSaveAction(QAction* save, AlertPresenter& alerts);
    QAction* saveAction() const;

    // The keys trigger the action while this screen is shown in the active window (not while a
    // popup or a dialog of it is open); the action's tooltip names them.
    void addKeyboardShortcut(QAction* action, const QKeySequence& keys);
    // The action this screen triggers on the keys (its search field's find for Ctrl+F); null when
    // it has none. A main window that takes the keys (WindowKeys) triggers it from its menu.
    QAction* actionForKeys(const QKeySequence& keys) const;

    // Whether leaving now would lose something the collector changed: for a form, whether any
    // of its inputs shows another value than when last remembered (rememberShownValues()).
    virtual bool hasUnsavedChanges() const;
    // Before the collector leaves this screen by their own hand (the back button, Escape,
    // Alt+Left, closing the window): runs `leave` at once when nothing would be lost, otherwise
    // only once the collector has chosen to discard the changes.
    void confirmLeaving(const std::function<void()>& leave);
    // The collector changed how screens show things (the View menu's layout of lists): the
    // screen shows it again.
    virtual void preferencesChanged() {}

    // The input that takes the keyboard when the screen opens: a form's first field; null for
    // other screens.
    QWidget* initialFocusWidget() const;

    NavigationController* navigationController() const;
    // The container whose view holds this screen's navigation stack (a TabBarController for a
    // screen in one of its tabs); null for a screen on the window's own stack.
    ViewController* parentViewController() const;

    // Set before the view is loaded: triggers are connected when it is.
    Storyboard* storyboard() const { return m_storyboard; }
    void setStoryboard(Storyboard* storyboard) { m_storyboard = storyboard; }

    // A forward segue of the storyboard (pushed on this screen's own stack), else an unwind to the
    // nearest screen below this one that registered the identifier: on this screen's stack first,
    // then below its container on the container's stack, and so outward. The unwind pops the
    // stack where the target was found, a container and all its stacks with it. False (and a
    // console line) when neither exists.
    bool performSegue(const QString& identifier, QObject* sender = nullptr);

    void registerUnwindTarget(const QString& identifier, const UnwindAction& action);
    bool hasUnwindTarget(const QString& identifier) const;
    // Runs the action registered for segue.identifier; false when there is none.
    bool runUnwindAction(const StoryboardSegue& segue);

    // A segue started by a storyboard trigger runs only when this says yes (a form that is not
    // valid yet, say). performSegue() called from code does not ask.
    virtual bool shouldPerformSegue(const QString& identifier, QObject* sender);

    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool animated) { Q_UNUSED(animated) }
    virtual void viewDidAppear(bool animated) { Q_UNUSED(animated) }
    virtual void viewWillDisappear(bool animated) { Q_UNUSED(animated) }
    virtual void viewDidDisappear(bool animated) { Q_UNUSED(animated) }
    virtual void prepareForSegue(const StoryboardSegue& segue, QObject* sender);

Q_SIGNALS:
    void titleChanged(const QString& title);
    void barButtonItemsChanged();

protected:
    // Lays out the screen's widgets into view; the view has no layout yet.
    virtual void buildView(QWidget* view) { Q_UNUSED(view) }

    // Takes what the form's inputs show now as their unchanged state. Done once the view has
    // loaded; a form does it again once it has saved or shown its record anew.
    virtual void rememberShownValues();
    // Takes what one input shows now as its unchanged state; the others keep theirs. For an input
    // filled anew from the store while the rest still hold the collector's typing.
    void rememberShownValue(const QWidget* input);

private:
    friend class NavigationController;
    void setNavigationController(NavigationController* navigationController);
    void addBarButtonItem(QList<QAction*>& items, QAction* item);
    void setUpKeyboard();
    void makeShortcut(QAction* action, const QKeySequence& keys);
    // The widgets of this screen's own view, without those of screens nested in it and of its
    // popups and dialogs.
    template <class Widget> QList<Widget*> ownWidgets() const;

    QString m_title;
    QPointer<QWidget> m_view;
    QList<QAction*> m_rightItems;
    QList<QAction*> m_leftItems;
    QPointer<NavigationController> m_navigationController;
    Storyboard* m_storyboard = nullptr;
    QHash<QString, UnwindAction> m_unwindActions;

    QPointer<QAction> m_saveAction;
    AlertPresenter* m_alerts = nullptr;
    // Shortcuts asked for before the view was built; they are made with it.
    QList<QPair<QPointer<QAction>, QKeySequence>> m_pendingShortcuts;
    QList<QPair<QPointer<QAction>, QKeySequence>> m_keyActions;
    QObject* m_textViewKeys = nullptr;
    struct ShownValue
    {
        QPointer<QWidget> input;
        QString value;
    };
    QList<ShownValue> m_shownValues;
    bool m_askingToLeave = false;
};
