#include "stamps/EditViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/OpeningScreens.h"
#include "app/Saving.h"
#include "app/SharedState.h"
#include "app/TextTrimming.h"
#include "platform/core/Console.h"
#include "platform/core/CurrencyText.h"
#include "platform/core/MainQueue.h"
#include "platform/core/Pictures.h"
#include "platform/gui/Alert.h"
#include "platform/gui/MessageCapability.h"
#include "platform/gui/ShareSheet.h"
#include "platform/gui/StatusLine.h"
#include "platform/gui/Styling.h"
#include "platform/gui/SymbolIcons.h"
#include "store/Entities.h"
#include "store/NumberText.h"
#include "store/ObjectContext.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

EditViewController::EditViewController(Environment& environment, QObject* parent)
    : StampFormViewController(QStringLiteral("EditViewController"),
                              QStringLiteral("MarginTextField"), environment, parent)
{
    setTitle(tr("Edit Stamp"));
    auto* save = new QAction(tr("Save"), this);
    save->setObjectName(QStringLiteral("SaveButton"));
    connect(save, &QAction::triggered, this, &EditViewController::SaveButtonClicked);
    addRightBarButtonItem(save);
    setSaveAction(save, environment.services.alerts);
    QAction* share = SymbolIcons::makeAction(QStringLiteral("square.and.arrow.up"), this);
    share->setObjectName(QStringLiteral("ShareButton"));
    connect(share, &QAction::triggered, this, &EditViewController::shareButtonClicked);
    addRightBarButtonItem(share);
    registerUnwindTarget(QStringLiteral("unwindToEdit"),
                         [this](const StoryboardSegue&) { unwindToEditWithSegue(); });
}

void EditViewController::addFormControls(QVBoxLayout* layout)
{
    MarginTextField = marginsField();
    NotesButton = new QPushButton(tr("Notes"), layout->parentWidget());
    NotesButton->setObjectName(QStringLiteral("NotesButton"));
    Styling::styleButton(NotesButton);
    layout->addWidget(NotesButton);
}

void EditViewController::setDetailItem(Stamps* stamp)
{
    m_detailItem = stamp;
    // The notes screen changes this same record.
    m_environment.shared.selectedStampRecord = stamp;
    showDetailItem();
}

void EditViewController::viewDidLoad()
{
    StampFormViewController::viewDidLoad();
    showDetailItem();
}

void EditViewController::showDetailItem()
{
    if (!m_detailItem || !isViewLoaded())
        return;
    showValuesOf(*m_detailItem);
    showNotes(m_detailItem->notes().value_or(QString()));
    const std::optional<QByteArray> picture = m_detailItem->stampImage();
    setShownPicture(picture ? m_environment.services.pictures.decode(*picture) : QImage());
    rememberShownValues();
}

void EditViewController::showNotes(const QString& notes)
{
    NotesTextView->setPlainText(notes);
    m_shownNotes = notes;
    m_shownNotesAsShown = NotesTextView->toPlainText();
}

void EditViewController::prepareForSegue(const StoryboardSegue& segue, QObject* sender)
{
    StampFormViewController::prepareForSegue(segue, sender);
    if (segue.identifier != QLatin1String("showNotes"))
        return;
    // The notes screen goes on from the notes as this form shows them, typing included.
    // Untouched, they go as filled in, so line ends the editor shows otherwise stay as stored.
    const QString typed = NotesTextView->toPlainText();
    m_environment.shared.selectedStamp.notes = typed == m_shownNotesAsShown ? m_shownNotes : typed;
}

void EditViewController::unwindToEditWithSegue()
{
    // Only the notes come back: every other input, and a picture not saved yet, stays as the
    // collector left it, still to be saved or discarded.
    const QString notes = m_environment.shared.selectedStamp.notes;
    showNotes(notes);
    // Notes the stamp now holds are saved; notes it could not take (it was deleted meanwhile)
    // are a change like any other, so leaving still asks.
    if (m_detailItem && m_detailItem->notes().value_or(QString()) == notes)
        rememberShownValue(NotesTextView);
}

void EditViewController::TapFrontImage()
{
    performSegue(QStringLiteral("Zoom"));
}

StoreResult<Stamps*> EditViewController::recordToChange()
{
    managedObjectContext = &m_environment.appDelegate.viewContext();
    if (m_detailItem)
        return m_detailItem->managedObjectContext() ? m_detailItem : nullptr;
    const StoreResult<QList<Stamps*>> results =
        managedObjectContext->fetch<Stamps>(m_environment.shared.selectedStamp.keyPredicate());
    if (!results)
        return Failure{results.error()};
    return results->isEmpty() ? nullptr : results->first();
}

