#pragma once

// Needs vellora_main: include it only from test programs that link it.

#include "TestEnvironment.h"
#include "main/MainMenuViewController.h"
#include "main/Storyboard.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"

#include <QTest>
#include <memory>

// The main menu in its window with the application's storyboard, as at start-up.
struct AppOnScreen
{
    explicit AppOnScreen(TestEnvironment& test)
    {
        AppStoryboard::populate(storyboard, test.environment());
        navigation = std::make_unique<NavigationController>(
            AppStoryboard::instantiateInitialViewController(storyboard, test.environment()));
        menu = qobject_cast<MainMenuViewController*>(navigation->topViewController());
    }
    // On screen and active, for the keys.
    bool show()
    {
        navigation->show();
        return QTest::qWaitForWindowActive(navigation.get());
    }

    Storyboard storyboard;
    std::unique_ptr<NavigationController> navigation;
    MainMenuViewController* menu = nullptr;
};
