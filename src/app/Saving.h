#pragma once

#include <QString>

class ManagedObject;
struct Environment;

// Saving as every screen does it: a save the store refuses is undone, so the screen and the store
// agree again, and the collector is told "Record not Saved!" with the reason.
namespace Saving {

bool saveOrTell(Environment& environment);
// Deletes the record and saves at once; a refused delete is undone and the record stays.
bool deleteOrTell(Environment& environment, ManagedObject* object);
void tellRecordNotSaved(Environment& environment, const QString& message);

} // namespace Saving
