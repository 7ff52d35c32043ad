#pragma once

#include <QList>
#include <QString>
#include <QVariantList>
#include <functional>

class EntityDescription;
class ManagedObject;
class QWidget;
struct Environment;

// Saving as every screen does it: a save the store refuses is undone, so the screen and the store
// agree again, and the collector is told "Record not Saved!" with the reason.
namespace Saving {

bool saveOrTell(Environment& environment);
// Deletes the record and saves at once; a refused delete is undone and the record stays.
bool deleteOrTell(Environment& environment, ManagedObject* object);
void tellRecordNotSaved(Environment& environment, const QString& message);

// Every value of a record, the picture (read from the store on demand) and the notes included.
struct RecordCopy
{
    const EntityDescription* entity = nullptr;
    QVariantList values;
};
RecordCopy copyOf(const ManagedObject& object);
// A new record holding the copy's values, saved at once; a refused save is undone and told, and
// gives null.
ManagedObject* insertCopyOrTell(Environment& environment, const RecordCopy& copy);

// deleteOrTell, and once the delete is saved the window of `view` says `description` and offers
// to undo it for a while: the undo puts the very record back as a new one and hands it to
// `restored`, unless the view is gone by then.
bool deleteOfferingUndo(Environment& environment, ManagedObject* object, const QString& description,
                        QWidget* view, std::function<void(ManagedObject*)> restored);

// The same for several records in one save; the undo puts them all back in one save.
bool deleteAllOfferingUndo(Environment& environment, const QList<ManagedObject*>& objects,
                           const QString& description, QWidget* view,
                           std::function<void(const QList<ManagedObject*>&)> restored);

} // namespace Saving
