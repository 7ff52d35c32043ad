#pragma once

#include "reference/ReferenceEntryFormViewController.h"

#include <QList>

class ManagedObject;

// Gives an entry of a reference list a new text (EditGumViewController and the others, by their
// member description). The entry changed is the first one holding the text last chosen in the
// list's browser.
class EditReferenceEntryViewController final : public ReferenceEntryFormViewController
{
    Q_OBJECT

public:
    EditReferenceEntryViewController(const ReferenceListMember& member, Environment& environment,
                                     QObject* parent = nullptr);

    ManagedObject* detailItem() const { return m_detailItem; }
    void setDetailItem(ManagedObject* entry);
    QList<ManagedObject*> Results;
    qsizetype ResultsCount = 0;

    void viewDidLoad() override;

public Q_SLOTS:
    void save() override;

private:
    void showDetailItem();

    ManagedObject* m_detailItem = nullptr;
};
