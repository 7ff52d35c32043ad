#pragma once

#include "platform/gui/ViewController.h"

#include <QList>
#include <QString>

class ObjectContext;
class QAction;
class QPlainTextEdit;
class Stamps;
struct Environment;

// A full-page editor for the notes of the stamp the edit form shows; saving writes them to that
// record and returns to the form.
class NotesViewController final : public ViewController
{
    Q_OBJECT

public:
    explicit NotesViewController(Environment& environment, QObject* parent = nullptr);

    QPlainTextEdit* NotesTextView = nullptr;
    QAction* SaveButton = nullptr;

    ObjectContext* managedObjectContext = nullptr;
    // The records the last save found to change (the shown record, or the look-up's result).
    QList<Stamps*> Results;
    qsizetype ResultsCount = 0;

    void viewDidLoad() override;

public Q_SLOTS:
    void SaveButtonClicked();

protected:
    void buildView(QWidget* view) override;

private:
    // Fills Results with the record to change; false when the look-up itself failed.
    bool findRecord();
    QString typedNotes() const;

    Environment& m_environment;
    // The notes as loaded, and as the editor shows them: an editor turns "\r\n" into "\n", so an
    // untouched text is stored as it was loaded rather than as the editor shows it.
    QString m_loadedNotes;
    QString m_loadedNotesAsShown;
};
