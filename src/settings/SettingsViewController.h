#pragma once

#include "platform/gui/ViewController.h"

struct Environment;
class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The collector's preferences: Scott numbers in catalogue order, where the collection is kept,
// and how many backups are kept. Each change is kept at once, as a desktop's settings are. Here
// too the collector backs the collection up and puts a backup back in its place.
class SettingsViewController final : public ViewController
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsViewController)

public:
    explicit SettingsViewController(Environment& environment, QObject* parent = nullptr);

    QCheckBox* CatalogueOrderSwitch = nullptr;
    QLabel* DataFolderLabel = nullptr;
    QPushButton* OpenDataFolderButton = nullptr;
    QSpinBox* BackupsKeptSpinBox = nullptr;
    QPushButton* BackUpNowButton = nullptr;
    QPushButton* RestoreButton = nullptr;

public Q_SLOTS:
    void CatalogueOrderSwitchChanged();
    void OpenDataFolderButtonClicked();
    void BackupsKeptChanged();
    void BackUpNowButtonClicked();
    // Asks for a backup, then whether to put it in the collection's place.
    void RestoreButtonClicked();

protected:
    void buildView(QWidget* view) override;
    void viewDidLoad() override;

private:
    // Writes the user defaults out; a failure is told, and the choice still holds this session.
    void keep();
    void tell(const QString& message);
    void tell(const QString& title, const QString& message);
    void askToRestore(const QString& path);
    void restore(const QString& path);
    QString backupsFolder() const;

    Environment& m_environment;
};
