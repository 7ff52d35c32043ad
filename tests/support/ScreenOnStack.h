#pragma once

#include "platform/gui/NavigationController.h"
#include "platform/gui/ViewController.h"

#include <QStringList>
#include <memory>

// The screen a screen under test returns to: it answers the given unwinds and records each it
// receives, by identifier.
class UnwindStub final : public ViewController
{
public:
    explicit UnwindStub(const QStringList& unwindIdentifiers)
        : ViewController(QStringLiteral("UnwindStub"))
    {
        for (const QString& identifier : unwindIdentifiers) {
            registerUnwindTarget(
                identifier, [this](const StoryboardSegue& segue) { unwinds << segue.identifier; });
        }
    }
    QStringList unwinds;
};

// A screen on a navigation stack above an UnwindStub, as if that stub had opened it.
template <class Screen> struct ScreenOnStack
{
    template <class... Arguments>
    explicit ScreenOnStack(const QStringList& unwindIdentifiers, Arguments&&... arguments)
    {
        auto root = std::make_unique<UnwindStub>(unwindIdentifiers);
        opener = root.get();
        navigation = std::make_unique<NavigationController>(std::move(root));
        push(std::forward<Arguments>(arguments)...);
    }
    // Opens another screen of the same kind above the stack's top.
    template <class... Arguments> Screen* push(Arguments&&... arguments)
    {
        auto made = std::make_unique<Screen>(std::forward<Arguments>(arguments)...);
        screen = made.get();
        navigation->pushViewController(std::move(made), false);
        return screen;
    }
    bool screenIsShown() const { return navigation->topViewController() == screen; }

    UnwindStub* opener = nullptr;
    Screen* screen = nullptr;
    std::unique_ptr<NavigationController> navigation;
};
