#include "ConsoleCapture.h"
#include "LoggingScreen.h"
#include "RecordingAlertPresenter.h"
#include "platform/gui/Alert.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"
#include "platform/gui/Styling.h"
#include "platform/gui/SymbolIcons.h"
#include "platform/gui/TabBarController.h"
#include "platform/gui/ViewController.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QStackedWidget>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

namespace {

void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A form as the toolkit sees one: two fields (the second filled by a picker, so read-only), a
// text view and a save action, declared as the screen's save action.
struct FormScreen
{
    FormScreen(QStringList* log, AlertPresenter& alerts)
        : owner(std::make_unique<Screen>(QStringLiteral("Form"), log))
    {
        screen = owner.get();
        screen->build = [this](QWidget* view) {
            auto* layout = new QVBoxLayout(view);
            first = new QLineEdit(QStringLiteral("as loaded"), view);
            picked = new QLineEdit(view);
            picked->setReadOnly(true);
            // The picker's popup has a field of its own, to narrow its choices.
            auto* popup = new QFrame(picked, Qt::Popup);
            narrow = new QLineEdit(popup);
            notes = new QPlainTextEdit(view);
            for (QWidget* input : {static_cast<QWidget*>(first), static_cast<QWidget*>(picked),
                                   static_cast<QWidget*>(notes)})
                layout->addWidget(input);
        };
        save = new QAction(QStringLiteral("Save"));
        QObject::connect(save, &QAction::triggered, [this] { ++saves; });
        screen->addRightBarButtonItem(save);
        screen->setSaveAction(save, alerts);
    }

    std::unique_ptr<Screen> owner;
    Screen* screen = nullptr;
    QLineEdit* first = nullptr;
    QLineEdit* picked = nullptr;
    QLineEdit* narrow = nullptr;
    QPlainTextEdit* notes = nullptr;
    QAction* save = nullptr;
    int saves = 0;
};

// A window with a menu screen at its root, shown and active, so that its shortcuts act.
struct ShownStack
{
    explicit ShownStack(QStringList* log)
    {
        auto root = std::make_unique<Screen>(QStringLiteral("Menu"), log);
        menu = root.get();
        menu->registerLoggedUnwind(QStringLiteral("unwindToMenu"));
        navigation = std::make_unique<NavigationController>(std::move(root));
        navigation->show();
        active = QTest::qWaitForWindowActive(navigation.get());
    }

    Screen* push(std::unique_ptr<Screen> screen)
    {
        Screen* pushed = screen.get();
        navigation->pushViewController(std::move(screen), false);
        return pushed;
    }

    Screen* menu = nullptr;
    std::unique_ptr<NavigationController> navigation;
    bool active = false;
};

} // namespace

class NavigationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pushPreparesThenRunsLifecycleInOrder();
    void unwindReturnsToNearestRegisteredScreen();
    void seguesThatCannotRunChangeNothing();
    void triggersStartSegues();
    void navigationBarFollowsTopScreen();
    void recordingPresenterAnswersOldestAlert();
    void messageBoxPresenterRunsHandlerAfterClosing();
    void symbolsAndStyle();
    void outlinesFollowThePalette_data();
    void outlinesFollowThePalette();
    void keysGoBackUnlessAPopupIsOpen_data();
    void keysGoBackUnlessAPopupIsOpen();
    void formsSaveFromTheKeyboard();
    void keysReachTheScreensInATab();
    void leavingAChangedFormByHandAsksFirst();
    void closingTheWindowAsksForAChangedFormInATab();
};

void NavigationTest::pushPreparesThenRunsLifecycleInOrder()
{
    QStringList log;
    Storyboard storyboard;
    storyboard.addSegue(QStringLiteral("Menu"), QStringLiteral("showList"),
                        [&log] { return std::make_unique<Screen>(QStringLiteral("List"), &log); });

    auto menuOwner = std::make_unique<Screen>(QStringLiteral("Menu"), &log);
    Screen* menu = menuOwner.get();
    menu->setStoryboard(&storyboard);
    QObject* senderSeen = nullptr;
    bool destinationLoadedWhilePreparing = true;
    Storyboard* destinationStoryboard = nullptr;
    menu->onPrepare = [&](const StoryboardSegue& segue, QObject* sender) {
        senderSeen = sender;
        destinationLoadedWhilePreparing = segue.destination->isViewLoaded();
        destinationStoryboard = segue.destination->storyboard();
        QCOMPARE(segue.source, menu);
    };

    NavigationController nav(std::move(menuOwner));
    // The root appears when the navigation controller is made (its view is the only page).
    QCOMPARE(log, QStringList({QStringLiteral("Menu:load"), QStringLiteral("Menu:willAppear shown"),
                               QStringLiteral("Menu:didAppear shown")}));
    QCOMPARE(menu->navigationController(), &nav);
    log.clear();

    QObject sender;
    QVERIFY(menu->performSegue(QStringLiteral("showList"), &sender));
    QCOMPARE(log,
             QStringList({QStringLiteral("Menu:prepare showList to List"),
                          QStringLiteral("List:load"), QStringLiteral("Menu:willDisappear shown"),
                          QStringLiteral("List:willAppear hidden"),
                          QStringLiteral("Menu:didDisappear hidden"),
                          QStringLiteral("List:didAppear shown")}));
    QCOMPARE(senderSeen, &sender);
    QVERIFY(!destinationLoadedWhilePreparing);
    QCOMPARE(destinationStoryboard, &storyboard);

    QCOMPARE(nav.viewControllers().size(), 2);
    ViewController* list = nav.topViewController();
    QCOMPARE(list->objectName(), QStringLiteral("List"));
    QCOMPARE(list->navigationController(), &nav);
    QCOMPARE(nav.viewControllers().first(), menu);

    // Going back mirrors it, and the popped screen goes once control is back in the event loop.
    log.clear();
    QPointer<ViewController> popped = list;
    QVERIFY(nav.popViewController(false));
    QCOMPARE(log, QStringList({QStringLiteral("List:willDisappear shown"),
                               QStringLiteral("Menu:willAppear hidden"),
                               QStringLiteral("List:didDisappear hidden"),
                               QStringLiteral("Menu:didAppear shown")}));
    QCOMPARE(nav.topViewController(), menu);
    QVERIFY(popped);
    QVERIFY(!popped->navigationController());
    runDeferredDeletes();
    QVERIFY(!popped);
    QVERIFY(!nav.popViewController(false));
    QCOMPARE(nav.viewControllers().size(), 1);
}

