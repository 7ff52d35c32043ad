#include "app/Reading.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "platform/core/MainQueue.h"
#include "platform/gui/Alert.h"
#include "store/ObjectContext.h"

#include <QCoreApplication>
#include <memory>

namespace Reading {

namespace {

Alert notReadAlert(const StoreError& error)
{
    return Alert::withOk(QCoreApplication::translate("Reading", "Collection not Read"),
                         error.description);
}

} // namespace

void tellNotRead(Environment& environment, const StoreError& error)
{
    environment.services.alerts.present(notReadAlert(error));
}

void tellOnDemandFailures(Environment& environment)
{
    auto told = std::make_shared<bool>(false);
    environment.appDelegate.viewContext().setReadFailureHandler(
        [&environment, told](const StoreError& error) {
            if (*told)
                return;
            *told = true;
            environment.services.mainQueue.async([&environment, told, error] {
                Alert alert = notReadAlert(error);
                alert.actions.first().handler = [told] { *told = false; };
                environment.services.alerts.present(alert);
            });
        });
}

} // namespace Reading
