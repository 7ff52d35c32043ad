#pragma once

#include "platform/gui/ViewController.h"

#include <QList>

class QPushButton;

// The menu of the eleven reference lists: a button for each, leading to its browser.
class ReferenceListsViewController final : public ViewController
{
    Q_OBJECT

public:
    explicit ReferenceListsViewController(QObject* parent = nullptr);

    // In menu order: CountriesButton, PerforationsButton, GumButton, ... FaultsButton.
    QList<QPushButton*> buttons;
    QPushButton* button(const QString& outletName) const;

    // The segue a list's button starts: "show" and the list's entity name.
    static QString segueTo(const QString& entityName);

protected:
    void buildView(QWidget* view) override;
};
