#include "exchange/ExportImportViewController.h"

#include "platform/gui/Styling.h"

#include <QPushButton>
#include <QVBoxLayout>

ExportImportViewController::ExportImportViewController(QObject* parent)
    : ViewController(QStringLiteral("ExportImportViewController"), parent)
{
    setTitle(tr("Export / Import"));
}

void ExportImportViewController::buildView(QWidget* view)
{
    auto* layout = new QVBoxLayout(view);
    ExportStampsButton = new QPushButton(tr("Export Stamps"), view);
    ExportStampsButton->setObjectName(QStringLiteral("ExportStampsButton"));
    ImportStampsButton = new QPushButton(tr("Import Stamps"), view);
    ImportStampsButton->setObjectName(QStringLiteral("ImportStampsButton"));
    for (QPushButton* button : {ExportStampsButton, ImportStampsButton}) {
        Styling::styleButton(button);
        layout->addWidget(button);
    }
    layout->addStretch();
    ExportStampsButton->setFocus();
}