void EditViewController::SaveButtonClicked()
{
    if (!numbersAreValid())
        return;
    const StoreResult<Stamps*> found = recordToChange();
    if (!found) {
        // The form stays with what was typed: nothing was saved.
        Saving::tellRecordNotSaved(m_environment, found.error().description);
        return;
    }
    // Encoded before anything changes, so a picture that cannot be stored changes nothing.
    const Result<std::optional<QByteArray>> picture = encodedShownPicture();
    if (!picture) {
        Saving::tellRecordNotSaved(m_environment, picture.error());
        return;
    }
    if (Stamps* record = *found) {
        for (const Field& field : fields()) {
            const QString text = textField(field)->text();
            const QString key = QString::fromLatin1(field.key);
            switch (field.kind) {
            case Field::Kind::Text:
            case Field::Kind::Picked:
                record->setValue(key, field.editKeepsText || text.isEmpty()
                                          ? text
                                          : TextTrimming::trimSpacesAndTabs(text));
                break;
            case Field::Kind::WholeNumber:
                record->setValue(key, text.isEmpty() ? 0 : int(*NumberText::readWholeNumber(text)));
                break;
            case Field::Kind::Amount: {
                // The form shows two decimals: an amount left as shown keeps every digit it has.
                const float stored = record->value(key).toFloat();
                float amount = 0.0f;
                if (text == NumberText::shownAmount(stored))
                    amount = stored;
                else if (!text.isEmpty())
                    amount = *NumberText::readTypedAmount(text);
                record->setValue(key, amount);
                break;
            }
            }
        }
        record->setNotes(NotesTextView->toPlainText());
        // The picture is stored again at every save; without one shown it is left alone.
        if (*picture)
            record->setStampImage(*picture);
        if (!Saving::saveOrTell(m_environment))
            return;
        rememberShownValues();
        m_environment.services.status.showMessage(savedText(*record));
        if (m_staysAfterSave) {
            m_staysAfterSave(record);
            return;
        }
    } else {
        // Deleted meanwhile: there is nothing to save the changes into, and the collector hears so.
        const QString gone = tr("The stamp is no longer in the collection.");
        Console::printLine(gone);
        Saving::tellRecordNotSaved(m_environment, gone);
        if (m_staysAfterSave) {
            m_staysAfterSave(nullptr);
            return;
        }
    }
    returnToOpeningScreen(OpeningScreens::ofEditForm);
}

void EditViewController::RemoveFrontImage()
{
    Alert alert{tr("Remove Stamp Image"), tr("Do You Want to Remove This Image?"), {}};
    alert.actions.append({tr("Yes"), AlertAction::Style::Default, [this] {
                              const StoreResult<Stamps*> found = recordToChange();
                              if (!found) {
                                  Saving::tellRecordNotSaved(m_environment,
                                                             found.error().description);
                                  return;
                              }
                              Stamps* record = *found;
                              if (!record)
                                  return;
                              record->setStampImage(std::nullopt);
                              if (!Saving::saveOrTell(m_environment))
                                  return;
                              setShownPicture(QImage());
                              rememberShownPicture();
                          }});
    alert.actions.append({tr("No"), AlertAction::Style::Cancel, {}});
    m_environment.services.alerts.present(alert);
}

QString EditViewController::shareText() const
{
    QString message;
    for (const Field& field : fields()) {
        const QString text = textField(field)->text();
        // The labels belong to the form the fields are described on.
        const QString label = StampFormViewController::tr(field.shareLabel);
        if (text.isEmpty()) {
            // The status line has always been written without its colon when empty.
            message += QLatin1String(field.key) == QLatin1String("status") ? tr("Status N/A\n")
                                                                           : label + tr("N/A\n");
            continue;
        }
        QString shown = text;
        if (field.kind == Field::Kind::Amount) {
            if (const std::optional<float> amount = NumberText::readTypedAmount(text))
                shown = currencyText(double(*amount));
        }
        message += label + shown + QLatin1Char('\n');
    }
    const QString notes = NotesTextView->toPlainText();
    message += notes.isEmpty() ? tr("Notes: N/A\n") : tr("Notes: ") + notes + QLatin1Char('\n');
    return message;
}

void EditViewController::shareButtonClicked()
{
    Services& services = m_environment.services;
    if (!services.messages.canSendText()) {
        services.mainQueue.async([&services] {
            Alert alert{tr("Can't Send Text Message"),
                        tr("Your device is not able to send text messages."),
                        {{tr("Click"), AlertAction::Style::Default, {}}}};
            services.alerts.present(alert);
        });
        return;
    }
    ShareRequest request;
    request.items << ShareItem::fromText(shareText());
    if (!shownPicture().isNull())
        request.items << ShareItem::fromPicture(shownPicture());
    request.excludedActivityTypes = {ActivityType::AirDrop, ActivityType::AddToReadingList};
    request.sourceView = view();
    services.shareSheet.present(request);
}
