#include "app/Storyboard.h"

#include "app/MainMenuViewController.h"
#include "platform/gui/Storyboard.h"

namespace AppStoryboard {

void populate(Storyboard& storyboard, Environment& environment)
{
    // The main menu's buttons. A button appears on the menu once its row is here.
    Q_UNUSED(storyboard)
    Q_UNUSED(environment)
}

std::unique_ptr<ViewController> instantiateInitialViewController(Storyboard& storyboard,
                                                                 Environment& environment)
{
    auto menu = std::make_unique<MainMenuViewController>(environment);
    menu->setStoryboard(&storyboard);
    return menu;
}

} // namespace AppStoryboard
