#include "stamps/NotesViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/Saving.h"
#include "app/SharedState.h"
#include "platform/core/Console.h"
#include "platform/gui/Alert.h"
#include "platform/gui/Styling.h"
#include "store/Entities.h"
#include "store/ObjectContext.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QVBoxLayout>

NotesViewController::NotesViewController(Environment& environment, QObject* parent)
    : ViewController(QStringLiteral("NotesViewController"), parent), m_environment(environment)
{
    setTitle(tr("Notes"));
    SaveButton = new QAction(tr("Save"), this);
    SaveButton->setObjectName(QStringLiteral("SaveButton"));
    connect(SaveButton, &QAction::triggered, this, &NotesViewController::SaveButtonClicked);
    addRightBarButtonItem(SaveButton);
    // Ctrl+S only: Return in the notes starts a new line.
    setSaveAction(SaveButton, environment.services.alerts);
}

void NotesViewController::buildView(QWidget* view)
{
    auto* layout = new QVBoxLayout(view);
    NotesTextView = new QPlainTextEdit(view);
    NotesTextView->setObjectName(QStringLiteral("NotesTextView"));
    layout->addWidget(NotesTextView);
}

void NotesViewController::viewDidLoad()
{
    m_loadedNotes = m_environment.shared.selectedStamp.notes;
    NotesTextView->setPlainText(m_loadedNotes);
    m_loadedNotesAsShown = typedNotes();
    Styling::styleTextView(NotesTextView);
}

QString NotesViewController::typedNotes() const
{
    // toPlainText() would turn non-breaking spaces into plain ones; the raw text keeps them and
    // only its paragraph and line separators need to become line feeds.
    QString text = NotesTextView->document()->toRawText();
    for (QChar& character : text) {
        if (character == QChar::ParagraphSeparator || character == QChar::LineSeparator)
            character = QLatin1Char('\n');
    }
    return text;
}

bool NotesViewController::findRecord()
{
    // The record the edit form shows, not the first one sharing its key. One that has been
    // deleted meanwhile takes nothing, and no other record takes its notes either.
    if (Stamps* shown = m_environment.shared.selectedStampRecord) {
        Results.clear();
        if (shown->managedObjectContext() && !shown->isDeleted())
            Results.append(shown);
        else
            Console::printLine(QStringLiteral("Notes not stored: the stamp has been deleted"));
        ResultsCount = Results.size();
        return true;
    }

    StoreResult<QList<Stamps*>> found =
        managedObjectContext->fetch<Stamps>(m_environment.shared.selectedStamp.keyPredicate());
    if (!found) {
        Console::printLine(found.error().description);
        Saving::tellRecordNotSaved(m_environment, found.error().description);
        return false;
    }
    Results = std::move(found).value();
    ResultsCount = Results.size();
    if (Results.isEmpty())
        Console::printLine(QStringLiteral("Notes not stored: no stamp matches the key"));
    return true;
}

void NotesViewController::SaveButtonClicked()
{
    if (!isViewLoaded())
        view();
    managedObjectContext = &m_environment.appDelegate.viewContext();
    if (!findRecord())
        return;

    const QString typed = typedNotes();
    const QString notes = typed == m_loadedNotesAsShown ? m_loadedNotes : typed;
    if (ResultsCount >= 1) {
        Results.first()->setValue(QStringLiteral("notes"), notes);
        // A refused save is undone; the screen stays with the typed text, so nothing is lost
        // and the collector can try again.
        if (!Saving::saveOrTell(m_environment))
            return;
    }

    rememberShownValues();
    m_environment.shared.selectedStamp.notes = notes;
    performSegue(QStringLiteral("unwindToEdit"), this);
}
