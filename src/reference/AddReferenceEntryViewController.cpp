#include "reference/AddReferenceEntryViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/Reading.h"
#include "app/ReferenceEntries.h"
#include "reference/ReferenceLists.h"
#include "store/ObjectContext.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>

AddReferenceEntryViewController::AddReferenceEntryViewController(const ReferenceListMember& member,
                                                                 Environment& environment,
                                                                 QObject* parent)
    : ReferenceEntryFormViewController(
          QString::fromLatin1(member.addName),
          QCoreApplication::translate("ReferenceLists", member.addTitle),
          QString::fromLatin1(member.addSaveAction), member, environment, parent)
{}

void AddReferenceEntryViewController::viewDidLoad()
{
    // A click outside the field closes the keyboard.
    view()->installEventFilter(this);
    ListOfTexts.clear();
    const QList<ManagedObject*> entries = Reading::orTell(
        m_environment, m_environment.appDelegate.viewContext().fetch(
                           {QString::fromLatin1(m_member.list->entityName), {}, {}}));
    for (const ManagedObject* entry : entries)
        ListOfTexts.append(entry->value(0).toString());
}

bool AddReferenceEntryViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view() && event->type() == QEvent::MouseButtonPress)
        dismissKeyboard();
    return ReferenceEntryFormViewController::eventFilter(watched, event);
}

void AddReferenceEntryViewController::dismissKeyboard()
{
    textField()->clearFocus();
}

void AddReferenceEntryViewController::save()
{
    managedObjectContext = &m_environment.appDelegate.viewContext();
    if (ReferenceEntries::addOrTell(m_environment, *m_member.list, textField()->text(),
                                    ListOfTexts))
        returnToBrowser();
}
