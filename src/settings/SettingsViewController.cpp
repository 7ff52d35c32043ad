#include "settings/SettingsViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/Preferences.h"
#include "platform/core/UserDefaults.h"
#include "platform/gui/Alert.h"
#include "platform/gui/Styling.h"
#include "platform/gui/UrlOpener.h"

#include <QCheckBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
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

    auto* backups = new QGroupBox(tr("Import"), view);
    auto* backupsLayout = new QFormLayout(backups);
    BackupsKeptSpinBox = new QSpinBox(backups);
    BackupsKeptSpinBox->setObjectName(QStringLiteral("BackupsKeptSpinBox"));
    BackupsKeptSpinBox->setRange(Preferences::FewestBackupsKept, Preferences::MostBackupsKept);
    backupsLayout->addRow(tr("Backups kept before an import:"), BackupsKeptSpinBox);
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

    // Connected once the shown values are set, so showing them changes nothing.
    connect(CatalogueOrderSwitch, &QCheckBox::toggled, this,
            &SettingsViewController::CatalogueOrderSwitchChanged);
    connect(OpenDataFolderButton, &QPushButton::clicked, this,
            &SettingsViewController::OpenDataFolderButtonClicked);
    connect(BackupsKeptSpinBox, &QSpinBox::valueChanged, this,
            &SettingsViewController::BackupsKeptChanged);
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

void SettingsViewController::keep()
{
    if (const Result<void> kept = m_environment.services.userDefaults.synchronize(); !kept)
        tell(tr("The setting holds until Vellora is closed, but could not be kept: %1")
                 .arg(kept.error()));
}

void SettingsViewController::tell(const QString& message)
{
    m_environment.services.alerts.present(Alert::withOk(tr("Settings"), message));
}
