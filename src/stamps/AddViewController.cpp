#include "stamps/AddViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/OpeningScreens.h"
#include "app/Saving.h"
#include "app/TextTrimming.h"
#include "platform/gui/Alert.h"
#include "platform/gui/StatusLine.h"
#include "store/Entities.h"
#include "store/NumberText.h"
#include "store/ObjectContext.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>

AddViewController::AddViewController(Environment& environment, QObject* parent)
    : StampFormViewController(QStringLiteral("AddViewController"),
                              QStringLiteral("MarginsTextField"), environment, parent)
{
    setTitle(tr("Add Stamp"));
    setMarksRequiredFields(true);
    auto* save = new QAction(tr("Save"), this);
    save->setObjectName(QStringLiteral("SaveButton"));
    connect(save, &QAction::triggered, this, &AddViewController::SaveNewStampButtonClicked);
    addRightBarButtonItem(save);
    setSaveAction(save, environment.services.alerts);
}

void AddViewController::buildView(QWidget* view)
{
    StampFormViewController::buildView(view);
    MarginsTextField = marginsField();
}

void AddViewController::SaveNewStampButtonClicked()
{
    for (QLineEdit* required : {DenominationTextField, YearOfIssueTextField, CountryTextField}) {
        if (required->text().isEmpty()) {
            Saving::tellRecordNotSaved(m_environment, tr("Required Fields in RED not Entered"));
            return;
        }
    }
    if (!numbersAreValid())
        return;

    // Encoded first: a picture that cannot be stored keeps the form as it is, nothing added.
    const Result<std::optional<QByteArray>> picture = encodedShownPicture();
    if (!picture) {
        Saving::tellRecordNotSaved(m_environment, picture.error());
        return;
    }

    managedObjectContext = &m_environment.appDelegate.viewContext();
    auto* stamp = managedObjectContext->insertNewObject<Stamps>();
    for (const Field& field : fields()) {
        const QString text = textField(field)->text();
        if (text.isEmpty())
            continue;
        const QString key = QString::fromLatin1(field.key);
        switch (field.kind) {
        case Field::Kind::Text:
        case Field::Kind::Picked:
            stamp->setValue(key, TextTrimming::trimSpacesAndTabs(text));
            break;
        case Field::Kind::WholeNumber:
            stamp->setValue(key, int(*NumberText::readWholeNumber(text)));
            break;
        case Field::Kind::Amount:
            stamp->setValue(key, *NumberText::readTypedAmount(text));
            break;
        }
    }
    if (const QString notes = NotesTextView->toPlainText(); !notes.isEmpty())
        stamp->setNotes(TextTrimming::trimSpacesAndTabs(notes));
    if (*picture)
        stamp->setStampImage(*picture);

    if (!Saving::saveOrTell(m_environment))
        return;
    rememberShownValues();
    m_environment.services.status.showMessage(savedText(*stamp));
    returnToOpeningScreen(OpeningScreens::ofAddForm);
}