void NavigationTest::unwindReturnsToNearestRegisteredScreen()
{
    QStringList log;
    auto a = std::make_unique<Screen>(QStringLiteral("A"), &log);
    Screen* aScreen = a.get();
    aScreen->registerLoggedUnwind(QStringLiteral("unwindToMenu"));
    NavigationController nav(std::move(a));

    auto b = std::make_unique<Screen>(QStringLiteral("B"), &log);
    Screen* bScreen = b.get();
    bScreen->registerLoggedUnwind(QStringLiteral("unwindToMenu"));
    nav.pushViewController(std::move(b), false);
    nav.pushViewController(std::make_unique<Screen>(QStringLiteral("X"), &log), false);
    auto c = std::make_unique<Screen>(QStringLiteral("C"), &log);
    Screen* cScreen = c.get();
    nav.pushViewController(std::move(c), false);
    QPointer<ViewController> x = nav.viewControllers().at(2);
    QPointer<ViewController> cGuard = cScreen;

    QCOMPARE(nav.unwindTarget(QStringLiteral("unwindToMenu"), cScreen), bScreen);
    QCOMPARE(nav.unwindTarget(QStringLiteral("unwindToMenu"), bScreen), aScreen);
    QCOMPARE(nav.unwindTarget(QStringLiteral("unwindToMenu"), aScreen), nullptr);

    // From C: lands on B (not A), B's action runs before the screens above it go, X and C both
    // disappear, B appears.
    log.clear();
    QVERIFY(cScreen->performSegue(QStringLiteral("unwindToMenu")));
    QCOMPARE(log,
             QStringList(
                 {QStringLiteral("C:prepare unwindToMenu to B (unwind)"),
                  QStringLiteral("B:unwind unwindToMenu from C"),
                  QStringLiteral("C:willDisappear shown"), QStringLiteral("X:willDisappear hidden"),
                  QStringLiteral("B:willAppear hidden"), QStringLiteral("C:didDisappear hidden"),
                  QStringLiteral("X:didDisappear hidden"), QStringLiteral("B:didAppear shown")}));
    QCOMPARE(nav.viewControllers(), QList<ViewController*>({aScreen, bScreen}));
    QCOMPARE(nav.topViewController(), bScreen);
    runDeferredDeletes();
    QVERIFY(!x);
    QVERIFY(!cGuard);

    // From B: the nearest below it is A.
    log.clear();
    QVERIFY(bScreen->performSegue(QStringLiteral("unwindToMenu")));
    QCOMPARE(log,
             QStringList(
                 {QStringLiteral("B:prepare unwindToMenu to A (unwind)"),
                  QStringLiteral("A:unwind unwindToMenu from B"),
                  QStringLiteral("B:willDisappear shown"), QStringLiteral("A:willAppear hidden"),
                  QStringLiteral("B:didDisappear hidden"), QStringLiteral("A:didAppear shown")}));
    QCOMPARE(nav.viewControllers(), QList<ViewController*>({aScreen}));
}

