#include "platform/gui/Storyboard.h"

#include "platform/core/Console.h"
#include "platform/gui/ViewController.h"

#include <QAbstractButton>
#include <QAction>
#include <QWidget>

QString Storyboard::key(const QString& sourceName, const QString& name)
{
    return sourceName + QLatin1Char('\n') + name;
}

void Storyboard::addSegue(const QString& sourceName, const QString& identifier,
                          const ScreenFactory& factory)
{
    if (!factory) {
        Console::printLine(QStringLiteral("Storyboard: segue %1 from %2 has no screen; ignored")
                               .arg(identifier, sourceName));
        return;
    }
    const QString k = key(sourceName, identifier);
    if (m_segues.contains(k))
        Console::printLine(QStringLiteral("Storyboard: segue %1 from %2 defined twice; the later "
                                          "one is used")
                               .arg(identifier, sourceName));
    m_segues.insert(k, factory);
}

bool Storyboard::hasSegue(const QString& sourceName, const QString& identifier) const
{
    return m_segues.contains(key(sourceName, identifier));
}

std::unique_ptr<ViewController> Storyboard::instantiate(const QString& sourceName,
                                                        const QString& identifier) const
{
    const auto found = m_segues.constFind(key(sourceName, identifier));
    if (found == m_segues.constEnd())
        return nullptr;
    return found.value()();
}

void Storyboard::addTrigger(const QString& sourceName, const QString& outletName,
                            const QString& identifier)
{
    QList<Trigger>& triggers = m_triggers[sourceName];
    for (Trigger& trigger : triggers) {
        if (trigger.outletName == outletName) {
            Console::printLine(QStringLiteral("Storyboard: outlet %1 of %2 given a second segue "
                                              "(%3 replaces %4)")
                                   .arg(outletName, sourceName, identifier, trigger.identifier));
            trigger.identifier = identifier;
            return;
        }
    }
    triggers.append({outletName, identifier});
}

bool Storyboard::hasTrigger(const QString& sourceName, const QString& outletName) const
{
    return !triggeredSegue(sourceName, outletName).isEmpty();
}

QString Storyboard::triggeredSegue(const QString& sourceName, const QString& outletName) const
{
    for (const Trigger& trigger : m_triggers.value(sourceName)) {
        if (trigger.outletName == outletName)
            return trigger.identifier;
    }
    return {};
}

int Storyboard::connectTriggers(ViewController* source) const
{
    if (!source)
        return 0;
    if (!source->isViewLoaded()) {
        // Loading it here would connect everything twice (view() connects its own storyboard).
        Console::printLine(QStringLiteral("Storyboard: triggers of %1 asked for before its view "
                                          "was built; none connected")
                               .arg(source->objectName()));
        return 0;
    }
    int connected = 0;
    QWidget* view = source->view();
    for (const Trigger& trigger : m_triggers.value(source->objectName())) {
        const QString identifier = trigger.identifier;
        auto start = [source, identifier](QObject* sender) {
            if (source->shouldPerformSegue(identifier, sender))
                source->performSegue(identifier, sender);
        };
        if (auto* button = view->findChild<QAbstractButton*>(trigger.outletName)) {
            QObject::connect(button, &QAbstractButton::clicked, source,
                             [start, button] { start(button); });
            ++connected;
        } else if (auto* action = source->findChild<QAction*>(trigger.outletName)) {
            QObject::connect(action, &QAction::triggered, source,
                             [start, action] { start(action); });
            ++connected;
        } else if (auto* viewAction = view->findChild<QAction*>(trigger.outletName)) {
            QObject::connect(viewAction, &QAction::triggered, source,
                             [start, viewAction] { start(viewAction); });
            ++connected;
        } else {
            Console::printLine(QStringLiteral("Storyboard: %1 has no button or action named %2 "
                                              "for segue %3")
                                   .arg(source->objectName(), trigger.outletName, identifier));
        }
    }
    return connected;
}
