#include "app/Storyboard.h"

#include "app/MainMenuViewController.h"
#include "platform/gui/Storyboard.h"
#include "stamps/AddViewController.h"
#include "stamps/EditViewController.h"
#include "stamps/NotesViewController.h"
#include "stamps/ZoomViewController.h"

namespace AppStoryboard {
namespace {

const QString MainMenu = QStringLiteral("MainMenuViewController");
const QString EditForm = QStringLiteral("EditViewController");

template <class Screen> Storyboard::ScreenFactory make(Environment& environment)
{
    return [&environment] { return std::make_unique<Screen>(environment); };
}

} // namespace

void populate(Storyboard& storyboard, Environment& environment)
{
    // The main menu's buttons. A button appears on the menu once its row is here.
    storyboard.addSegue(MainMenu, QStringLiteral("showAdd"), make<AddViewController>(environment));
    storyboard.addTrigger(MainMenu, QStringLiteral("AddButton"), QStringLiteral("showAdd"));

    // The edit form opens the stamp's notes and its enlarged picture.
    storyboard.addSegue(EditForm, QStringLiteral("showNotes"),
                        make<NotesViewController>(environment));
    storyboard.addTrigger(EditForm, QStringLiteral("NotesButton"), QStringLiteral("showNotes"));
    storyboard.addSegue(EditForm, QStringLiteral("Zoom"), make<ZoomViewController>(environment));
}

std::unique_ptr<ViewController> instantiateInitialViewController(Storyboard& storyboard,
                                                                 Environment& environment)
{
    auto menu = std::make_unique<MainMenuViewController>(environment);
    menu->setStoryboard(&storyboard);
    return menu;
}

} // namespace AppStoryboard
