#pragma once

#include "platform/gui/ViewController.h"
#include "store/StoreError.h"

#include <QList>
#include <QStringList>

class CollectionGlance;
class ObjectContext;
class Stamps;
class QPushButton;
class QVBoxLayout;
class UserDefaults;
struct Environment;

// The first screen: fills the reference lists of a store that has never had them, then offers a
// button per screen behind a toggle that shows or hides them all together.
class MainMenuViewController final : public ViewController
{
    Q_OBJECT

public:
    explicit MainMenuViewController(Environment& environment, QObject* parent = nullptr);

    // The buttons the menu styles, hides and shows: one for each screen the storyboard leads to.
    QList<QPushButton*> MenuButton;
    QPushButton* ListButton = nullptr;
    QPushButton* GroupedButton = nullptr;
    QPushButton* AddButton = nullptr;
    QPushButton* ValuationButton = nullptr;
    QPushButton* StatisticsButton = nullptr;
    QPushButton* ReferenceListsButton = nullptr;
    QPushButton* RateShareButton = nullptr;
    QPushButton* SettingsButton = nullptr;
    QPushButton* ImportExportButton = nullptr;
    QPushButton* OverviewButton = nullptr;
    QPushButton* PrintAllButton = nullptr;
    QPushButton* MenuToggleButton = nullptr;
    // The collection at a glance, beside the buttons.
    CollectionGlance* Glance = nullptr;

    UserDefaults& userDefaults;
    const QString AboutHasBeenLaunchedBeforeFlag = QStringLiteral("AboutHasBeenLaunchedBeforeFlag");
    ObjectContext* managedObjectContext = nullptr;

    const QStringList ListOfCentered;
    const QStringList ListOfConditions;
    const QStringList ListOfCountries;
    const QStringList ListOfFaults;
    const QStringList ListOfGrades;
    const QStringList ListOfGums;
    const QStringList ListOfMargins;
    const QStringList ListOfPapers;
    const QStringList ListOfPerforations;
    const QStringList ListOfSeries;
    const QStringList ListOfStatus;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void prepareForSegue(const StoryboardSegue& segue, QObject* sender) override;

public Q_SLOTS:
    void HandleButtonClick();
    void unwindToMenuWithSegue();

protected:
    void buildView(QWidget* view) override;

private:
    // Fills the eleven lists with their default values, unless this store has had them.
    void seedReferenceLists();
    void seedList(const QString& entityName, const QStringList& values);
    StoreResult<> fillReferenceLists(const QString& marker);
    void tellLater(const QString& title, const QString& message);

    Environment& m_environment;
    // The store the lists were filled for; a restore opens another, which may never have had them.
    int m_seededStoreGeneration = 0;
    // The glance's stamp the edit form is opening with.
    Stamps* m_chosenStamp = nullptr;
};
