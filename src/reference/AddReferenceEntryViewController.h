#pragma once

#include "reference/ReferenceEntryFormViewController.h"

#include <QStringList>

// Adds one entry to a reference list, refusing an empty text and a duplicate (AddGumViewController
// and the others, by their member description).
class AddReferenceEntryViewController final : public ReferenceEntryFormViewController
{
    Q_OBJECT

public:
    AddReferenceEntryViewController(const ReferenceListMember& member, Environment& environment,
                                    QObject* parent = nullptr);

    // The texts of the list's entries, for the duplicate test (ListOfGum and so on).
    QStringList ListOfTexts;

    void viewDidLoad() override;

public Q_SLOTS:
    void save() override;
    void dismissKeyboard();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
