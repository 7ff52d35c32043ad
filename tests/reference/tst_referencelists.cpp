#include "ModelTexts.h"
#include "TestEnvironment.h"
#include "main/Storyboard.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"
#include "platform/gui/UndoBar.h"
#include "reference/AddReferenceEntryViewController.h"
#include "reference/EditReferenceEntryViewController.h"
#include "reference/ReferenceListTableViewController.h"
#include "reference/ReferenceLists.h"
#include "reference/ReferenceListsViewController.h"
#include "store/ObjectContext.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

// The lists menu on a stack with the application's storyboard, as the collector reaches it.
struct ListsOnScreen
{
    explicit ListsOnScreen(TestEnvironment& test) : test(test)
    {
        AppStoryboard::populate(storyboard, test.environment());
        auto menu = std::make_unique<ReferenceListsViewController>();
        menu->setStoryboard(&storyboard);
        lists = menu.get();
        navigation = std::make_unique<NavigationController>(std::move(menu));
    }

    ReferenceListTableViewController* open(const char* menuButton)
    {
        QTest::mouseClick(lists->button(QString::fromLatin1(menuButton)), Qt::LeftButton);
        test.mainQueue.drain();
        return qobject_cast<ReferenceListTableViewController*>(navigation->topViewController());
    }
    QStringList rows() const
    {
        auto* browser =
            qobject_cast<ReferenceListTableViewController*>(navigation->topViewController());
        return column(browser->model());
    }
    template <class Screen> Screen* top() const
    {
        return qobject_cast<Screen*>(navigation->topViewController());
    }
    // The gum list's add screen, opened with the list's Add button.
    AddReferenceEntryViewController* openAddGum()
    {
        open("GumButton");
        navigation->buttonForItem(top<ReferenceListTableViewController>()->AddButton)->click();
        return top<AddReferenceEntryViewController>();
    }

    TestEnvironment& test;
    Storyboard storyboard;
    ReferenceListsViewController* lists = nullptr;
    std::unique_ptr<NavigationController> navigation;
};

void addEntries(ObjectContext& context, const QString& entity, const QStringList& texts)
{
    for (const QString& text : texts)
        context.insertNewObject(entity)->setValue(0, text);
    QVERIFY(context.save());
}

// The gum list the add screen's tests start from: one accent stored composed, one decomposed.
void addFourGums(ObjectContext& context)
{
    addEntries(context, QStringLiteral("GumList"),
               {QStringLiteral("Fine"), QStringLiteral("Original"), QStringLiteral("Crème"),
                QStringLiteral("Glace\u0301")});
}

QStringList storedTexts(ObjectContext& context, const QString& entity)
{
    QStringList texts;
    for (const ManagedObject* entry : context.fetch({entity, {}, {}}).value())
        texts << entry->value(0).toString();
    return texts;
}

} // namespace

class ReferenceListsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void theMenuOffersElevenStyledLists()
    {
        TestEnvironment test;
        ListsOnScreen screen(test);
        QCOMPARE(screen.lists->title(), QStringLiteral("Reference Lists"));
        QCOMPARE(screen.lists->buttons.size(), 11);
        QCOMPARE(screen.lists->buttons.first()->objectName(), QStringLiteral("CountriesButton"));
        QCOMPARE(screen.lists->buttons.last()->objectName(), QStringLiteral("FaultsButton"));
        for (const ReferenceListMember& list : ReferenceLists::members()) {
            ListsOnScreen each(test);
            auto* browser = each.open(list.menuButton);
            QVERIFY2(browser, list.menuButton);
            QCOMPARE(browser->objectName(), QString::fromLatin1(list.browserName));
            QCOMPARE(browser->searchBar->placeholderText(),
                     QString::fromLatin1(list.searchPlaceholder));
        }
    }

    void browsersSearchSortAndDelete()
    {
        TestEnvironment test;
        addEntries(test.context(), QStringLiteral("ConditionList"),
                   {QStringLiteral("Good"), QStringLiteral("Very Fine"), QStringLiteral("None"),
                    QStringLiteral("Fine"), QStringLiteral("Poor")});
        auto* stamp = test.context().insertNewObject<Stamps>();
        stamp->setCondition(QStringLiteral("None"));
        QVERIFY(test.context().save());
        ListsOnScreen screen(test);
        ReferenceListTableViewController* browser = screen.open("ConditionButton");
        QCOMPARE(screen.rows(), (QStringList{QStringLiteral("Fine"), QStringLiteral("Good"),
                                             QStringLiteral("None"), QStringLiteral("Poor"),
                                             QStringLiteral("Very Fine")}));

        browser->searchBar->setText(QStringLiteral("fine"));
        QCOMPARE(screen.rows(), (QStringList{QStringLiteral("Fine"), QStringLiteral("Very Fine")}));
        browser->searchBar->setText(QStringLiteral("OO"));
        QCOMPARE(screen.rows(), (QStringList{QStringLiteral("Good"), QStringLiteral("Poor")}));
        // A fetch shows every entry although the search text stays.
        browser->SortButtonTapped();
        QCOMPARE(screen.rows(), (QStringList{QStringLiteral("Very Fine"), QStringLiteral("Poor"),
                                             QStringLiteral("None"), QStringLiteral("Good"),
                                             QStringLiteral("Fine")}));
        browser->searchBar->setText(QString());
        browser->SortButtonTapped();
        QCOMPARE(screen.rows(), (QStringList{QStringLiteral("Fine"), QStringLiteral("Good"),
                                             QStringLiteral("None"), QStringLiteral("Poor"),
                                             QStringLiteral("Very Fine")}));

        // Deleting "None" during a search: gone from both lists; the stamp keeps its text.
        browser->searchBar->setText(QStringLiteral("no"));
        QCOMPARE(screen.rows(), QStringList{QStringLiteral("None")});
        browser->deleteRow(0);
        QCOMPARE(screen.rows(), QStringList());
        browser->searchBar->setText(QString());
        QCOMPARE(screen.rows(), (QStringList{QStringLiteral("Fine"), QStringLiteral("Good"),
                                             QStringLiteral("Poor"), QStringLiteral("Very Fine")}));
        QCOMPARE(storedTexts(test.context(), QStringLiteral("ConditionList")).size(), 4);
        QCOMPARE(stamp->condition(), std::optional<QString>(QStringLiteral("None")));

        test.context().failNextSaveForTesting(QStringLiteral("disk full"));
        browser->deleteRow(0);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Record not Saved!"));
        QCOMPARE(screen.rows().size(), 4);
        QCOMPARE(storedTexts(test.context(), QStringLiteral("ConditionList")).size(), 4);
    }

    void aDeletedEntryComesBackWithUndo()
    {
        TestEnvironment test;
        addEntries(test.context(), QStringLiteral("GradeList"),
                   {QStringLiteral("Fine"), QStringLiteral("Good"), QStringLiteral("Poor")});
        ListsOnScreen screen(test);
        ReferenceListTableViewController* browser = screen.open("GradeButton");
        browser->deleteRow(0);
        UndoBar* bar = UndoBar::findForWindow(screen.navigation.get());
        QVERIFY(bar && bar->isOffering());
        QCOMPARE(bar->label()->text(), QStringLiteral("Deleted Fine"));
        QCOMPARE(screen.rows(), (QStringList{QStringLiteral("Good"), QStringLiteral("Poor")}));
        bar->undoButton()->click();
        QCOMPARE(screen.rows(), (QStringList{QStringLiteral("Fine"), QStringLiteral("Good"),
                                             QStringLiteral("Poor")}));
        QCOMPARE(
            storedTexts(test.context(), QStringLiteral("GradeList")),
            (QStringList{QStringLiteral("Good"), QStringLiteral("Poor"), QStringLiteral("Fine")}));
        QCOMPARE(browser->tableView->currentIndex().row(), 0);

        // An undo the store refuses is rolled back and said; the entry stays deleted.
        browser->deleteRow(2);
        QCOMPARE(bar->label()->text(), QStringLiteral("Deleted Poor"));
        test.context().failNextSaveForTesting(QStringLiteral("disk full"));
        bar->undo();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Record not Saved!"));
        QCOMPARE(test.alerts.last().message, QStringLiteral("disk full"));
        QVERIFY(!test.context().hasChanges());
        QVERIFY(!bar->isOffering());
        QCOMPARE(screen.rows(), (QStringList{QStringLiteral("Fine"), QStringLiteral("Good")}));
        QCOMPARE(storedTexts(test.context(), QStringLiteral("GradeList")),
                 (QStringList{QStringLiteral("Good"), QStringLiteral("Fine")}));
    }

    void perforationsKeepTheStoreOrder()
    {
        TestEnvironment test;
        addEntries(test.context(), QStringLiteral("PerforationList"),
                   {QStringLiteral("12"), QStringLiteral("7,2"), QStringLiteral("11.5")});
        ListsOnScreen screen(test);
        ReferenceListTableViewController* browser = screen.open("PerforationsButton");
        QCOMPARE(screen.rows(), (QStringList{QStringLiteral("12"), QStringLiteral("7,2"),
                                             QStringLiteral("11.5")}));
        browser->SortButtonTapped();
        QCOMPARE(screen.rows(), (QStringList{QStringLiteral("12"), QStringLiteral("7,2"),
                                             QStringLiteral("11.5")}));

        TestEnvironment emptyTest;
        ListsOnScreen empty(emptyTest);
        ReferenceListTableViewController* gums = empty.open("GumButton");
        QCOMPARE(empty.rows(), QStringList());
        gums->searchBar->setText(QStringLiteral("a"));
        QCOMPARE(empty.rows(), QStringList());
    }

    void addChecksTheTrimmedText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // empty when the text is added
        const QString empty = QStringLiteral("Gum not Entered");
        const QString duplicate = QStringLiteral("Duplicates not allowed");
        QTest::newRow("nothing") << QString() << empty;
        QTest::newRow("spaces") << QStringLiteral("   ") << empty;
        QTest::newRow("the same text") << QStringLiteral("Fine") << duplicate;
        QTest::newRow("the same text, padded") << QStringLiteral(" Fine\t") << duplicate;
        // The same letters, their accents encoded the other way.
        QTest::newRow("stored composed, typed decomposed")
            << QStringLiteral("Cre\u0300me") << duplicate;
        QTest::newRow("stored decomposed, typed composed") << QStringLiteral("Glacé") << duplicate;
        QTest::newRow("101 characters")
            << QStringLiteral(" %1 ").arg(QString(101, u'a'))
            << QStringLiteral("Entries in Gum can have at most 100 characters; this one has 101");
        // An accent counts with its letter, however it is encoded.
        QTest::newRow("100 characters, an accent decomposed")
            << QString(99, u'a') + QStringLiteral("e\u0301") << QString();
    }

    void addChecksTheTrimmedText()
    {
        QFETCH(QString, text);
        QFETCH(QString, message);
        TestEnvironment test;
        addFourGums(test.context());
        ListsOnScreen screen(test);
        AddReferenceEntryViewController* add = screen.openAddGum();
        QVERIFY(add);

        add->textField()->setText(text);
        add->SaveButton->trigger();
        if (message.isEmpty()) {
            QVERIFY(test.alerts.alerts().isEmpty());
            QVERIFY(storedTexts(test.context(), QStringLiteral("GumList")).contains(text));
            QVERIFY(screen.top<ReferenceListTableViewController>());
            return;
        }
        QCOMPARE(test.alerts.last().title, QStringLiteral("Record not Saved!"));
        QCOMPARE(test.alerts.last().message, message);
        QCOMPARE(storedTexts(test.context(), QStringLiteral("GumList")).size(), 4);
        QCOMPARE(screen.top<AddReferenceEntryViewController>(), add);
    }

    void addSavesTheTrimmedTextOrTellsWhyNot()
    {
        TestEnvironment test;
        addFourGums(test.context());
        ListsOnScreen screen(test);
        AddReferenceEntryViewController* add = screen.openAddGum();
        QVERIFY(add);
        QCOMPARE(add->objectName(), QStringLiteral("AddGumViewController"));
        QCOMPARE(add->title(), QStringLiteral("Add Gum"));
        QCOMPARE(add->SaveButton->objectName(), QStringLiteral("SaveGum"));

        test.context().failNextSaveForTesting(QStringLiteral("disk full"));
        add->textField()->setText(QStringLiteral("  fine  "));
        add->SaveButton->trigger();
        QCOMPARE(test.alerts.last().message, QStringLiteral("disk full"));
        QCOMPARE(screen.top<AddReferenceEntryViewController>(), add);
        QVERIFY(!test.context().hasChanges());

        add->SaveButton->trigger();
        QVERIFY(screen.top<ReferenceListTableViewController>());
        QCOMPARE(screen.rows(), (QStringList{QStringLiteral("Crème"), QStringLiteral("Fine"),
                                             QStringLiteral("Glace\u0301"),
                                             QStringLiteral("Original"), QStringLiteral("fine")}));

        TestEnvironment countryTest;
        ListsOnScreen countries(countryTest);
        countries.open("CountriesButton");
        countries.navigation
            ->buttonForItem(countries.top<ReferenceListTableViewController>()->AddButton)
            ->click();
        countries.top<AddReferenceEntryViewController>()->SaveButton->trigger();
        QCOMPARE(countryTest.alerts.last().message,
                 QStringLiteral("Required Fields in RED not Entered"));
    }

    void editRenamesTheFirstEntryHoldingTheChosenText()
    {
        TestEnvironment test;
        addEntries(test.context(), QStringLiteral("CountryList"),
                   {QStringLiteral("Malta"), QStringLiteral("None"), QStringLiteral("None")});
        auto* stamp = test.context().insertNewObject<Stamps>();
        stamp->setCountry(QStringLiteral("Malta"));
        QVERIFY(test.context().save());
        ListsOnScreen screen(test);
        ReferenceListTableViewController* browser = screen.open("CountriesButton");

        browser->tableView->clicked(browser->model()->index(0, 0));
        QCOMPARE(test.shared().selectedReferenceValue(QStringLiteral("CountryList")),
                 QStringLiteral("Malta"));
        QCOMPARE(test.shared().marker, QStringLiteral("Master"));
        auto* edit = screen.top<EditReferenceEntryViewController>();
        QVERIFY(edit);
        QCOMPARE(edit->objectName(), QStringLiteral("EditCountryViewController"));
        QCOMPARE(edit->textField()->text(), QStringLiteral("Malta"));
        edit->textField()->setText(QStringLiteral(" Republic of Malta "));
        edit->SaveButton->trigger();
        QCOMPARE(screen.top<ReferenceListTableViewController>(), browser);
        QCOMPARE(screen.rows(), (QStringList{QStringLiteral("None"), QStringLiteral("None"),
                                             QStringLiteral("Republic of Malta")}));
        QCOMPARE(stamp->country(), std::optional<QString>(QStringLiteral("Malta")));

        // The second "None" row changes the first "None" entry the store finds.
        const QList<ManagedObject*> entries =
            test.context().fetch({QStringLiteral("CountryList"), {}, {}}).value();
        browser->tableView->clicked(browser->model()->index(1, 0));
        edit = screen.top<EditReferenceEntryViewController>();
        edit->textField()->clear();
        edit->SaveButton->trigger();
        QCOMPARE(entries[1]->value(0), QVariant(QString()));
        QCOMPARE(entries[2]->value(0), QVariant(QStringLiteral("None")));
        QVERIFY(screen.top<ReferenceListTableViewController>());
    }

    void anEntryBeyondTheLimitIsShownWholeAndMustBeShortened()
    {
        // Beyond the 32767 characters a QLineEdit keeps unless told otherwise: shown cut, it
        // would be saved cut without a word.
        const QString imported = QStringLiteral("Original, lightly hinged").repeated(1700);
        TestEnvironment test;
        addEntries(test.context(), QStringLiteral("GumList"), {imported});
        ListsOnScreen screen(test);
        ReferenceListTableViewController* browser = screen.open("GumButton");
        browser->tableView->clicked(browser->model()->index(0, 0));
        auto* edit = screen.top<EditReferenceEntryViewController>();
        QVERIFY(edit);
        QCOMPARE(edit->textField()->text().size(), imported.size());
        edit->textField()->end(false);
        edit->textField()->insert(QStringLiteral(", regummed"));
        edit->SaveButton->trigger();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Record not Saved!"));
        QCOMPARE(test.alerts.last().message,
                 QStringLiteral("Entries in Gum can have at most 100 characters; this one has %1")
                     .arg(imported.size() + 10));
        QCOMPARE(screen.top<EditReferenceEntryViewController>(), edit);
        QCOMPARE(storedTexts(test.context(), QStringLiteral("GumList")), QStringList{imported});

        edit->textField()->setText(QStringLiteral("Original, lightly hinged, regummed"));
        edit->SaveButton->trigger();
        QCOMPARE(storedTexts(test.context(), QStringLiteral("GumList")),
                 QStringList{QStringLiteral("Original, lightly hinged, regummed")});
        QCOMPARE(screen.top<ReferenceListTableViewController>(), browser);
    }

    void thePerforationEditorRefusesEmptyAndStaysWhenNothingIsFound()
    {
        TestEnvironment test;
        addEntries(test.context(), QStringLiteral("PerforationList"),
                   {QStringLiteral("12"), QStringLiteral("13")});
        ListsOnScreen screen(test);
        ReferenceListTableViewController* browser = screen.open("PerforationsButton");
        browser->tableView->clicked(browser->model()->index(1, 0));
        QCOMPARE(test.shared().marker, QStringLiteral("PerforationsTableView"));
        auto* edit = screen.top<EditReferenceEntryViewController>();
        // Spaces alone are no perforation either.
        edit->textField()->setText(QStringLiteral("  "));
        edit->SaveButton->trigger();
        QCOMPARE(test.alerts.last().message, QStringLiteral("Perforation not Entered"));
        QCOMPARE(screen.top<EditReferenceEntryViewController>(), edit);

        test.shared().setSelectedReferenceValue(QStringLiteral("PerforationList"),
                                                QStringLiteral("gone"));
        edit->textField()->setText(QStringLiteral("14"));
        edit->SaveButton->trigger();
        QCOMPARE(screen.top<EditReferenceEntryViewController>(), edit);
        QCOMPARE(storedTexts(test.context(), QStringLiteral("PerforationList")),
                 (QStringList{QStringLiteral("12"), QStringLiteral("13")}));

        // Another list returns even when nothing was found.
        ListsOnScreen gums(test);
        addEntries(test.context(), QStringLiteral("GumList"), {QStringLiteral("Fine")});
        ReferenceListTableViewController* gumBrowser = gums.open("GumButton");
        gumBrowser->tableView->clicked(gumBrowser->model()->index(0, 0));
        test.shared().setSelectedReferenceValue(QStringLiteral("GumList"), QStringLiteral("gone"));
        gums.top<EditReferenceEntryViewController>()->SaveButton->trigger();
        QCOMPARE(gums.top<ReferenceListTableViewController>(), gumBrowser);
    }
};

QTEST_MAIN(ReferenceListsTest)
#include "tst_referencelists.moc"
