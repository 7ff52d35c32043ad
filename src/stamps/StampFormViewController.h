#pragma once

#include "app/OpeningScreens.h"
#include "platform/core/Result.h"
#include "platform/gui/ViewController.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <optional>
#include <span>

class ObjectContext;
class QBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class ReferencePicker;
class Stamps;
struct Environment;

// What the add and edit forms share: the twenty inputs and the picture, the eleven reference
// pickers, the filter of the numeric fields, the picture sources (camera, file, clipboard) and
// the checks of the numbers typed. Each form adds only how it loads and saves.
class StampFormViewController : public ViewController
{
    Q_OBJECT

public:
    // One input of the form, in the order the stamp's values are saved and shared.
    struct Field
    {
        enum class Kind
        {
            Text,
            Picked,
            WholeNumber,
            Amount
        };
        const char* key; // the Stamps attribute
        QLineEdit* StampFormViewController::*outlet;
        const char* outletName; // nullptr for the margins field, named by each form
        const char* title;      // the label on the form
        const char* shareLabel; // the label in the shared text
        Kind kind;
        int pickerTag;      // for Picked
        bool editKeepsText; // the edit form stores this text untrimmed
    };
    static const QList<Field>& fields();

    QLineEdit* DenominationTextField = nullptr;
    QLineEdit* YearOfIssueTextField = nullptr;
    QLineEdit* DescripTextField = nullptr;
    QLineEdit* CountryTextField = nullptr;
    QLineEdit* PerforationsTextField = nullptr;
    QLineEdit* GumTextField = nullptr;
    QLineEdit* ScottNumberTextField = nullptr;
    QLineEdit* PaperTextField = nullptr;
    QLineEdit* ColorTextField = nullptr;
    QLineEdit* GradeTextField = nullptr;
    QLineEdit* ConditionTextField = nullptr;
    QLineEdit* SeriesTextField = nullptr;
    QLineEdit* CenteredTextField = nullptr;
    QLineEdit* StatusTextField = nullptr;
    QLineEdit* FaultsTextField = nullptr;
    QLineEdit* QuantityTextField = nullptr;
    QLineEdit* CostTextField = nullptr;
    QLineEdit* EstValueTextField = nullptr;
    QPlainTextEdit* NotesTextView = nullptr;
    QLabel* StampImage = nullptr;
    QPushButton* CameraButton = nullptr;
    QPushButton* PhotoLibraryButton = nullptr;
    QPushButton* RemoveImageButton = nullptr;
    QPushButton* PasteButton = nullptr;

    ObjectContext* managedObjectContext = nullptr;
    // The last picture taken with the camera.
    QImage chosenStampImage;

    // The input of a field of fields().
    QLineEdit* textField(const Field& field) const;
    // The eleven pickers in tag order; nullptr for a tag that is not 1 to 11.
    const QList<ReferencePicker*>& pickers() const { return m_pickers; }
    ReferencePicker* picker(int tag) const;

    // Fills the inputs with the stamp's values, the notes aside and the picture left as it is.
    void showValuesOf(const Stamps& stamp);

    // The picture StampImage shows; null when it shows none.
    const QImage& shownPicture() const { return m_shownPicture; }
    void setShownPicture(const QImage& picture);

    void viewDidLoad() override;
    // A changed picture counts as a change too.
    bool hasUnsavedChanges() const override;

    // From this width on the fields stand beside the picture instead of above it.
    static constexpr int TwoColumnWidth = 720;

public Q_SLOTS:
    void dismissKeyboard();
    void OpenFrontCamera();
    void AttachFrontImage();
    void PasteFromClipboard();
    virtual void RemoveFrontImage();

protected:
    // "Saved 5c Canada 1962": the confirmation of a stamp's save.
    static QString savedText(const Stamps& stamp);

    StampFormViewController(const QString& name, const QString& marginsOutletName,
                            Environment& environment, QObject* parent);

    void buildView(QWidget* view) override;
    // Room for a form's own controls below the picture.
    virtual void addFormControls(QVBoxLayout* layout) { Q_UNUSED(layout) }
    virtual void pictureDoubleClicked() {}
    bool eventFilter(QObject* watched, QEvent* event) override;

    QLineEdit* marginsField() const { return m_marginsField; }
    // Whether the three required fields get red labels.
    void setMarksRequiredFields(bool marks) { m_marksRequiredFields = marks; }

    // The numbers typed must read as numbers of their fields: false, after telling the collector
    // which field is wrong, when one does not.
    bool numbersAreValid();
    // Performs the unwind of the screen, among `openers`, whose marker is the shared one, if any.
    void returnToOpeningScreen(std::span<const OpeningScreen* const> openers);
    // The picture shown, as stored: JPEG at quality 0.6; nullopt when none is shown.
    Result<std::optional<QByteArray>> encodedShownPicture() const;

    void rememberShownValues() override;
    // The picture shown is the stored one (removed at once, say), whatever else has changed.
    void rememberShownPicture() { m_rememberedPicture = m_shownPicture; }

    Environment& m_environment;

private:
    QLineEdit* makeField(QWidget* parent, const Field& field);
    void showPictureFile(const QString& path);
    void layOutForWidth(int width);

    QString m_marginsOutletName;
    QLineEdit* m_marginsField = nullptr;
    QList<ReferencePicker*> m_pickers;
    QImage m_shownPicture;
    QImage m_rememberedPicture;
    bool m_marksRequiredFields = false;
    // The fields and the picture with its buttons: one above the other, or side by side.
    QBoxLayout* m_columns = nullptr;
    QWidget* m_fieldsColumn = nullptr;
    QWidget* m_pictureColumn = nullptr;
};
