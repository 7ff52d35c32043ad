#include "TestEnvironment.h"
#include "app/MainMenuViewController.h"
#include "app/Storyboard.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"
#include "stamps/AddViewController.h"
#include "stamps/EditViewController.h"
#include "stamps/NotesViewController.h"
#include "store/ObjectContext.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

// The application's own table of segues, driven as the collector would.
class StoryboardTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theMenuOpensTheAddFormWhichReturnsToIt()
    {
        TestEnvironment test;
        Storyboard storyboard;
        AppStoryboard::populate(storyboard, test.environment());
        NavigationController navigation(
            AppStoryboard::instantiateInitialViewController(storyboard, test.environment()));
        auto* menu = qobject_cast<MainMenuViewController*>(navigation.topViewController());
        QVERIFY(menu);
        QVERIFY(menu->AddButton);
        // Screens not built yet get no button.
        QCOMPARE(menu->ListButton, nullptr);

        menu->HandleButtonClick();
        QTest::mouseClick(menu->AddButton, Qt::LeftButton);
        auto* form = qobject_cast<AddViewController*>(navigation.topViewController());
        QVERIFY(form);
        QCOMPARE(form->title(), QStringLiteral("Add Stamp"));
        form->DenominationTextField->setText(QStringLiteral("5c"));
        form->YearOfIssueTextField->setText(QStringLiteral("1962"));
        form->CountryTextField->setText(QStringLiteral("Malta"));
        form->SaveNewStampButtonClicked();

        QCOMPARE(navigation.topViewController(), menu);
        QCOMPARE(test.context().fetch<Stamps>().size(), 1);
        QVERIFY(menu->AddButton->isHidden());
    }

    void theEditFormOpensNotesAndZoomAndRefillsOnReturn()
    {
        TestEnvironment test;
        auto* stamp = test.context().insertNewObject<Stamps>();
        stamp->setDenomination(QStringLiteral("5c"));
        stamp->setColor(QStringLiteral("red"));
        stamp->setNotes(QStringLiteral("old notes"));
        QVERIFY(test.context().save());
        test.shared().selectedStamp.notes = QStringLiteral("old notes");

        Storyboard storyboard;
        AppStoryboard::populate(storyboard, test.environment());
        NavigationController navigation(std::make_unique<ViewController>(QStringLiteral("Root")));
        auto made = std::make_unique<EditViewController>(test.environment());
        EditViewController* form = made.get();
        form->setStoryboard(&storyboard);
        form->setDetailItem(stamp);
        navigation.pushViewController(std::move(made), false);

        form->ColorTextField->setText(QStringLiteral("typed, not saved"));
        QTest::mouseClick(form->NotesButton, Qt::LeftButton);
        auto* notes = qobject_cast<NotesViewController*>(navigation.topViewController());
        QVERIFY(notes);
        QCOMPARE(notes->NotesTextView->toPlainText(), QStringLiteral("old notes"));
        notes->NotesTextView->setPlainText(QStringLiteral("new notes"));
        notes->SaveButtonClicked();

        QCOMPARE(navigation.topViewController(), form);
        QCOMPARE(stamp->notes(), std::optional<QString>(QStringLiteral("new notes")));
        QCOMPARE(form->NotesTextView->toPlainText(), QStringLiteral("new notes"));
        QCOMPARE(form->ColorTextField->text(), QStringLiteral("red"));

        form->TapFrontImage();
        QCOMPARE(navigation.topViewController()->objectName(),
                 QStringLiteral("ZoomViewController"));
    }
};

QTEST_MAIN(StoryboardTest)
#include "tst_storyboard.moc"