void NavigationTest::seguesThatCannotRunChangeNothing()
{
    ConsoleCapture console;
    QStringList log;
    Storyboard storyboard;
    storyboard.addSegue(QStringLiteral("Loose"), QStringLiteral("showList"),
                        [&log] { return std::make_unique<Screen>(QStringLiteral("List"), &log); });

    auto root = std::make_unique<Screen>(QStringLiteral("A"), &log);
    Screen* a = root.get();
    a->registerLoggedUnwind(QStringLiteral("unwindToMenu"));
    NavigationController nav(std::move(root));
    auto top = std::make_unique<Screen>(QStringLiteral("B"), &log);
    Screen* b = top.get();
    nav.pushViewController(std::move(top), false);
    log.clear();

    // Nobody below registered it (B's own stack neighbour A registered another one).
    QVERIFY(!b->performSegue(QStringLiteral("unwindToList")));
    QVERIFY(console.lines().contains(QStringLiteral("No segue named unwindToList from B")));
    // A screen's own registration is no target for itself: it can only unwind to screens below.
    QVERIFY(!a->performSegue(QStringLiteral("unwindToMenu")));
    QVERIFY(console.lines().contains(QStringLiteral("No segue named unwindToMenu from A")));
    QCOMPARE(nav.viewControllers(), QList<ViewController*>({a, b}));
    QVERIFY(log.isEmpty());

    // An unwind whose destination is not on the stack, or has no action for it, is refused.
    Screen stranger(QStringLiteral("Stranger"), &log);
    stranger.registerLoggedUnwind(QStringLiteral("unwindToMenu"));
    QVERIFY(!nav.unwind({QStringLiteral("unwindToMenu"), b, &stranger, true}));
    QVERIFY(!nav.unwind({QStringLiteral("unwindToNowhere"), b, a, true}));
    QCOMPARE(nav.viewControllers(), QList<ViewController*>({a, b}));
    QVERIFY(log.isEmpty());

    // A forward segue needs a navigation controller to push on.
    Screen loose(QStringLiteral("Loose"), &log);
    loose.setStoryboard(&storyboard);
    console.clear();
    QVERIFY(!loose.performSegue(QStringLiteral("showList")));
    QCOMPARE(console.lines().size(), 1);
    QVERIFY(console.lines().first().contains(QStringLiteral("showList")));
    QVERIFY(log.isEmpty());
}

void NavigationTest::triggersStartSegues()
{
    ConsoleCapture console;
    QStringList log;
    Storyboard storyboard;
    storyboard.addSegue(QStringLiteral("Menu"), QStringLiteral("showAdd"),
                        [&log] { return std::make_unique<Screen>(QStringLiteral("Add"), &log); });
    storyboard.addSegue(QStringLiteral("Menu"), QStringLiteral("showSort"), [&log] {
        auto sort = std::make_unique<Screen>(QStringLiteral("Sort"), &log);
        sort->build = [](QWidget* view) {
            auto* done = new QPushButton(QStringLiteral("Done"), view);
            done->setObjectName(QStringLiteral("DoneButton"));
        };
        return sort;
    });
    storyboard.addTrigger(QStringLiteral("Menu"), QStringLiteral("AddButton"),
                          QStringLiteral("showAdd"));
    storyboard.addTrigger(QStringLiteral("Menu"), QStringLiteral("SortButton"),
                          QStringLiteral("showSort"));
    storyboard.addTrigger(QStringLiteral("Menu"), QStringLiteral("MissingButton"),
                          QStringLiteral("showAdd"));
    storyboard.addTrigger(QStringLiteral("Sort"), QStringLiteral("DoneButton"),
                          QStringLiteral("unwindToMenu"));
    QVERIFY(storyboard.hasTrigger(QStringLiteral("Menu"), QStringLiteral("AddButton")));
    QVERIFY(!storyboard.hasTrigger(QStringLiteral("Add"), QStringLiteral("AddButton")));

    auto menuOwner = std::make_unique<Screen>(QStringLiteral("Menu"), &log);
    Screen* menu = menuOwner.get();
    menu->setStoryboard(&storyboard);
    QPushButton* addButton = nullptr;
    menu->build = [&addButton, menu](QWidget* view) {
        addButton = new QPushButton(QStringLiteral("Add"), view);
        addButton->setObjectName(QStringLiteral("AddButton"));
        auto* sort = new QAction(QStringLiteral("Sort"));
        sort->setObjectName(QStringLiteral("SortButton"));
        menu->addRightBarButtonItem(sort);
    };
    QObject* senderSeen = nullptr;
    menu->onPrepare = [&senderSeen](const StoryboardSegue&, QObject* sender) {
        senderSeen = sender;
    };
    bool unwound = false;
    menu->registerUnwindTarget(QStringLiteral("unwindToMenu"),
                               [&unwound](const StoryboardSegue&) { unwound = true; });

    NavigationController nav(std::move(menuOwner));
    // The outlet that is not there is reported, the others still work.
    QCOMPARE(console.lines(),
             QStringList({QStringLiteral("Storyboard: Menu has no button or action named "
                                         "MissingButton for segue showAdd")}));
    QVERIFY(addButton);

    addButton->click();
    QCOMPARE(nav.topViewController()->objectName(), QStringLiteral("Add"));
    QCOMPARE(senderSeen, addButton);
    nav.backButton()->click();
    QCOMPARE(nav.topViewController(), menu);

    // The bar button's tool button triggers the action, which starts the segue.
    QAction* sortAction = menu->rightBarButtonItems().value(0);
    QVERIFY(sortAction);
    QToolButton* sortButton = nav.buttonForItem(sortAction);
    QVERIFY(sortButton);
    sortButton->click();
    QCOMPARE(nav.topViewController()->objectName(), QStringLiteral("Sort"));
    QCOMPARE(senderSeen, sortAction);

    // A trigger may be an unwind: Sort's Done button goes back to Menu and runs its action.
    auto* done =
        nav.topViewController()->view()->findChild<QPushButton*>(QStringLiteral("DoneButton"));
    QVERIFY(done);
    done->click();
    QVERIFY(unwound);
    QCOMPARE(nav.topViewController(), menu);

    // A screen may refuse a triggered segue (a form not filled in yet).
    menu->allowTriggeredSegues = false;
    addButton->click();
    QCOMPARE(nav.topViewController(), menu);
    runDeferredDeletes();
}

