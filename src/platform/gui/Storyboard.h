#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

class ViewController;

// Which screen each segue leads to, and which button or bar button starts it. The application
// fills one table at start-up; screens reach it through ViewController::storyboard().
class Storyboard final
{
public:
    using ScreenFactory = std::function<std::unique_ptr<ViewController>()>;

    Storyboard() = default;
    Q_DISABLE_COPY_MOVE(Storyboard)

    void addSegue(const QString& sourceName, const QString& identifier,
                  const ScreenFactory& factory);
    bool hasSegue(const QString& sourceName, const QString& identifier) const;
    // A fresh destination screen, or null when no such segue exists.
    std::unique_ptr<ViewController> instantiate(const QString& sourceName,
                                                const QString& identifier) const;

    // The outlet is a button in the source's view or a bar button action of the source; clicking
    // it performs the segue (forward or unwind).
    void addTrigger(const QString& sourceName, const QString& outletName,
                    const QString& identifier);
    bool hasTrigger(const QString& sourceName, const QString& outletName) const;
    // The segue identifier the outlet starts, empty when it starts none.
    QString triggeredSegue(const QString& sourceName, const QString& outletName) const;

    // Called once the screen's view is built. Returns how many triggers were connected.
    int connectTriggers(ViewController* source) const;

private:
    struct Trigger
    {
        QString outletName;
        QString identifier;
    };

    static QString key(const QString& sourceName, const QString& name);

    QHash<QString, ScreenFactory> m_segues;
    QHash<QString, QList<Trigger>> m_triggers; // by source name
};
