#include "stamps/StampFormViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/Reading.h"
#include "app/Saving.h"
#include "app/SharedState.h"
#include "platform/core/PictureFile.h"
#include "platform/core/Pictures.h"
#include "platform/gui/Alert.h"
#include "platform/gui/Camera.h"
#include "platform/gui/DocumentPicker.h"
#include "platform/gui/Pasteboard.h"
#include "platform/gui/StatusLine.h"
#include "platform/gui/Styling.h"
#include "platform/gui/SymbolIcons.h"
#include "platform/gui/TextFields.h"
#include "stamps/InputFilter.h"
#include "stamps/ReferencePicker.h"
#include "stamps/StampName.h"
#include "store/Entities.h"
#include "store/NumberText.h"
#include "store/ObjectContext.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr double StoredPictureQuality = 0.6;
constexpr QSize PictureSize(240, 240);
// Beside the picture, fields wider than this would only spread their texts apart.
constexpr int WidestFieldsColumn = 560;
// The picture with its buttons below it, each of a useful width.
constexpr int WidestPictureColumn = 2 * PictureSize.width();

} // namespace

const QList<StampFormViewController::Field>& StampFormViewController::fields()
{
    using Kind = Field::Kind;
    using F = StampFormViewController;
    static const QList<Field> all = {
        {"denomination", &F::DenominationTextField, "DenominationTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Denomination"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Denomination: "), Kind::Text, 0, false},
        {"yearOfIssue", &F::YearOfIssueTextField, "YearOfIssueTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Year of Issue"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Year Issued: "), Kind::WholeNumber, 0,
         false},
        {"descrip", &F::DescripTextField, "DescripTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Description"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Description: "), Kind::Text, 0, false},
        {"country", &F::CountryTextField, "CountryTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Country"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Country: "), Kind::Picked, 3, false},
        {"perforations", &F::PerforationsTextField, "PerforationsTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Perforations"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Perforations: "), Kind::Picked, 9, true},
        {"gum", &F::GumTextField, "GumTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Gum"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Gum: "), Kind::Picked, 6, true},
        {"margins", &F::m_marginsField, nullptr,
         QT_TRANSLATE_NOOP("StampFormViewController", "Margins"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Margins: "), Kind::Picked, 7, true},
        {"scottNumber", &F::ScottNumberTextField, "ScottNumberTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Scott #"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Scott #: "), Kind::Text, 0, false},
        {"paper", &F::PaperTextField, "PaperTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Paper"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Paper: "), Kind::Picked, 8, true},
        {"color", &F::ColorTextField, "ColorTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Color"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Color: "), Kind::Text, 0, false},
        {"grade", &F::GradeTextField, "GradeTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Grade"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Grade: "), Kind::Picked, 5, false},
        {"condition", &F::ConditionTextField, "ConditionTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Condition"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Condition: "), Kind::Picked, 2, false},
        {"series", &F::SeriesTextField, "SeriesTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Series"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Series: "), Kind::Picked, 10, false},
        {"centering", &F::CenteredTextField, "CenteredTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Centered"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Centered: "), Kind::Picked, 1, true},
        {"status", &F::StatusTextField, "StatusTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Status"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Status: "), Kind::Picked, 11, false},
        {"faults", &F::FaultsTextField, "FaultsTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Faults"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Faults: "), Kind::Picked, 4, true},
        {"quantity", &F::QuantityTextField, "QuantityTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Quantity"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Quantity: "), Kind::WholeNumber, 0, false},
        {"cost", &F::CostTextField, "CostTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Cost"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Cost: "), Kind::Amount, 0, false},
        {"value", &F::EstValueTextField, "EstValueTextField",
         QT_TRANSLATE_NOOP("StampFormViewController", "Est. Value"),
         QT_TRANSLATE_NOOP("StampFormViewController", "Est. Value: "), Kind::Amount, 0, false},
    };
    return all;
}

StampFormViewController::StampFormViewController(const QString& name,
                                                 const QString& marginsOutletName,
                                                 Environment& environment, QObject* parent)
    : ViewController(name, parent), m_environment(environment),
      m_marginsOutletName(marginsOutletName)
{}

QLineEdit* StampFormViewController::textField(const Field& field) const
{
    return this->*field.outlet;
}

ReferencePicker* StampFormViewController::picker(int tag) const
{
    return tag >= 1 && tag <= m_pickers.size() ? m_pickers.at(tag - 1) : nullptr;
}

QLineEdit* StampFormViewController::makeField(QWidget* parent, const Field& field)
{
    auto* input = new QLineEdit(parent);
    input->setObjectName(field.outletName ? QString::fromLatin1(field.outletName)
                                          : m_marginsOutletName);
    if (field.kind == Field::Kind::WholeNumber || field.kind == Field::Kind::Amount) {
        const int tag = field.kind == Field::Kind::WholeNumber ? InputFilter::WholeNumberTag
                                                               : InputFilter::AmountTag;
        input->setValidator(new NumericFieldValidator(tag, input));
        input->setInputMethodHints(field.kind == Field::Kind::WholeNumber
                                       ? Qt::ImhDigitsOnly
                                       : Qt::ImhFormattedNumbersOnly);
    }
    TextFields::holdAnyLength(input);
    Styling::styleTextField(input);
    return input;
}

void StampFormViewController::buildView(QWidget* view)
{
    auto* outer = new QVBoxLayout(view);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(view);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);
    auto* content = new QWidget(scroll);
    scroll->setWidget(content);

    auto* layout = new QVBoxLayout(content);
    m_columns = new QBoxLayout(QBoxLayout::TopToBottom);
    layout->addLayout(m_columns);
    layout->addStretch();

    m_fieldsColumn = new QWidget(content);
    m_fieldsColumn->setObjectName(QStringLiteral("FieldsColumn"));
    auto* form = new QFormLayout(m_fieldsColumn);
    form->setContentsMargins(0, 0, 0, 0);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    m_columns->addWidget(m_fieldsColumn, 1, Qt::AlignTop);
    m_pictureColumn = new QWidget(content);
    QWidget* pictureColumn = m_pictureColumn;
    pictureColumn->setObjectName(QStringLiteral("PictureColumn"));
    auto* pictureLayout = new QVBoxLayout(pictureColumn);
    pictureLayout->setContentsMargins(0, 0, 0, 0);
    m_columns->addWidget(pictureColumn, 1, Qt::AlignTop);
    // What a wide window has beyond both columns stays on the right.
    m_columns->addStretch();
    // A click anywhere outside the inputs closes the keyboard, as a tap on a tablet does.
    for (QWidget* background : {content, m_fieldsColumn, pictureColumn})
        background->installEventFilter(this);
    // The columns follow the width the form is given.
    view->installEventFilter(this);

    const QStringList required = {QStringLiteral("denomination"), QStringLiteral("yearOfIssue"),
                                  QStringLiteral("country")};
    for (const Field& field : fields()) {
        QLineEdit* input = makeField(m_fieldsColumn, field);
        this->*field.outlet = input;
        auto* label = new QLabel(tr(field.title), m_fieldsColumn);
        if (m_marksRequiredFields && required.contains(QLatin1String(field.key)))
            Styling::styleRequiredLabel(label);
        form->addRow(label, input);
    }
    for (const ReferencePicker::Description& description : ReferencePicker::descriptions()) {
        const auto field = std::find_if(fields().cbegin(), fields().cend(), [&](const Field& f) {
            return f.pickerTag == description.tag;
        });
        m_pickers << new ReferencePicker(description, textField(*field), m_environment, this);
    }

    NotesTextView = new QPlainTextEdit(m_fieldsColumn);
    NotesTextView->setObjectName(QStringLiteral("NotesTextView"));
    NotesTextView->setMinimumHeight(80);
    NotesTextView->setMaximumHeight(140);
    form->addRow(new QLabel(tr("Notes"), m_fieldsColumn), NotesTextView);

    StampImage = new QLabel(pictureColumn);
    StampImage->setObjectName(QStringLiteral("StampImage"));
    StampImage->setMinimumSize(PictureSize);
    StampImage->setAlignment(Qt::AlignCenter);
    Styling::stylePicture(StampImage);
    StampImage->installEventFilter(this);
    pictureLayout->addWidget(StampImage, 0, Qt::AlignHCenter);

    auto* buttons = new QHBoxLayout;
    const auto makeButton = [&](QPushButton*& outlet, const char* name, const char* symbol,
                                void (StampFormViewController::*action)()) {
        outlet = new QPushButton(pictureColumn);
        outlet->setObjectName(QString::fromLatin1(name));
        outlet->setIcon(SymbolIcons::icon(QString::fromLatin1(symbol)));
        outlet->setToolTip(SymbolIcons::fallbackTitle(QString::fromLatin1(symbol)));
        Styling::styleButton(outlet);
        connect(outlet, &QPushButton::clicked, this, action);
        buttons->addWidget(outlet);
    };
    makeButton(CameraButton, "CameraButton", "camera.fill",
               &StampFormViewController::OpenFrontCamera);
    makeButton(PhotoLibraryButton, "PhotoLibraryButton", "folder.fill",
               &StampFormViewController::AttachFrontImage);
    makeButton(PasteButton, "PasteButton", "doc.on.clipboard.fill",
               &StampFormViewController::PasteFromClipboard);
    makeButton(RemoveImageButton, "RemoveImageButton", "delete.right.fill",
               &StampFormViewController::RemoveFrontImage);
    pictureLayout->addLayout(buttons);
    addFormControls(pictureLayout);

    Styling::styleTextView(NotesTextView);
}

void StampFormViewController::layOutForWidth(int width)
{
    const bool beside = width >= TwoColumnWidth;
    const QBoxLayout::Direction direction =
        beside ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom;
    if (m_columns->direction() == direction)
        return;
    m_columns->setDirection(direction);
    m_fieldsColumn->setMaximumWidth(beside ? WidestFieldsColumn : QWIDGETSIZE_MAX);
    m_pictureColumn->setMaximumWidth(beside ? WidestPictureColumn : QWIDGETSIZE_MAX);
}

void StampFormViewController::viewDidLoad()
{
    ObjectContext& context = m_environment.appDelegate.viewContext();
    // The lists are read together: a store that refuses one refuses them all, told once.
    for (ReferencePicker* picker : std::as_const(m_pickers)) {
        if (const StoreResult<> loaded = picker->load(context); !loaded) {
            Reading::tellNotRead(m_environment, loaded.error());
            break;
        }
    }
}

void StampFormViewController::rememberShownValues()
{
    ViewController::rememberShownValues();
    rememberShownPicture();
}

bool StampFormViewController::hasUnsavedChanges() const
{
    return ViewController::hasUnsavedChanges() || m_shownPicture != m_rememberedPicture;
}

bool StampFormViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (isViewLoaded() && watched == view() && event->type() == QEvent::Resize) {
        layOutForWidth(static_cast<QResizeEvent*>(event)->size().width());
        return false;
    }
    if (watched == StampImage && event->type() == QEvent::MouseButtonDblClick) {
        pictureDoubleClicked();
        return true;
    }
    if (watched != StampImage && watched != view() && event->type() == QEvent::MouseButtonPress)
        dismissKeyboard();
    return ViewController::eventFilter(watched, event);
}

void StampFormViewController::setShownPicture(const QImage& picture)
{
    m_shownPicture = picture;
    if (!StampImage)
        return;
    if (picture.isNull()) {
        StampImage->clear();
        return;
    }
    StampImage->setPixmap(QPixmap::fromImage(
        picture.scaled(PictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

Result<std::optional<QByteArray>> StampFormViewController::encodedShownPicture() const
{
    if (m_shownPicture.isNull())
        return std::optional<QByteArray>();
    Result<QByteArray> jpeg =
        m_environment.services.pictures.encodeJpeg(m_shownPicture, StoredPictureQuality);
    if (!jpeg)
        return Failure{jpeg.error()};
    return std::optional<QByteArray>(std::move(jpeg).value());
}

void StampFormViewController::dismissKeyboard()
{
    if (QWidget* focused = isViewLoaded() ? view()->focusWidget() : nullptr)
        focused->clearFocus();
}

void StampFormViewController::OpenFrontCamera()
{
    Camera& camera = m_environment.services.camera;
    if (!camera.isAvailable()) {
        m_environment.services.alerts.present(
            Alert::withOk(tr("Camera"), tr("There is no camera available")));
        return;
    }
    camera.capture(view(), [this](const QImage& picture) {
        if (picture.isNull())
            return;
        chosenStampImage = picture;
        setShownPicture(picture);
    });
}

void StampFormViewController::AttachFrontImage()
{
    m_environment.services.documentPicker.pickFile(
        view(), tr("Choose a Picture"),
        {tr("Pictures (*.jpg *.jpeg *.png *.bmp *.gif *.webp *.tif *.tiff)"), tr("All files (*)")},
        [this](const QString& path) {
            if (!path.isEmpty())
                showPictureFile(path);
        });
}

void StampFormViewController::showPictureFile(const QString& path)
{
    const Result<QImage> picture = readPictureFile(path, m_environment.services.pictures);
    if (!picture) {
        // The picture shown stays as it was.
        m_environment.services.alerts.present(
            Alert::withOk(tr("Picture Not Loaded"), picture.error()));
        return;
    }
    setShownPicture(*picture);
}

void StampFormViewController::PasteFromClipboard()
{
    Pasteboard& pasteboard = m_environment.services.pasteboard;
    if (!pasteboard.hasImages()) {
        m_environment.services.alerts.present(
            Alert::withOk(tr("Clipboard"), tr("There is no image in the Clipboard")));
        return;
    }
    const Result<QImage, PictureRefusal> picture = pasteboard.image();
    if (!picture) {
        // The picture shown stays as it was.
        const PictureRefusal& refusal = picture.error();
        m_environment.services.alerts.present(
            Alert::withOk(tr("Picture Not Loaded"),
                          refusal.tooLarge.isValid()
                              ? tr("The picture in the Clipboard is %1").arg(refusal.text())
                              : tr("The picture in the Clipboard could not be read.")));
        return;
    }
    setShownPicture(*picture);
}

void StampFormViewController::RemoveFrontImage()
{
    setShownPicture(QImage());
}

bool StampFormViewController::numbersAreValid()
{
    for (const Field& field : fields()) {
        const QString text = textField(field)->text();
        if (text.isEmpty())
            continue;
        const QString title = tr(field.title);
        if (field.kind == Field::Kind::WholeNumber && !NumberText::readWholeNumber(text)) {
            // The range itself, for a year too: an example would not say what was wrong.
            Saving::tellRecordNotSaved(
                m_environment, tr("%1 must be a whole number from -32768 to 32767").arg(title));
            return false;
        }
        if (field.kind == Field::Kind::Amount && !NumberText::readTypedAmount(text)) {
            Saving::tellRecordNotSaved(m_environment, tr("%1 is not a number").arg(title));
            return false;
        }
    }
    return true;
}

void StampFormViewController::returnToOpeningScreen(std::span<const OpeningScreen* const> openers)
{
    for (const OpeningScreen* opener : openers) {
        if (m_environment.shared.marker == QLatin1String(opener->marker)) {
            performSegue(QString::fromLatin1(opener->unwind), this);
            return;
        }
    }
}

QString StampFormViewController::savedText(const Stamps& stamp)
{
    const QString name = StampName::of(stamp);
    return name.isEmpty() ? tr("Saved a stamp") : tr("Saved %1").arg(name);
}

void StampFormViewController::showValuesOf(const Stamps& stamp)
{
    for (const Field& field : fields()) {
        const QVariant value = stamp.value(QString::fromLatin1(field.key));
        QString text;
        switch (field.kind) {
        case Field::Kind::Text:
        case Field::Kind::Picked:
            text = value.toString();
            break;
        case Field::Kind::WholeNumber:
            text = QString::number(value.toInt());
            break;
        case Field::Kind::Amount:
            text = NumberText::shownAmount(value.toFloat());
            break;
        }
        textField(field)->setText(text);
    }
}