void NavigationTest::navigationBarFollowsTopScreen()
{
    QStringList log;
    auto root = std::make_unique<Screen>(QStringLiteral("Menu"), &log);
    Screen* menu = root.get();
    auto* add = new QAction(QStringLiteral("Add"));
    add->setObjectName(QStringLiteral("AddBarButton"));
    menu->addRightBarButtonItem(add);
    QCOMPARE(add->parent(), menu);

    NavigationController nav(std::move(root));
    nav.show();
    QVERIFY(QTest::qWaitForWindowExposed(&nav));
    auto* title = nav.findChild<QLabel*>(QStringLiteral("NavigationTitle"));
    QVERIFY(title);
    QCOMPARE(title->text(), QStringLiteral("Menu title"));
    QVERIFY(!nav.backButton()->isVisible());
    QVERIFY(nav.buttonForItem(add));

    auto next = std::make_unique<Screen>(QStringLiteral("Detail"), &log);
    Screen* detail = next.get();
    nav.pushViewController(std::move(next), true); // animated: state changes at once all the same
    QCOMPARE(nav.topViewController(), detail);
    QCOMPARE(title->text(), QStringLiteral("Detail title"));
    QVERIFY(nav.backButton()->isVisible());
    QVERIFY(nav.backButton()->text().contains(QStringLiteral("Menu title")));
    QVERIFY(!nav.buttonForItem(add)); // the items of the screen below are not in the bar

    // Titles and items update the bar while the screen is on the stack.
    detail->setTitle(QStringLiteral("Renamed"));
    QCOMPARE(title->text(), QStringLiteral("Renamed"));
    menu->setTitle(QStringLiteral("Start"));
    QVERIFY(nav.backButton()->text().contains(QStringLiteral("Start")));
    auto* share = new QAction(QStringLiteral("Share"));
    detail->addLeftBarButtonItem(share);
    QToolButton* shareButton = nav.buttonForItem(share);
    QVERIFY(shareButton);
    QVERIFY(shareButton->isVisible());
    share->setVisible(false);
    QVERIFY(!shareButton->isVisible());

    QTest::mouseClick(nav.backButton(), Qt::LeftButton);
    QCOMPARE(nav.topViewController(), menu);
    QCOMPARE(title->text(), QStringLiteral("Start"));
    QVERIFY(!nav.backButton()->isVisible());
    QVERIFY(nav.buttonForItem(add));

    // The keyboard's way back, whatever the title below says ("&" marks no shortcut letter).
    menu->setTitle(QStringLiteral("Rate & Share"));
    nav.pushViewController(std::make_unique<Screen>(QStringLiteral("Again"), &log), false);
    QVERIFY(QKeySequence::mnemonic(nav.backButton()->text()).isEmpty());
    QVERIFY(nav.backButton()->text().endsWith(QStringLiteral("Rate && Share")));
    QVERIFY(QTest::qWaitForWindowActive(&nav));
    QTest::keyClick(&nav, Qt::Key_Left, Qt::AltModifier);
    // The button shows itself pressed for a moment first.
    QTRY_COMPARE(nav.topViewController(), menu);
    menu->setTitle(QStringLiteral("Start"));

    nav.setNavigationBarHidden(true, true);
    QVERIFY(nav.isNavigationBarHidden());
    QVERIFY(!nav.navigationBar()->isVisible());
    nav.setNavigationBarHidden(false, false);
    QVERIFY(!nav.isNavigationBarHidden());
    QVERIFY(nav.navigationBar()->isVisible());
    runDeferredDeletes();
}

