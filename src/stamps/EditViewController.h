#pragma once

#include "stamps/StampFormViewController.h"
#include "store/StoreError.h"

#include <QList>
#include <functional>

class Stamps;

// Shows one stored stamp in the inputs of the add form, saves the changes to that stamp, removes
// its picture, shares it, and opens its notes and its enlarged picture.
class EditViewController final : public StampFormViewController
{
    Q_OBJECT

public:
    explicit EditViewController(Environment& environment, QObject* parent = nullptr);

    QLineEdit* MarginTextField = nullptr;
    QPushButton* NotesButton = nullptr;

    // The record shown. Set by the screen that opens the form, before it is shown.
    Stamps* detailItem() const { return m_detailItem; }
    void setDetailItem(Stamps* stamp);

    // A form that stays open beside a list: a save (or a stamp found gone) goes to `saved` with
    // the record changed, null when it was gone, instead of returning to the opening screen.
    void setStaysAfterSave(std::function<void(Stamps* saved)> saved)
    {
        m_staysAfterSave = std::move(saved);
    }

    // The text the share action hands on, built from the inputs as they are now.
    QString shareText() const;

    void viewDidLoad() override;
    void prepareForSegue(const StoryboardSegue& segue, QObject* sender) override;

public Q_SLOTS:
    void showDetailItem();
    void SaveButtonClicked();
    void RemoveFrontImage() override;
    void shareButtonClicked();
    void TapFrontImage();
    // Back from the notes screen: takes the notes it saved and leaves every other input alone.
    void unwindToEditWithSegue();

protected:
    void addFormControls(QVBoxLayout* layout) override;
    void pictureDoubleClicked() override { TapFrontImage(); }

private:
    // The record to change: the one shown, unless it has been deleted meanwhile. Without a
    // record handed in, the stamp is looked up by its denomination, year and Scott number.
    StoreResult<Stamps*> recordToChange();
    void showNotes(const QString& notes);

    Stamps* m_detailItem = nullptr;
    std::function<void(Stamps*)> m_staysAfterSave;
    // The notes last filled in, and as the editor shows them: an editor turns "\r\n" into "\n",
    // so untouched notes are handed on as they were filled in.
    QString m_shownNotes;
    QString m_shownNotesAsShown;
};
