#pragma once

#include <memory>

class Storyboard;
class ViewController;
struct Environment;

// The application's table of segues: which button of which screen opens which screen.
namespace AppStoryboard {

// Fills the table; each screen is made with the environment when its segue runs.
void populate(Storyboard& storyboard, Environment& environment);
// The first screen, the main menu.
std::unique_ptr<ViewController> instantiateInitialViewController(Storyboard& storyboard,
                                                                 Environment& environment);

} // namespace AppStoryboard
