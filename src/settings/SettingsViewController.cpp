#include "settings/SettingsViewController.h"

#include "app/AppDelegate.h"
#include "app/BackingUp.h"
#include "app/Environment.h"
#include "app/OpeningScreens.h"
#include "app/Preferences.h"
#include "app/SharedState.h"
#include "platform/core/UserDefaults.h"
#include "platform/gui/Alert.h"
#include "platform/gui/DocumentPicker.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Styling.h"
#include "platform/gui/UrlOpener.h"
#include "store/StoreBackup.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

SettingsViewController::SettingsViewController(Environment& environment, QObject* parent)
    : ViewController(QStringLiteral("SettingsViewController"), parent), m_environment(environment)
{
    setTitle(tr("Settings"));
}

void SettingsViewController::buildView(QWidget* view)
{
    auto* layout = new QVBoxLayout(view);

    auto* order = new QGroupBox(tr("Scott Numbers"), view);
    auto* orderLayout = new QVBoxLayout(order);
    CatalogueOrderSwitch = new QCheckBox(tr("Sort Scott numbers in catalogue order"), order);
    CatalogueOrderSwitch->setObjectName(QStringLiteral("CatalogueOrderSwitch"));
    auto* orderHint = new QLabel(
        tr("On: 1, 1A, 2, 10, 10a, C1, C12. Off: 1, 10, 10a, 1A, 2, C1, C12 (letter by letter)."),
        order);
    orderHint->setWordWrap(true);
    orderLayout->addWidget(CatalogueOrderSwitch);
    orderLayout->addWidget(orderHint);
    layout->addWidget(order);

    auto* folder = new QGroupBox(tr("Data Folder"), view);
    auto* folderLayout = new QVBoxLayout(folder);
    DataFolderLabel = new QLabel(folder);
    DataFolderLabel->setObjectName(QStringLiteral("DataFolderLabel"));
    DataFolderLabel->setWordWrap(true);
    DataFolderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                             Qt::TextSelectableByKeyboard);
    OpenDataFolderButton = new QPushButton(tr("Open Data Folder"), folder);
    OpenDataFolderButton->setObjectName(QStringLiteral("OpenDataFolderButton"));
    folderLayout->addWidget(DataFolderLabel);
    folderLayout->addWidget(OpenDataFolderButton);
    layout->addWidget(folder);

    auto* backups = new QGroupBox(tr("Backups"), view);
    auto* backupsLayout = new QFormLayout(backups);
    BackupsKeptSpinBox = new QSpinBox(backups);
    BackupsKeptSpinBox->setObjectName(QStringLiteral("BackupsKeptSpinBox"));
    BackupsKeptSpinBox->setRange(Preferences::FewestBackupsKept, Preferences::MostBackupsKept);
    backupsLayout->addRow(tr("Backups kept (before each import, and of Back Up Now):"),
                          BackupsKeptSpinBox);
    BackUpNowButton = new QPushButton(tr("Back Up Now"), backups);
    BackUpNowButton->setObjectName(QStringLiteral("BackUpNowButton"));
    backupsLayout->addRow(BackUpNowButton);
    RestoreButton = new QPushButton(tr("Restore from Backup..."), backups);
    RestoreButton->setObjectName(QStringLiteral("RestoreButton"));
    backupsLayout->addRow(RestoreButton);
    layout->addWidget(backups);
    layout->addStretch();
}

void SettingsViewController::viewDidLoad()
{
    const Preferences preferences(m_environment.services.userDefaults);
    CatalogueOrderSwitch->setChecked(preferences.catalogueScottOrder());
    BackupsKeptSpinBox->setValue(preferences.backupsKept());
    DataFolderLabel->setText(
        QDir::toNativeSeparators(QDir(m_environment.appDelegate.dataDirectory()).absolutePath()));
    Styling::styleButton(OpenDataFolderButton);
    Styling::styleButton(BackUpNowButton);
    Styling::styleButton(RestoreButton);

    // Connected once the shown values are set, so showing them changes nothing.
    connect(CatalogueOrderSwitch, &QCheckBox::toggled, this,
            &SettingsViewController::CatalogueOrderSwitchChanged);
    connect(OpenDataFolderButton, &QPushButton::clicked, this,
            &SettingsViewController::OpenDataFolderButtonClicked);
    connect(BackupsKeptSpinBox, &QSpinBox::valueChanged, this,
            &SettingsViewController::BackupsKeptChanged);
    connect(BackUpNowButton, &QPushButton::clicked, this,
            &SettingsViewController::BackUpNowButtonClicked);
    connect(RestoreButton, &QPushButton::clicked, this,
            &SettingsViewController::RestoreButtonClicked);
    CatalogueOrderSwitch->setFocus();
}

