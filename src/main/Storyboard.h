#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

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

// One place of the main window, side by side with the others: its root screen, made when the
// collector first goes there.
struct Section
{
    QString name;          // "StampsSection"
    const char* title;     // in the context "Sections"
    const char* themeIcon; // the icon theme's name
    const char* symbol;    // the bundled symbol shown when the theme has no such icon
    std::function<std::unique_ptr<ViewController>()> makeRoot;
    // Below the separator of the sidebar, with the places of less daily use.
    bool secondary = false;
    // The root brings its own bars (the group tabs): the section shows none above it.
    bool hidesNavigationBar = false;
};

// Home, Stamps, Groups, Valuation, Statistics, Reports, Reference Lists, Export & Import, then
// Overview and Settings. Each root has the storyboard set.
std::vector<Section> sections(Storyboard& storyboard, Environment& environment);

} // namespace AppStoryboard
