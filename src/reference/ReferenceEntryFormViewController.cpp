#include "reference/ReferenceEntryFormViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "platform/gui/Alert.h"
#include "platform/gui/Styling.h"
#include "platform/gui/TextFields.h"
#include "reference/ReferenceLists.h"
#include "store/ObjectContext.h"

#include <QAction>
#include <QLineEdit>
#include <QVBoxLayout>

ReferenceEntryFormViewController::ReferenceEntryFormViewController(
    const QString& name, const QString& title, const QString& saveAction,
    const ReferenceListMember& member, Environment& environment, QObject* parent)
    : ViewController(name, parent), m_member(member), m_environment(environment)
{
    setTitle(title);
    SaveButton = new QAction(tr("Save"), this);
    SaveButton->setObjectName(saveAction);
    connect(SaveButton, &QAction::triggered, this, [this] { save(); });
    addRightBarButtonItem(SaveButton);
    // Ctrl+S and Return in the field save too.
    setSaveAction(SaveButton, environment.services.alerts);
}

void ReferenceEntryFormViewController::buildView(QWidget* view)
{
    auto* layout = new QVBoxLayout(view);
    m_textField = new QLineEdit(view);
    m_textField->setObjectName(QString::fromLatin1(m_member.textField));
    TextFields::holdAnyLength(m_textField);
    Styling::styleTextField(m_textField);
    layout->addWidget(m_textField);
    layout->addStretch();
    m_textField->setFocus();
}

void ReferenceEntryFormViewController::returnToBrowser()
{
    performSegue(QString::fromLatin1(m_member.unwind), this);
}
