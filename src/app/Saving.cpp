#include "app/Saving.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "platform/gui/Alert.h"
#include "platform/gui/UndoBar.h"
#include "store/ObjectContext.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace Saving {

bool saveOrTell(Environment& environment)
{
    const StoreResult<> saved = environment.appDelegate.saveContext();
    if (!saved)
        tellRecordNotSaved(environment, saved.error().description);
    return saved.ok();
}

bool deleteOrTell(Environment& environment, ManagedObject* object)
{
    environment.appDelegate.viewContext().deleteObject(object);
    return saveOrTell(environment);
}

void tellRecordNotSaved(Environment& environment, const QString& message)
{
    environment.services.alerts.present(
        Alert::withOk(QCoreApplication::translate("Saving", "Record not Saved!"), message));
}

RecordCopy copyOf(const ManagedObject& object)
{
    RecordCopy copy{&object.entity(), {}};
    const qsizetype count = object.entity().attributes().size();
    copy.values.reserve(count);
    // value() reads what is read on demand, so the copy holds the picture itself.
    for (int index = 0; index < count; ++index)
        copy.values.append(object.value(index));
    return copy;
}

namespace {

// A new record holding the copy's values, not saved yet.
ManagedObject* insertedCopy(Environment& environment, const RecordCopy& copy)
{
    ManagedObject* object =
        environment.appDelegate.viewContext().insertNewObject(copy.entity->name());
    for (int index = 0; index < copy.values.size(); ++index)
        object->setValue(index, copy.values.at(index));
    return object;
}

} // namespace

ManagedObject* insertCopyOrTell(Environment& environment, const RecordCopy& copy)
{
    ManagedObject* object = insertedCopy(environment, copy);
    return saveOrTell(environment) ? object : nullptr;
}

bool deleteOfferingUndo(Environment& environment, ManagedObject* object, const QString& description,
                        QWidget* view, std::function<void(ManagedObject*)> restored)
{
    // Taken before the delete: afterwards the record is no longer in the store to read from.
    RecordCopy copy = copyOf(*object);
    if (!deleteOrTell(environment, object))
        return false;
    UndoBar::forWindow(view)->offer(
        description,
        [&environment, copy = std::move(copy), view = QPointer<QWidget>(view),
         restored = std::move(restored)] {
            ManagedObject* again = insertCopyOrTell(environment, copy);
            if (again && view && restored)
                restored(again);
        },
        environment.services.mainQueue);
    return true;
}

bool deleteAllOfferingUndo(Environment& environment, const QList<ManagedObject*>& objects,
                           const QString& description, QWidget* view,
                           std::function<void(const QList<ManagedObject*>&)> restored)
{
    QList<RecordCopy> copies;
    copies.reserve(objects.size());
    for (const ManagedObject* object : objects)
        copies.append(copyOf(*object));
    ObjectContext& context = environment.appDelegate.viewContext();
    for (ManagedObject* object : objects)
        context.deleteObject(object);
    if (!saveOrTell(environment))
        return false;
    UndoBar::forWindow(view)->offer(
        description,
        [&environment, copies = std::move(copies), view = QPointer<QWidget>(view),
         restored = std::move(restored)] {
            QList<ManagedObject*> again;
            again.reserve(copies.size());
            for (const RecordCopy& copy : copies)
                again.append(insertedCopy(environment, copy));
            if (!saveOrTell(environment))
                return;
            if (view && restored)
                restored(again);
        },
        environment.services.mainQueue);
    return true;
}

} // namespace Saving
