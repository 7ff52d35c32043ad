#pragma once

#include "platform/gui/ViewController.h"

class QPushButton;

// Where the main menu's "Export / Import" leads: a button for each of the two screens.
class ExportImportViewController final : public ViewController
{
    Q_OBJECT

public:
    explicit ExportImportViewController(QObject* parent = nullptr);

    QPushButton* ExportStampsButton = nullptr;
    QPushButton* ImportStampsButton = nullptr;

    // The segues the two buttons start.
    static inline const QString ShowExport = QStringLiteral("showExport");
    static inline const QString ShowImport = QStringLiteral("showImport");

protected:
    void buildView(QWidget* view) override;
};
