#include "app/BackingUp.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/Preferences.h"
#include "store/StoreBackup.h"

#include <QCursor>
#include <QGuiApplication>

namespace BackingUp {

Result<QString> now(Environment& environment)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    Result<QString> made =
        StoreBackup::make(environment.appDelegate.persistentContainer(),
                          Preferences(environment.services.userDefaults).backupsKept());
    QGuiApplication::restoreOverrideCursor();
    return made;
}

} // namespace BackingUp
