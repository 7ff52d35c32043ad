#pragma once

#include "platform/gui/NavigationController.h"
#include "platform/gui/ViewController.h"

#include <QStackedWidget>
#include <QStringList>
#include <functional>

// A screen for the platform tests that writes its lifecycle into a shared log as "Name:event",
// noting whether its view is the page on show at that moment.
class Screen final : public ViewController
{
public:
    Screen(const QString& name, QStringList* log) : ViewController(name), m_log(log)
    {
        setTitle(name + QStringLiteral(" title"));
    }

    std::function<void(QWidget*)> build;
    std::function<void(const StoryboardSegue&, QObject*)> onPrepare;
    bool allowTriggeredSegues = true;

    void viewDidLoad() override { note(QStringLiteral("load")); }
    void viewWillAppear(bool) override { note(QStringLiteral("willAppear") + page()); }
    void viewDidAppear(bool) override { note(QStringLiteral("didAppear") + page()); }
    void viewWillDisappear(bool) override { note(QStringLiteral("willDisappear") + page()); }
    void viewDidDisappear(bool) override { note(QStringLiteral("didDisappear") + page()); }

    void prepareForSegue(const StoryboardSegue& segue, QObject* sender) override
    {
        note(QStringLiteral("prepare %1 to %2%3")
                 .arg(segue.identifier, segue.destination->objectName(),
                      segue.isUnwind ? QStringLiteral(" (unwind)") : QString()));
        if (onPrepare)
            onPrepare(segue, sender);
    }

    bool shouldPerformSegue(const QString&, QObject*) override { return allowTriggeredSegues; }

    void registerLoggedUnwind(const QString& identifier)
    {
        registerUnwindTarget(identifier, [this, identifier](const StoryboardSegue& segue) {
            note(QStringLiteral("unwind %1 from %2").arg(identifier, segue.source->objectName()));
        });
    }

protected:
    void buildView(QWidget* view) override
    {
        if (build)
            build(view);
    }

private:
    void note(const QString& event) { m_log->append(objectName() + QLatin1Char(':') + event); }

    // " shown" when this screen's view is the navigation controller's current page.
    QString page()
    {
        NavigationController* nav = navigationController();
        auto* pages = nav ? nav->findChild<QStackedWidget*>() : nullptr;
        return pages && pages->currentWidget() == view() ? QStringLiteral(" shown")
                                                         : QStringLiteral(" hidden");
    }

    QStringList* m_log;
};