void NavigationTest::recordingPresenterAnswersOldestAlert()
{
    RecordingAlertPresenter presenter;
    QStringList ran;
    Alert confirm{QStringLiteral("Delete stamp?"), QStringLiteral("This cannot be undone."), {}};
    confirm.actions.append({QStringLiteral("Cancel"), AlertAction::Style::Cancel,
                            [&ran] { ran.append(QStringLiteral("cancel")); }});
    confirm.actions.append({QStringLiteral("Delete"), AlertAction::Style::Destructive, [&] {
                                ran.append(QStringLiteral("delete"));
                                presenter.present(Alert::withOk(QStringLiteral("Deleted"), {}));
                            }});
    presenter.present(confirm);
    presenter.present(Alert::withOk(QStringLiteral("Later"), QStringLiteral("queued behind")));

    QVERIFY(!presenter.tap(QStringLiteral("OK"))); // the oldest alert has no OK button
    QVERIFY(ran.isEmpty());
    QVERIFY(presenter.tap(QStringLiteral("Delete")));
    QCOMPARE(ran, QStringList({QStringLiteral("delete")}));
    QCOMPARE(presenter.alerts().size(), 3);
    QCOMPARE(presenter.last().title, QStringLiteral("Deleted"));

    // Answered alerts are done with: the next tap goes to "Later", then to "Deleted".
    QVERIFY(!presenter.tap(QStringLiteral("Cancel")));
    QVERIFY(presenter.tap(QStringLiteral("OK")));
    QCOMPARE(presenter.unansweredCount(), 1);
    QVERIFY(presenter.tap(QStringLiteral("OK")));
    QVERIFY(!presenter.tap(QStringLiteral("OK")));
    QCOMPARE(ran, QStringList({QStringLiteral("delete")}));

    const Alert ok = Alert::withOk(QStringLiteral("t"), QStringLiteral("m"));
    QCOMPARE(RecordingAlertPresenter::buttonTitles(ok), QStringList({QStringLiteral("OK")}));
    QCOMPARE(ok.actions.first().style, AlertAction::Style::Default);

    presenter.clear();
    QVERIFY(presenter.alerts().isEmpty());
    QVERIFY(!presenter.tap(QStringLiteral("OK")));
}

void NavigationTest::messageBoxPresenterRunsHandlerAfterClosing()
{
    QWidget window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    MessageBoxAlertPresenter presenter(&window);

    QStringList ran;
    bool boxStillVisibleInHandler = true;
    Alert alert{QStringLiteral("Delete stamp?"), QStringLiteral("This cannot be undone."), {}};
    alert.actions.append({QStringLiteral("Keep"), AlertAction::Style::Cancel,
                          [&ran] { ran.append(QStringLiteral("keep")); }});
    alert.actions.append({QStringLiteral("Delete"), AlertAction::Style::Destructive, [&] {
                              ran.append(QStringLiteral("delete"));
                              auto* box = window.findChild<QMessageBox*>();
                              boxStillVisibleInHandler = box && box->isVisible();
                          }});
    presenter.present(alert);
    QVERIFY(ran.isEmpty()); // present() does not wait for an answer

    QPointer<QMessageBox> box = window.findChild<QMessageBox*>();
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QCOMPARE(box->windowModality(), Qt::WindowModal);
    QCOMPARE(box->text(), QStringLiteral("Delete stamp?"));
    QCOMPARE(box->informativeText(), QStringLiteral("This cannot be undone."));
    QAbstractButton* keep = nullptr;
    QAbstractButton* remove = nullptr;
    for (QAbstractButton* button : box->buttons()) {
        if (button->text() == QStringLiteral("Keep"))
            keep = button;
        if (button->text() == QStringLiteral("Delete"))
            remove = button;
    }
    QVERIFY(keep && remove);
    QCOMPARE(box->buttonRole(keep), QMessageBox::RejectRole);
    QCOMPARE(box->buttonRole(remove), QMessageBox::DestructiveRole);

    remove->click();
    QCOMPARE(ran, QStringList({QStringLiteral("delete")}));
    QVERIFY(!boxStillVisibleInHandler);
    runDeferredDeletes();
    QVERIFY(!box);

    // Escape answers with the cancel button.
    presenter.present(alert);
    box = window.findChild<QMessageBox*>();
    QVERIFY(box);
    QTest::keyClick(box, Qt::Key_Escape);
    QCOMPARE(ran, QStringList({QStringLiteral("delete"), QStringLiteral("keep")}));
    runDeferredDeletes();
}

void NavigationTest::symbolsAndStyle()
{
    const QStringList used{QStringLiteral("arrow.up.arrow.down"),
                           QStringLiteral("printer"),
                           QStringLiteral("camera.fill"),
                           QStringLiteral("square.and.arrow.up"),
                           QStringLiteral("doc.on.clipboard"),
                           QStringLiteral("photo"),
                           QStringLiteral("trash"),
                           QStringLiteral("plus"),
                           QStringLiteral("xmark"),
                           QStringLiteral("magnifyingglass"),
                           QStringLiteral("envelope"),
                           QStringLiteral("star"),
                           QStringLiteral("globe")};
    for (const QString& name : used) {
        const QIcon icon = SymbolIcons::icon(name);
        QVERIFY2(!icon.isNull(), qPrintable(name));
        // Something is actually drawn.
        const QImage image = icon.pixmap(QSize(32, 32)).toImage();
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
        QVERIFY2(inked > 20, qPrintable(name));
        QVERIFY2(!SymbolIcons::fallbackTitle(name).isEmpty(), qPrintable(name));
    }

    QObject owner;
    QAction* print = SymbolIcons::makeAction(QStringLiteral("printer"), &owner);
    QCOMPARE(print->text(), SymbolIcons::fallbackTitle(QStringLiteral("printer")));
    QCOMPARE(print->toolTip(), print->text());
    QVERIFY(!print->icon().isNull());

    ConsoleCapture console;
    QAction* odd =
        SymbolIcons::makeAction(QStringLiteral("no.such.symbol"), &owner, QStringLiteral("Odd"));
    QVERIFY(odd->icon().isNull());
    QCOMPARE(odd->text(), QStringLiteral("Odd"));
    QCOMPARE(odd->toolTip(), QStringLiteral("Odd"));
    QCOMPARE(console.lines().size(), 1);
}

