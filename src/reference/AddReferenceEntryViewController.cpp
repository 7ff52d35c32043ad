#include "reference/AddReferenceEntryViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/Reading.h"
#include "app/Saving.h"
#include "app/TextTrimming.h"
#include "platform/core/Console.h"
#include "reference/ReferenceLists.h"
#include "store/ObjectContext.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <algorithm>

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
    const QList<ManagedObject*> entries =
        Reading::orTell(m_environment, m_environment.appDelegate.viewContext().fetch(
                                           {QString::fromLatin1(m_member.entityName), {}, {}}));
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
    // Trimmed first, so spaces alone are no entry and " Fine" is the duplicate of "Fine".
    const QString text = TextTrimming::trimSpacesAndTabs(textField()->text());
    if (text.isEmpty()) {
        Saving::tellRecordNotSaved(
            m_environment, QCoreApplication::translate("ReferenceLists", m_member.emptyMessage));
        return;
    }
    // Texts that differ only in how their accents are encoded ("Cre\u0300me" and "Crème") read
    // the same to the collector: they are duplicates.
    const QString composed = text.normalized(QString::NormalizationForm_C);
    const bool duplicate =
        std::any_of(ListOfTexts.cbegin(), ListOfTexts.cend(), [&composed](const QString& entry) {
            return entry.normalized(QString::NormalizationForm_C) == composed;
        });
    if (duplicate) {
        Saving::tellRecordNotSaved(m_environment, tr("Duplicates not allowed"));
        return;
    }
    managedObjectContext = &m_environment.appDelegate.viewContext();
    ManagedObject* entry =
        managedObjectContext->insertNewObject(QString::fromLatin1(m_member.entityName));
    entry->setValue(0, text);
    if (Saving::saveOrTell(m_environment))
        returnToBrowser();
}