void SettingsViewController::CatalogueOrderSwitchChanged()
{
    const bool on = CatalogueOrderSwitch->isChecked();
    Preferences(m_environment.services.userDefaults).setCatalogueScottOrder(on);
    keep();
    // The index of that order is kept only while it is chosen: it costs every save a little.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const StoreResult<> indexed =
        m_environment.appDelegate.persistentContainer().keepCatalogueScottIndex(on);
    QGuiApplication::restoreOverrideCursor();
    if (!indexed)
        tell(tr("Scott numbers are sorted in the order chosen, but more slowly: %1")
                 .arg(indexed.error().description));
}

void SettingsViewController::OpenDataFolderButtonClicked()
{
    m_environment.services.urls.open(
        QUrl::fromLocalFile(QDir(m_environment.appDelegate.dataDirectory()).absolutePath()));
}

void SettingsViewController::BackupsKeptChanged()
{
    Preferences(m_environment.services.userDefaults).setBackupsKept(BackupsKeptSpinBox->value());
    keep();
}

QString SettingsViewController::backupsFolder() const
{
    return QDir(m_environment.appDelegate.dataDirectory())
        .absoluteFilePath(QStringLiteral("Backups"));
}

void SettingsViewController::BackUpNowButtonClicked()
{
    const Result<QString> made = BackingUp::now(m_environment);
    if (made)
        tell(tr("Backup Made"),
             tr("The collection was backed up to %1").arg(QDir::toNativeSeparators(*made)));
    else
        tell(tr("No Backup Made"), made.error());
}

void SettingsViewController::RestoreButtonClicked()
{
    const QPointer<SettingsViewController> self(this);
    // The dialog belongs to the window, so it stays in front of it.
    QWidget* window = navigationController() ? navigationController() : view();
    m_environment.services.documentPicker.pickFileIn(
        window, tr("Choose a Backup"), backupsFolder(),
        {tr("Backups (*.sqlite)"), tr("All files (*)")}, [self](const QString& path) {
            if (self && !path.isEmpty())
                self->askToRestore(path);
        });
}

void SettingsViewController::askToRestore(const QString& path)
{
    const QPointer<SettingsViewController> self(this);
    Alert question{tr("Restore from Backup"),
                   tr("Replace the collection by the one in the backup %1? The collection as it is "
                      "now is backed up first.")
                       .arg(QFileInfo(path).fileName()),
                   {{tr("Cancel"), AlertAction::Style::Cancel, {}},
                    {tr("Restore"), AlertAction::Style::Destructive, [self, path] {
                         if (self)
                             self->restore(path);
                     }}}};
    m_environment.services.alerts.present(question.withContext(this));
}

void SettingsViewController::restore(const QString& path)
{
    Environment& environment = m_environment;
    AppDelegate& appDelegate = environment.appDelegate;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const Result<QString> restored = appDelegate.restoreStore(
        path, Preferences(environment.services.userDefaults).backupsKept());
    QGuiApplication::restoreOverrideCursor();
    if (!appDelegate.persistentContainer().isLoaded()) {
        // Nothing can be shown without a store: as at a launch, said, and the end.
        Alert fatal = Alert::withOk(tr("Fatal error"), restored.error());
        fatal.actions.first().handler = [] { QCoreApplication::exit(1); };
        environment.services.alerts.present(fatal);
        return;
    }
    if (!restored) {
        tell(tr("Not Restored"), restored.error());
        return;
    }
    // What the screens kept of the old store is gone with it.
    environment.shared.selectedStampRecord = nullptr;
    environment.shared.selectedStamp = SelectedStamp();
    const Preferences preferences(environment.services.userDefaults);
    static_cast<void>(appDelegate.persistentContainer().keepCatalogueScottIndex(
        preferences.catalogueScottOrder()));
    // Back to the main menu, so no screen shows the collection that was.
    performSegue(QString::fromLatin1(OpeningScreens::MainMenu.unwind), this);
    environment.services.alerts.present(Alert::withOk(
        tr("Collection Restored"),
        tr("The collection was restored from %1. The collection as it was is in the backup %2.")
            .arg(QFileInfo(path).fileName(), QDir::toNativeSeparators(*restored))));
}

void SettingsViewController::keep()
{
    if (const Result<void> kept = m_environment.services.userDefaults.synchronize(); !kept)
        tell(tr("The setting holds until Vellora is closed, but could not be kept: %1")
                 .arg(kept.error()));
}

void SettingsViewController::tell(const QString& message)
{
    tell(tr("Settings"), message);
}

void SettingsViewController::tell(const QString& title, const QString& message)
{
    m_environment.services.alerts.present(Alert::withOk(title, message));
}
