#pragma once

#include "platform/gui/ViewController.h"

class ObjectContext;
class QAction;
class QLineEdit;
struct Environment;
struct ReferenceListMember;

// What the add and edit screens of a reference list share: one text field, a save action named
// as the list's screens name it, the "Record not Saved!" alert and the return to the browser.
class ReferenceEntryFormViewController : public ViewController
{
    Q_OBJECT

public:
    const ReferenceListMember& member() const { return m_member; }
    // The one input (PerforationTextField, GumTextField, ...).
    QLineEdit* textField() const { return m_textField; }
    // The bar button whose objectName is the save action's name (SavePerforation, ...).
    QAction* SaveButton = nullptr;
    ObjectContext* managedObjectContext = nullptr;

public Q_SLOTS:
    virtual void save() = 0;

protected:
    ReferenceEntryFormViewController(const QString& name, const QString& title,
                                     const QString& saveAction, const ReferenceListMember& member,
                                     Environment& environment, QObject* parent);

    void buildView(QWidget* view) override;

    void returnToBrowser();

    const ReferenceListMember& m_member;
    Environment& m_environment;

private:
    QLineEdit* m_textField = nullptr;
};
