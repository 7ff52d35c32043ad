#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

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

    void registerUnwindTarget(const QString& identifier, UnwindAction action);
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

private:
    friend class NavigationController;
    void setNavigationController(NavigationController* navigationController);
    void addBarButtonItem(QList<QAction*>& items, QAction* item);

    QString m_title;
    QPointer<QWidget> m_view;
    QList<QAction*> m_rightItems;
    QList<QAction*> m_leftItems;
    QPointer<NavigationController> m_navigationController;
    Storyboard* m_storyboard = nullptr;
    QHash<QString, UnwindAction> m_unwindActions;
};