void NavigationTest::outlinesFollowThePalette_data()
{
    QTest::addColumn<QColor>("window");
    QTest::addColumn<QColor>("windowText");
    QTest::addColumn<QColor>("base");
    QTest::addColumn<QColor>("text");
    QTest::newRow("light") << QColor(240, 240, 240) << QColor(Qt::black) << QColor(Qt::white)
                           << QColor(Qt::black);
    QTest::newRow("dark") << QColor(40, 40, 40) << QColor(250, 250, 250) << QColor(20, 20, 20)
                          << QColor(235, 235, 235);
}

void NavigationTest::outlinesFollowThePalette()
{
    QFETCH(QColor, window);
    QFETCH(QColor, windowText);
    QFETCH(QColor, base);
    QFETCH(QColor, text);
    // The sheet is the application's: installed once, beside one given on the command line.
    qApp->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; }"));
    const auto restore = qScopeGuard([] { qApp->setStyleSheet(QString()); });
    Styling::installApplicationStyleSheet(*qApp);
    Styling::installApplicationStyleSheet(*qApp);
    QCOMPARE(qApp->styleSheet().count(Styling::applicationStyleSheet()), 1);
    QVERIFY(qApp->styleSheet().contains(QStringLiteral("font-weight: bold")));

    // A desktop theme sets the application's palette.
    const QPalette themed = QApplication::palette();
    const auto restoreTheme = qScopeGuard([themed] { QApplication::setPalette(themed); });
    QPalette palette = themed;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, windowText);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, window);
    QApplication::setPalette(palette);
    QWidget screen;
    auto* layout = new QVBoxLayout(&screen);
    auto* button = new QPushButton(QStringLiteral("Save"), &screen);
    auto* unstyled = new QPushButton(QStringLiteral("Plain"), &screen);
    auto* field = new QLineEdit(&screen);
    layout->addWidget(button);
    layout->addWidget(unstyled);
    layout->addWidget(field);
    Styling::styleButton(button);
    Styling::styleTextField(field);
    field->setFocus();
    screen.resize(200, 120);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));

    // The outline is drawn in the window's text colour, so a dark theme shows it.
    const QImage drawn = button->grab().toImage();
    QCOMPARE(drawn.pixelColor(0, drawn.height() / 2), windowText);
    QVERIFY(unstyled->grab().toImage().pixelColor(0, unstyled->height() / 2) != windowText);
    // The field that has the keyboard is outlined in the highlight colour.
    QTRY_VERIFY(field->hasFocus());
    const QImage focused = field->grab().toImage();
    QCOMPARE(focused.pixelColor(0, focused.height() / 2), palette.color(QPalette::Highlight));

    // The grey-until-ready fill shows once set after the button was polished.
    Styling::setFill(button, Styling::Fill::Ready);
    const QImage ready = button->grab().toImage();
    QCOMPARE(ready.pixelColor(ready.width() / 6, ready.height() / 2), QColor(Qt::cyan));

    // Rows stay light in either style, so their ink is whichever palette colour is dark.
    QStyleOptionViewItem row;
    row.palette = palette;
    QVERIFY(Styling::rowInkColor(row).lightnessF() < 0.2);
    QVERIFY(Styling::rowBackgroundColor().lightnessF() > 0.8);
}

void NavigationTest::keysGoBackUnlessAPopupIsOpen_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("Escape") << int(Qt::Key_Escape) << Qt::KeyboardModifiers(Qt::NoModifier);
    QTest::newRow("Alt+Left") << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::AltModifier);
}

void NavigationTest::keysGoBackUnlessAPopupIsOpen()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QStringList log;
    ShownStack stack(&log);
    QVERIFY(stack.active);
    NavigationController& nav = *stack.navigation;
    QVERIFY(nav.backButton()->toolTip().contains(QStringLiteral("Esc")));
    QVERIFY(nav.backButton()->toolTip().contains(QStringLiteral("Alt+Left")));

    // On the root there is no way back: the keys do nothing.
    QTest::keyClick(&nav, Qt::Key(key), modifiers);
    QVERIFY(!nav.backButton()->isDown());

    auto detail = std::make_unique<Screen>(QStringLiteral("Detail"), &log);
    QLineEdit* field = nullptr;
    detail->build = [&field](QWidget* view) { field = new QLineEdit(view); };
    stack.push(std::move(detail));
    field->setFocus();

    // A popup of the screen (a picker's list, a completer) keeps the keys to itself.
    auto* popup = new QListWidget(field);
    popup->setWindowFlags(Qt::Popup);
    popup->addItem(QStringLiteral("Fine"));
    popup->show();
    QVERIFY(QTest::qWaitForWindowExposed(popup));
    QTest::keyClick(popup, Qt::Key(key), modifiers);
    QVERIFY(!nav.backButton()->isDown());
    popup->close();
    QCOMPARE(nav.topViewController()->objectName(), QStringLiteral("Detail"));
    nav.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&nav));

    // From a field of the screen, the keys go back (the button shows itself pressed first).
    QTest::keyClick(field, Qt::Key(key), modifiers);
    QTRY_COMPARE(nav.topViewController(), stack.menu);
    runDeferredDeletes();
}

