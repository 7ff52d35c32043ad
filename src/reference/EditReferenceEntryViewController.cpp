#include "reference/EditReferenceEntryViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/ReferenceEntries.h"
#include "app/Saving.h"
#include "app/SharedState.h"
#include "platform/core/Console.h"
#include "reference/ReferenceLists.h"
#include "store/ObjectContext.h"

#include <QCoreApplication>
#include <QLineEdit>

EditReferenceEntryViewController::EditReferenceEntryViewController(
    const ReferenceListMember& member, Environment& environment, QObject* parent)
    : ReferenceEntryFormViewController(
          QString::fromLatin1(member.editName),
          QCoreApplication::translate("ReferenceLists", member.editTitle),
          QString::fromLatin1(member.editSaveAction), member, environment, parent)
{}

void EditReferenceEntryViewController::setDetailItem(ManagedObject* entry)
{
    m_detailItem = entry;
    showDetailItem();
}

void EditReferenceEntryViewController::viewDidLoad()
{
    showDetailItem();
}

void EditReferenceEntryViewController::showDetailItem()
{
    if (!isViewLoaded() || !m_detailItem)
        return;
    const QVariant text = m_detailItem->value(0);
    if (text.isValid())
        textField()->setText(text.toString());
    rememberShownValues();
}

void EditReferenceEntryViewController::save()
{
    const Result<QString> text =
        ReferenceEntries::checkedText(*m_member.list, textField()->text(),
                                      m_member.editRefusesEmpty ? ReferenceEntries::Empty::Refused
                                                                : ReferenceEntries::Empty::Allowed);
    if (!text) {
        Saving::tellRecordNotSaved(m_environment, text.error());
        return;
    }
    managedObjectContext = &m_environment.appDelegate.viewContext();
    const QString entityName = QString::fromLatin1(m_member.list->entityName);
    StoreResult<QList<ManagedObject*>> found = managedObjectContext->fetch(
        {entityName,
         Predicate::format(QString::fromLatin1(m_member.lookupFormat),
                           m_environment.shared.selectedReferenceValue(entityName)),
         {}});
    if (!found) {
        // Nothing was changed: the entry could not be looked up.
        Console::printLine(found.error().description);
        Saving::tellRecordNotSaved(m_environment, found.error().description);
        return;
    }
    Results = std::move(found).value();
    ResultsCount = Results.size();

    if (ResultsCount >= 1) {
        Results.first()->setValue(QString::fromLatin1(m_member.attribute), *text);
        if (!Saving::saveOrTell(m_environment))
            return;
        returnToBrowser();
        return;
    }
    Console::printLine(QStringLiteral("No %1 entry holds the chosen text").arg(entityName));
    // The perforation screen stays so the collector sees nothing was changed.
    if (!m_member.editRefusesEmpty)
        returnToBrowser();
}
