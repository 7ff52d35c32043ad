#include "reference/ReferenceListsViewController.h"

#include "app/ReferenceEntries.h"
#include "platform/gui/Styling.h"
#include "reference/ReferenceLists.h"

#include <QPushButton>
#include <QVBoxLayout>

ReferenceListsViewController::ReferenceListsViewController(QObject* parent)
    : ViewController(QStringLiteral("ReferenceListsViewController"), parent)
{
    setTitle(tr("Reference Lists"));
}

QString ReferenceListsViewController::segueTo(const QString& entityName)
{
    return QStringLiteral("show") + entityName;
}

void ReferenceListsViewController::buildView(QWidget* view)
{
    auto* layout = new QVBoxLayout(view);
    for (const ReferenceListMember& list : ReferenceLists::members()) {
        auto* button = new QPushButton(ReferenceEntries::title(*list.list), view);
        button->setObjectName(QString::fromLatin1(list.menuButton));
        Styling::styleButton(button);
        buttons.append(button);
        layout->addWidget(button);
    }
    layout->addStretch();
}

QPushButton* ReferenceListsViewController::button(const QString& outletName) const
{
    for (QPushButton* candidate : buttons) {
        if (candidate->objectName() == outletName)
            return candidate;
    }
    return nullptr;
}