void NavigationTest::formsSaveFromTheKeyboard()
{
    QStringList log;
    RecordingAlertPresenter alerts;
    ShownStack stack(&log);
    QVERIFY(stack.active);
    FormScreen form(&log, alerts);
    QCOMPARE(form.save->toolTip(), QStringLiteral("Save (Ctrl+S)"));
    stack.push(std::move(form.owner));

    // The form opens with its first field taking the keyboard.
    QTRY_COMPARE(QApplication::focusWidget(), form.first);

    QTest::keyClick(form.first, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(form.saves, 1);
    QTest::keyClick(form.notes, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(form.saves, 2);
    // Return in a field saves, once; on the keypad too.
    QTest::keyClick(form.first, Qt::Key_Return);
    QCOMPARE(form.saves, 3);
    QTest::keyClick(form.first, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(form.saves, 4);
    // Not in a field a picker fills, nor in its popup, nor in the text view, where Return starts
    // a new line.
    QTest::keyClick(form.picked, Qt::Key_Return);
    QTest::keyClick(form.narrow, Qt::Key_Return);
    QTest::keyClick(form.notes, Qt::Key_Return);
    QCOMPARE(form.saves, 4);
    QCOMPARE(form.notes->toPlainText(), QStringLiteral("\n"));

    // Tab leaves the text view; Ctrl+Tab types a tab, Shift+Return a line break.
    form.notes->setPlainText(QStringLiteral("a"));
    form.notes->setFocus();
    form.notes->moveCursor(QTextCursor::End);
    QTest::keyClick(form.notes, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(form.notes, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(form.notes, QStringLiteral("b"));
    QCOMPARE(form.notes->toPlainText(), QStringLiteral("a\t\nb"));
    QTest::keyClick(form.notes, Qt::Key_Tab);
    QVERIFY(!form.notes->hasFocus());
    QCOMPARE(form.notes->toPlainText(), QStringLiteral("a\t\nb"));
    QCOMPARE(form.saves, 4);
    runDeferredDeletes();
}

void NavigationTest::keysReachTheScreensInATab()
{
    // The list sits in a tab of a container, whose view holds the list's own: each shortcut must
    // still belong to the list alone.
    QStringList log;
    auto list = std::make_unique<Screen>(QStringLiteral("List"), &log);
    QLineEdit* search = nullptr;
    QPushButton* open = nullptr;
    int opened = 0;
    list->build = [&](QWidget* view) {
        auto* layout = new QVBoxLayout(view);
        search = new QLineEdit(view);
        search->setObjectName(QStringLiteral("searchBar"));
        search->setText(QStringLiteral("5c"));
        open = new QPushButton(QStringLiteral("Open"), view);
        QObject::connect(open, &QPushButton::clicked, [&opened] { ++opened; });
        layout->addWidget(search);
        layout->addWidget(open);
    };
    auto* add = new QAction(QStringLiteral("Add"));
    int adds = 0;
    QObject::connect(add, &QAction::triggered, [&adds] { ++adds; });
    list->addRightBarButtonItem(add);
    list->addKeyboardShortcut(add, QKeySequence(Qt::CTRL | Qt::Key_N));
    QCOMPARE(add->toolTip(), QStringLiteral("Add (Ctrl+N)"));

    std::vector<TabBarController::Tab> tabs;
    tabs.push_back({QStringLiteral("Stamps"), std::move(list)});
    NavigationController nav(
        std::make_unique<TabBarController>(QStringLiteral("Tabs"), std::move(tabs)));
    nav.show();
    QVERIFY(QTest::qWaitForWindowActive(&nav));

    // Return and Enter press the focused button.
    open->setFocus();
    QTest::keyClick(open, Qt::Key_Return);
    QTest::keyClick(open, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(opened, 2);

    QTest::keyClick(open, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), search);
    QCOMPARE(search->selectedText(), QStringLiteral("5c"));
    QVERIFY(search->toolTip().contains(QStringLiteral("Ctrl+F")));

    QTest::keyClick(search, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(adds, 1);
    // A hidden button is not offered, and neither are its keys.
    add->setVisible(false);
    QTest::keyClick(search, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(adds, 1);
}

void NavigationTest::leavingAChangedFormByHandAsksFirst()
{
    QStringList log;
    RecordingAlertPresenter alerts;
    ShownStack stack(&log);
    NavigationController& nav = *stack.navigation;
    const auto pushForm = [&] {
        auto form = std::make_unique<FormScreen>(&log, alerts);
        stack.push(std::move(form->owner));
        return form;
    };

    // Nothing changed: back goes back without a word.
    std::unique_ptr<FormScreen> form = pushForm();
    nav.backButton()->click();
    QCOMPARE(nav.topViewController(), stack.menu);
    QVERIFY(alerts.alerts().isEmpty());

    // Typed and then taken back again is no change either, nor is a text view's empty line
    // typed and deleted, nor what narrows a picker's choices.
    form = pushForm();
    QTest::keyClicks(form->narrow, QStringLiteral("Fi"));
    QTest::keyClicks(form->first, QStringLiteral("x"));
    QTest::keyClick(form->first, Qt::Key_Backspace);
    QTest::keyClick(form->notes, Qt::Key_Return);
    QTest::keyClick(form->notes, Qt::Key_Backspace);
    nav.backButton()->click();
    QCOMPARE(nav.topViewController(), stack.menu);
    QVERIFY(alerts.alerts().isEmpty());

    // A change: the collector is asked, and keeps editing or discards.
    form = pushForm();
    form->picked->setText(QStringLiteral("Fine"));
    nav.backButton()->click();
    QCOMPARE(alerts.alerts().size(), 1);
    QCOMPARE(alerts.last().title, QStringLiteral("Discard changes?"));
    QCOMPARE(RecordingAlertPresenter::buttonTitles(alerts.last()),
             QStringList({QStringLiteral("Discard"), QStringLiteral("Keep Editing")}));
    QCOMPARE(alerts.last().actions.at(0).style, AlertAction::Style::Destructive);
    QCOMPARE(alerts.last().actions.at(1).style, AlertAction::Style::Cancel);
    QCOMPARE(nav.topViewController(), form->screen);
    // Asked once, however often the collector presses while the question is up.
    nav.backButton()->click();
    QCOMPARE(alerts.alerts().size(), 1);
    QVERIFY(alerts.tap(QStringLiteral("Keep Editing")));
    QCOMPARE(nav.topViewController(), form->screen);
    QCOMPARE(form->picked->text(), QStringLiteral("Fine"));
    nav.goBackByUser();
    QCOMPARE(alerts.alerts().size(), 2);
    QVERIFY(alerts.tap(QStringLiteral("Discard")));
    QCOMPARE(nav.topViewController(), stack.menu);

    // The stack's own pop and a segue's unwind go as before, without asking.
    form = pushForm();
    QTest::keyClicks(form->notes, QStringLiteral("new"));
    QVERIFY(nav.popViewController(false));
    QCOMPARE(nav.topViewController(), stack.menu);
    form = pushForm();
    QTest::keyClicks(form->first, QStringLiteral(" and more"));
    QVERIFY(form->screen->performSegue(QStringLiteral("unwindToMenu")));
    QCOMPARE(nav.topViewController(), stack.menu);
    QCOMPARE(alerts.alerts().size(), 2);

    // Closing the window asks too, and waits for the answer.
    form = pushForm();
    QTest::keyClicks(form->first, QStringLiteral("!"));
    QVERIFY(!nav.close());
    QVERIFY(nav.isVisible());
    QCOMPARE(alerts.alerts().size(), 3);
    QVERIFY(alerts.tap(QStringLiteral("Keep Editing")));
    QVERIFY(nav.isVisible());
    nav.close();
    QVERIFY(alerts.tap(QStringLiteral("Discard")));
    QVERIFY(!nav.isVisible());

    // Once taken back, nothing keeps the window.
    nav.show();
    QTest::keyClick(form->first, Qt::Key_Backspace);
    QVERIFY(nav.close());
    QCOMPARE(alerts.alerts().size(), 4);
    runDeferredDeletes();
}

void NavigationTest::closingTheWindowAsksForAChangedFormInATab()
{
    QStringList log;
    RecordingAlertPresenter alerts;
    std::vector<TabBarController::Tab> tabs;
    tabs.push_back({QStringLiteral("One"), std::make_unique<Screen>(QStringLiteral("A"), &log)});
    tabs.push_back({QStringLiteral("Two"), std::make_unique<Screen>(QStringLiteral("B"), &log)});
    auto container = std::make_unique<TabBarController>(QStringLiteral("Tabs"), std::move(tabs));
    TabBarController* tabBar = container.get();
    NavigationController nav(std::move(container));
    nav.show();
    QVERIFY(QTest::qWaitForWindowExposed(&nav));

    // The form is in the tab that is not on show: its changes would be lost all the same.
    FormScreen form(&log, alerts);
    tabBar->tabNavigationControllers().at(1)->pushViewController(std::move(form.owner), false);
    form.first->setText(QStringLiteral("changed"));
    QVERIFY(!nav.close());
    QCOMPARE(alerts.alerts().size(), 1);
    QVERIFY(alerts.tap(QStringLiteral("Discard")));
    QVERIFY(!nav.isVisible());
}

QTEST_MAIN(NavigationTest)
#include "tst_navigation.moc"
