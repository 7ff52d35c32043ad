#include "app/Saving.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "platform/gui/Alert.h"
#include "store/ObjectContext.h"

namespace Saving {

bool saveOrTell(Environment& environment)
{
    StoreError error;
    if (environment.appDelegate.saveContext(&error))
        return true;
    tellRecordNotSaved(environment, error.description);
    return false;
}

bool deleteOrTell(Environment& environment, ManagedObject* object)
{
    environment.appDelegate.viewContext().deleteObject(object);
    return saveOrTell(environment);
}

void tellRecordNotSaved(Environment& environment, const QString& message)
{
    environment.services.alerts.present(
        Alert::withOk(QStringLiteral("Record not Saved!"), message));
}

} // namespace Saving
