#include "LocaleScope.h"
#include "ScreenOnStack.h"
#include "TestEnvironment.h"
#include "platform/gui/NavigationController.h"
#include "stamps/AddViewController.h"
#include "stamps/EditViewController.h"
#include "stamps/InputFilter.h"
#include "stamps/ReferencePicker.h"
#include "store/ObjectContext.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

// The unwinds the forms perform, answered by the screen below them.
const QStringList FormUnwinds = {QStringLiteral("unwindToMenu"), QStringLiteral("unwindToList"),
                                 QStringLiteral("unwindToYearTableView")};

// A form on a navigation stack above the screen that opened it.
template <class Form> using FormOnStack = ScreenOnStack<Form>;

// Picture coding whose JPEG writer refuses, as a full disk or a broken codec would: the one
// failure of the coding a test cannot bring about for real.
class RefusingJpegPictures final : public Pictures
{
public:
    Result<QImage, PictureRefusal> read(const QByteArray& bytes) const override
    {
        return m_real.read(bytes);
    }
    QImage decodeScaled(const QByteArray& bytes, const QSize& boundingSize) const override
    {
        return m_real.decodeScaled(bytes, boundingSize);
    }
    Result<QByteArray> encodeJpeg(const QImage&, double) const override
    {
        return Failure{QStringLiteral("A picture could not be saved as JPEG: no codec")};
    }

private:
    QtPictures m_real;
};

// Either form on its stack, for what both must do alike.
struct EitherForm
{
    EitherForm(TestEnvironment& test, bool edit, Stamps* stamp)
    {
        if (edit) {
            editing =
                std::make_unique<FormOnStack<EditViewController>>(FormUnwinds, test.environment());
            editing->screen->setDetailItem(stamp);
            form = editing->screen;
            navigation = editing->navigation.get();
            opener = editing->opener;
        } else {
            adding =
                std::make_unique<FormOnStack<AddViewController>>(FormUnwinds, test.environment());
            form = adding->screen;
            navigation = adding->navigation.get();
            opener = adding->opener;
        }
    }
    void save() const
    {
        if (editing)
            editing->screen->SaveButtonClicked();
        else
            adding->screen->SaveNewStampButtonClicked();
    }

    std::unique_ptr<FormOnStack<AddViewController>> adding;
    std::unique_ptr<FormOnStack<EditViewController>> editing;
    StampFormViewController* form = nullptr;
    NavigationController* navigation = nullptr;
    UnwindStub* opener = nullptr;
};

// Where a widget lies in the form's view.
QRect placeInView(StampFormViewController* form, const QWidget* widget)
{
    return QRect(widget->mapTo(form->view(), QPoint()), widget->size());
}

QImage samplePicture(QSize size = QSize(64, 48))
{
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(QColor(200, 30, 30, 128));
    return picture;
}

QSize storedPictureSize(const Stamps* stamp)
{
    if (!stamp)
        return {};
    const std::optional<QByteArray> bytes = stamp->stampImage();
    if (!bytes || !bytes->startsWith("\xFF\xD8"))
        return {};
    return QImage::fromData(*bytes).size();
}

// A picture file whose header claims 30000 x 30000 pixels: more than Qt decodes, in a few bytes.
QByteArray hugeGraymap()
{
    return QByteArrayLiteral("P5\n30000 30000\n255\n") + QByteArray(16, '\x7f');
}

void fillRequired(StampFormViewController* form)
{
    form->DenominationTextField->setText(QStringLiteral("5c"));
    form->YearOfIssueTextField->setText(QStringLiteral("1962"));
    form->CountryTextField->setText(QStringLiteral("Malta"));
}

Stamps* addStamp(ObjectContext& context, const QString& denomination, qint16 year,
                 const QString& scottNumber)
{
    auto* stamp = context.insertNewObject<Stamps>();
    stamp->setDenomination(denomination);
    stamp->setYearOfIssue(year);
    stamp->setScottNumber(scottNumber);
    stamp->setCountry(QStringLiteral("Malta"));
    return stamp;
}

} // namespace

class StampFormsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_locale.emplace(Locales::unitedStates()); }
    void cleanup() { m_locale.reset(); }

    void requiredFieldsAreCheckedInOrder()
    {
        TestEnvironment test;
        test.shared().marker = QStringLiteral("Menu");
        FormOnStack<AddViewController> stack(FormUnwinds, test.environment());
        AddViewController* form = stack.screen;

        form->DenominationTextField->setText(QStringLiteral("5c"));
        form->CountryTextField->setText(QStringLiteral("Malta"));
        form->SaveNewStampButtonClicked();
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Record not Saved!"));
        QCOMPARE(test.alerts.last().message, QStringLiteral("Required Fields in RED not Entered"));
        QCOMPARE(RecordingAlertPresenter::buttonTitles(test.alerts.last()),
                 QStringList{QStringLiteral("OK")});
        QVERIFY(!test.context().hasChanges());
        QVERIFY(test.context().fetch<Stamps>().value().isEmpty());
        QVERIFY(stack.screenIsShown());

        // A denomination of spaces is not empty: it passes and is stored trimmed.
        form->DenominationTextField->setText(QStringLiteral("   "));
        form->YearOfIssueTextField->setText(QStringLiteral("1962"));
        form->SaveNewStampButtonClicked();
        const QList<Stamps*> stamps = test.context().fetch<Stamps>().value();
        QCOMPARE(stamps.size(), 1);
        QCOMPARE(stamps.first()->denomination(), std::optional<QString>(QString()));
        QCOMPARE(stack.opener->unwinds, QStringList{QStringLiteral("unwindToMenu")});
    }

    void filterJudgesTheInsertedTextAsAWhole()
    {
        QVERIFY(!InputFilter::shouldChangeCharacters(1, QStringLiteral("12a")));
        QVERIFY(!InputFilter::shouldChangeCharacters(1, QStringLiteral(".")));
        QVERIFY(InputFilter::shouldChangeCharacters(2, QStringLiteral(".")));
        QVERIFY(InputFilter::shouldChangeCharacters(2, QStringLiteral("1.2.3")));
        QVERIFY(InputFilter::shouldChangeCharacters(1, QString()));
        QVERIFY(InputFilter::shouldChangeCharacters(1, QString::fromUtf8("١٩٦٢")));
        QVERIFY(!InputFilter::shouldChangeCharacters(2, QString::fromUtf8("١")));

        TestEnvironment test;
        AddViewController form(test.environment());
        form.view();
        QTest::keyClicks(form.YearOfIssueTextField, QStringLiteral("19a6.2"));
        QCOMPARE(form.YearOfIssueTextField->text(), QStringLiteral("1962"));
        form.CostTextField->insert(QStringLiteral("12a"));
        QCOMPARE(form.CostTextField->text(), QString());
        form.CostTextField->insert(QStringLiteral("1.2.3"));
        QCOMPARE(form.CostTextField->text(), QStringLiteral("1.2.3"));
        QTest::keyClick(form.CostTextField, Qt::Key_Backspace);
        QCOMPARE(form.CostTextField->text(), QStringLiteral("1.2."));
        // Texts are free in the other fields.
        QTest::keyClicks(form.DenominationTextField, QStringLiteral("5c a"));
        QCOMPARE(form.DenominationTextField->text(), QStringLiteral("5c a"));
    }

    void amountFieldsTakeTheLocalesDecimalSeparator()
    {
        const LocaleScope german(Locales::germany());
        QVERIFY(InputFilter::shouldChangeCharacters(InputFilter::AmountTag, QStringLiteral(",")));
        QVERIFY(
            !InputFilter::shouldChangeCharacters(InputFilter::WholeNumberTag, QStringLiteral(",")));
        QVERIFY(!InputFilter::shouldChangeCharacters(InputFilter::AmountTag, QStringLiteral("'")));
        TestEnvironment test;
        AddViewController form(test.environment());
        form.view();
        QTest::keyClicks(form.CostTextField, QStringLiteral("12,5"));
        QCOMPARE(form.CostTextField->text(), QStringLiteral("12,5"));
        QTest::keyClicks(form.QuantityTextField, QStringLiteral("1,2"));
        QCOMPARE(form.QuantityTextField->text(), QStringLiteral("12"));

        const LocaleScope english(Locales::unitedStates());
        QVERIFY(!InputFilter::shouldChangeCharacters(InputFilter::AmountTag, QStringLiteral(",")));
        QTest::keyClicks(form.EstValueTextField, QStringLiteral("12,5"));
        QCOMPARE(form.EstValueTextField->text(), QStringLiteral("125"));
    }

    void addStoresTrimmedTextsNumbersAndPicture()
    {
        TestEnvironment test;
        test.shared().marker = QStringLiteral("CountryBreakdown");
        FormOnStack<AddViewController> stack(FormUnwinds, test.environment());
        AddViewController* form = stack.screen;
        fillRequired(form);
        form->DenominationTextField->setText(QStringLiteral(" \t5c\t "));
        form->ColorTextField->setText(QStringLiteral("  deep red "));
        form->CostTextField->setText(QStringLiteral("$12.50"));
        form->EstValueTextField->setText(QStringLiteral("1,234.50"));
        form->QuantityTextField->setText(QStringLiteral("-3"));
        form->NotesTextView->setPlainText(QStringLiteral("  first\nsecond\t"));
        QGuiApplication::clipboard()->setImage(samplePicture());
        form->PasteFromClipboard();
        form->SaveNewStampButtonClicked();

        const QList<Stamps*> stamps = test.context().fetch<Stamps>().value();
        QCOMPARE(stamps.size(), 1);
        const Stamps* stamp = stamps.first();
        QCOMPARE(stamp->denomination(), std::optional<QString>(QStringLiteral("5c")));
        QCOMPARE(stamp->color(), std::optional<QString>(QStringLiteral("deep red")));
        QCOMPARE(stamp->cost(), 12.5f);
        QCOMPARE(stamp->value(), 1234.5f);
        QCOMPARE(stamp->quantity(), qint16(-3));
        QCOMPARE(stamp->yearOfIssue(), qint16(1962));
        QCOMPARE(stamp->notes(), std::optional<QString>(QStringLiteral("first\nsecond")));
        // Fields left empty stay absent, the cancellation is never written.
        QCOMPARE(stamp->scottNumber(), std::nullopt);
        QCOMPARE(stamp->cancellation(), std::nullopt);
        QCOMPARE(storedPictureSize(stamp), QSize(64, 48));

        // An unknown marker keeps the form open; a second save records a second stamp.
        QVERIFY(stack.screenIsShown());
        QVERIFY(stack.opener->unwinds.isEmpty());
        form->SaveNewStampButtonClicked();
        QCOMPARE(test.context().fetch<Stamps>().value().size(), 2);
    }

    void addReturnsToTheScreenThatOpenedIt()
    {
        TestEnvironment test;
        test.shared().marker = QStringLiteral("Master");
        FormOnStack<AddViewController> stack(FormUnwinds, test.environment());
        fillRequired(stack.screen);
        stack.screen->SaveNewStampButtonClicked();
        QCOMPARE(stack.opener->unwinds, QStringList{QStringLiteral("unwindToList")});
        QCOMPARE(stack.navigation->topViewController(), stack.opener);
    }

    void numbersThatDoNotFitAreRefusedAndNothingIsStored_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("year beyond 16 bits")
            << QStringLiteral("YearOfIssueTextField") << QStringLiteral("40000")
            << QStringLiteral("Year of Issue must be a whole number from -32768 to 32767");
        QTest::newRow("quantity beyond 16 bits")
            << QStringLiteral("QuantityTextField") << QStringLiteral("99999")
            << QStringLiteral("Quantity must be a whole number from -32768 to 32767");
        QTest::newRow("cost with two points")
            << QStringLiteral("CostTextField") << QStringLiteral("1.2.3")
            << QStringLiteral("Cost is not a number");
        QTest::newRow("est. value a point alone")
            << QStringLiteral("EstValueTextField") << QStringLiteral(".")
            << QStringLiteral("Est. Value is not a number");
    }

    void numbersThatDoNotFitAreRefusedAndNothingIsStored()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        TestEnvironment test;
        test.shared().marker = QStringLiteral("Menu");
        FormOnStack<AddViewController> stack(FormUnwinds, test.environment());
        AddViewController* form = stack.screen;
        fillRequired(form);
        auto* edit = form->view()->findChild<QLineEdit*>(field);
        QVERIFY(edit);
        edit->setText(typed);
        form->SaveNewStampButtonClicked();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Record not Saved!"));
        QCOMPARE(test.alerts.last().message, message);
        QVERIFY(test.context().fetch<Stamps>().value().isEmpty());
        QVERIFY(stack.screenIsShown());
    }

    void aFailedSaveIsShownAndRolledBack()
    {
        TestEnvironment test;
        test.shared().marker = QStringLiteral("Menu");
        FormOnStack<AddViewController> stack(FormUnwinds, test.environment());
        fillRequired(stack.screen);
        test.context().failNextSaveForTesting(QStringLiteral("disk full"));
        stack.screen->SaveNewStampButtonClicked();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Record not Saved!"));
        QCOMPARE(test.alerts.last().message, QStringLiteral("disk full"));
        QVERIFY(!test.context().hasChanges());
        QVERIFY(test.context().fetch<Stamps>().value().isEmpty());
        QVERIFY(stack.screenIsShown());
        // Saving again works and returns.
        stack.screen->SaveNewStampButtonClicked();
        QCOMPARE(test.context().fetch<Stamps>().value().size(), 1);
        QCOMPARE(stack.opener->unwinds, QStringList{QStringLiteral("unwindToMenu")});
    }

    void picturesComeFromFilesAndTheClipboard()
    {
        TestEnvironment test;
        AddViewController form(test.environment());
        form.view();
        QTemporaryDir folder;
        const QString png = folder.filePath(QStringLiteral("stamp.png"));
        QVERIFY(samplePicture(QSize(30, 20)).save(png));
        test.documentPicker.setNextFile(png);
        form.AttachFrontImage();
        QCOMPARE(form.shownPicture().size(), QSize(30, 20));
        fillRequired(&form);
        form.SaveNewStampButtonClicked();
        QCOMPARE(storedPictureSize(test.context().fetch<Stamps>().value().value(0)), QSize(30, 20));

        // A file that is not a picture is reported and leaves the picture as it was.
        const QString text = folder.filePath(QStringLiteral("notes.txt"));
        QFile file(text);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
        file.close();
        test.documentPicker.setNextFile(text);
        form.AttachFrontImage();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Picture Not Loaded"));
        QVERIFY(test.alerts.last().message.contains(QStringLiteral("notes.txt")));
        QCOMPARE(form.shownPicture().size(), QSize(30, 20));

        QGuiApplication::clipboard()->setText(QStringLiteral("just text"));
        form.PasteFromClipboard();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Clipboard"));
        QCOMPARE(test.alerts.last().message, QStringLiteral("There is no image in the Clipboard"));
        QCOMPARE(form.shownPicture().size(), QSize(30, 20));

        test.camera.setAvailable(false);
        form.OpenFrontCamera();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Camera"));
        QCOMPARE(test.alerts.last().message, QStringLiteral("There is no camera available"));
        test.camera.setAvailable(true);
        test.camera.setNextPicture(samplePicture(QSize(80, 60)));
        form.OpenFrontCamera();
        QCOMPARE(form.shownPicture().size(), QSize(80, 60));
        QCOMPARE(form.chosenStampImage.size(), QSize(80, 60));

        form.RemoveFrontImage();
        QVERIFY(form.shownPicture().isNull());
    }

    void aClipboardPictureThatDoesNotDecodeIsToldAndKeepsTheShownOne()
    {
        TestEnvironment test;
        AddViewController form(test.environment());
        form.view();
        QGuiApplication::clipboard()->setImage(samplePicture(QSize(30, 20)));
        form.PasteFromClipboard();
        QCOMPARE(form.shownPicture().size(), QSize(30, 20));

        auto* broken = new QMimeData;
        broken->setData(QStringLiteral("image/png"), QByteArrayLiteral("\x89PNG broken"));
        QGuiApplication::clipboard()->setMimeData(broken);
        form.PasteFromClipboard();
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Picture Not Loaded"));
        QCOMPARE(test.alerts.last().message,
                 QStringLiteral("The picture in the Clipboard could not be read."));
        QCOMPARE(form.shownPicture().size(), QSize(30, 20));

        auto* huge = new QMimeData;
        huge->setData(QStringLiteral("image/x-portable-graymap"), hugeGraymap());
        QGuiApplication::clipboard()->setMimeData(huge);
        form.PasteFromClipboard();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Picture Not Loaded"));
        QCOMPARE(test.alerts.last().message,
                 QStringLiteral("The picture in the Clipboard is too large: 30000 x 30000 pixels"));
        QCOMPARE(form.shownPicture().size(), QSize(30, 20));
    }

    void pickersOfferTheListsSorted()
    {
        TestEnvironment test;
        for (const char* gum : {"Original", "Fine", "Spotty"})
            test.context().insertNewObject<GumList>()->setGum(QString::fromLatin1(gum));
        QVERIFY(test.context().save());
        AddViewController form(test.environment());
        form.view();

        ReferencePicker* gums = form.picker(6);
        QCOMPARE(gums->objectName(), QStringLiteral("GumPickerView"));
        QCOMPARE(gums->list(), (QStringList{QStringLiteral("Fine"), QStringLiteral("Original"),
                                            QStringLiteral("Spotty")}));
        QCOMPARE(form.picker(3)->numberOfRows(), 0);
        QCOMPARE(form.picker(12), nullptr);
        gums->open();
        QCOMPARE(gums->pickerView()->currentRow(), 0);
        QCOMPARE(form.GumTextField->text(), QString());
        gums->didSelectRow(1);
        QCOMPARE(form.GumTextField->text(), QStringLiteral("Original"));
    }

    void editShowsTheRecordAndSavesItUnchanged()
    {
        TestEnvironment test;
        Stamps* stamp = addStamp(test.context(), QStringLiteral("5c"), 1962, QStringLiteral("A12"));
        stamp->setValue(1234.5f);
        stamp->setCost(0.5f);
        stamp->setPerforations(QStringLiteral(" 12 "));
        QVERIFY(test.context().save());
        test.shared().marker = QStringLiteral("YearBreakdown");
        FormOnStack<EditViewController> stack(FormUnwinds, test.environment());
        stack.screen->setDetailItem(stamp);

        QCOMPARE(stack.screen->EstValueTextField->text(), QStringLiteral("1,234.50"));
        QCOMPARE(stack.screen->CostTextField->text(), QStringLiteral("0.50"));
        QCOMPARE(stack.screen->YearOfIssueTextField->text(), QStringLiteral("1962"));
        QCOMPARE(stack.screen->MarginTextField->text(), QString());
        stack.screen->SaveButtonClicked();
        QCOMPARE(stamp->value(), 1234.5f);
        QCOMPARE(stamp->cost(), 0.5f);
        // Perforations are stored as shown, untrimmed; absent texts become empty texts.
        QCOMPARE(stamp->perforations(), std::optional<QString>(QStringLiteral(" 12 ")));
        QCOMPARE(stamp->margins(), std::optional<QString>(QString()));
        QCOMPARE(stack.opener->unwinds, QStringList{QStringLiteral("unwindToYearTableView")});
    }

    void anAmountLeftAsShownIsSavedUnchanged()
    {
        const LocaleScope german(Locales::germany());
        TestEnvironment test;
        Stamps* stamp = addStamp(test.context(), QStringLiteral("5c"), 1962, QString());
        stamp->setValue(1234.5f);
        stamp->setCost(12.345f);
        QVERIFY(test.context().save());
        EditViewController form(test.environment());
        form.view();
        form.setDetailItem(stamp);
        QCOMPARE(form.EstValueTextField->text(), QStringLiteral("1.234,50"));
        QCOMPARE(form.CostTextField->text(), QStringLiteral("12,35"));
        form.SaveButtonClicked();
        QCOMPARE(stamp->value(), 1234.5f);
        // Two decimals are shown, but the amount keeps the digits it was stored with.
        QCOMPARE(stamp->cost(), 12.345f);
    }

    void editedAmountsKeepTheirMagnitudeInEveryLocale()
    {
        TestEnvironment test;
        Stamps* stamp = addStamp(test.context(), QStringLiteral("5c"), 1962, QString());
        stamp->setCost(12.5f);
        stamp->setValue(1234.5f);
        QVERIFY(test.context().save());
        EditViewController form(test.environment());
        form.view();
        std::optional<LocaleScope> locale;

        // The collector deletes the last digit of "12,50" and types a German amount.
        locale.emplace(Locales::germany());
        form.setDetailItem(stamp);
        QCOMPARE(form.CostTextField->text(), QStringLiteral("12,50"));
        QTest::keyClick(form.CostTextField, Qt::Key_Backspace);
        QCOMPARE(form.CostTextField->text(), QStringLiteral("12,5"));
        form.EstValueTextField->clear();
        QTest::keyClicks(form.EstValueTextField, QStringLiteral("1.234,5"));
        form.SaveButtonClicked();
        QVERIFY(test.alerts.alerts().isEmpty());
        QCOMPARE(stamp->cost(), 12.5f);
        QCOMPARE(stamp->value(), 1234.5f);

        // French groups thousands with a narrow no-break space.
        locale.emplace(Locales::france());
        form.setDetailItem(stamp);
        QCOMPARE(form.EstValueTextField->text(), QString::fromUtf8("1\u202F234,50"));
        QTest::keyClick(form.EstValueTextField, Qt::Key_Backspace);
        QTest::keyClick(form.EstValueTextField, Qt::Key_Backspace);
        QTest::keyClicks(form.EstValueTextField, QStringLiteral("7"));
        form.SaveButtonClicked();
        QVERIFY(test.alerts.alerts().isEmpty());
        QCOMPARE(stamp->value(), 1234.7f);
        QCOMPARE(stamp->cost(), 12.5f);

        // In English a comma still only groups, wherever it stands.
        locale.emplace(Locales::unitedStates());
        form.setDetailItem(stamp);
        form.CostTextField->setText(QStringLiteral("12,5"));
        form.SaveButtonClicked();
        QVERIFY(test.alerts.alerts().isEmpty());
        QCOMPARE(stamp->cost(), 125.0f);
    }

    void emptyEditInputsStoreEmptyTextsAndZeros()
    {
        TestEnvironment test;
        Stamps* stamp = addStamp(test.context(), QStringLiteral("5c"), 1962, QStringLiteral("A12"));
        stamp->setQuantity(4);
        stamp->setValue(3.0f);
        stamp->setNotes(QStringLiteral("old"));
        QVERIFY(test.context().save());
        test.shared().marker = QStringLiteral("Elsewhere");
        FormOnStack<EditViewController> stack(FormUnwinds, test.environment());
        stack.screen->setDetailItem(stamp);
        for (const StampFormViewController::Field& field : StampFormViewController::fields())
            stack.screen->textField(field)->clear();
        stack.screen->NotesTextView->clear();
        stack.screen->SaveButtonClicked();

        QCOMPARE(stamp->denomination(), std::optional<QString>(QString()));
        QCOMPARE(stamp->country(), std::optional<QString>(QString()));
        QCOMPARE(stamp->notes(), std::optional<QString>(QString()));
        QCOMPARE(stamp->yearOfIssue(), qint16(0));
        QCOMPARE(stamp->quantity(), qint16(0));
        QCOMPARE(stamp->value(), 0.0f);
        QVERIFY(!test.context().hasChanges());
        // No list answers this marker: the form stays.
        QVERIFY(stack.screenIsShown());
    }

    void editChangesTheOpenedStampOnly()
    {
        TestEnvironment test;
        Stamps* first = addStamp(test.context(), QStringLiteral("5c"), 1962, QStringLiteral("A12"));
        Stamps* opened =
            addStamp(test.context(), QStringLiteral("5c"), 1962, QStringLiteral("A12"));
        const QByteArray picture = test.pictures.encodeJpeg(samplePicture(), 0.6).value();
        first->setStampImage(picture);
        opened->setStampImage(picture);
        QVERIFY(test.context().save());
        EditViewController form(test.environment());
        form.view();
        form.setDetailItem(opened);
        QCOMPARE(test.shared().selectedStampRecord, opened);

        form.ColorTextField->setText(QStringLiteral("blue"));
        form.SaveButtonClicked();
        QCOMPARE(opened->color(), std::optional<QString>(QStringLiteral("blue")));
        QCOMPARE(first->color(), std::nullopt);

        form.RemoveFrontImage();
        QVERIFY(test.alerts.tap(QStringLiteral("No")));
        QVERIFY(opened->stampImage().has_value());
        QVERIFY(!form.shownPicture().isNull());
        form.RemoveFrontImage();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Remove Stamp Image"));
        QCOMPARE(test.alerts.last().message, QStringLiteral("Do You Want to Remove This Image?"));
        QVERIFY(test.alerts.tap(QStringLiteral("Yes")));
        QCOMPARE(opened->stampImage(), std::nullopt);
        QVERIFY(first->stampImage().has_value());
        QVERIFY(form.shownPicture().isNull());
        QVERIFY(!test.context().hasChanges());
    }

    void aRefusedEditSaveChangesNothing()
    {
        TestEnvironment test;
        Stamps* stamp = addStamp(test.context(), QStringLiteral("5c"), 1962, QString());
        QVERIFY(test.context().save());
        EditViewController form(test.environment());
        form.view();
        form.setDetailItem(stamp);
        form.ColorTextField->setText(QStringLiteral("blue"));
        form.QuantityTextField->setText(QStringLiteral("70000"));
        form.SaveButtonClicked();
        QCOMPARE(test.alerts.last().message,
                 QStringLiteral("Quantity must be a whole number from -32768 to 32767"));
        QCOMPARE(stamp->color(), std::nullopt);

        form.QuantityTextField->setText(QStringLiteral("7"));
        test.context().failNextSaveForTesting(QStringLiteral("disk full"));
        form.SaveButtonClicked();
        QCOMPARE(test.alerts.last().message, QStringLiteral("disk full"));
        QCOMPARE(stamp->color(), std::nullopt);
        QCOMPARE(stamp->quantity(), qint16(0));
        QVERIFY(!test.context().hasChanges());

        // Deleted meanwhile: there is nothing to save into, and the collector hears so.
        test.context().deleteObject(stamp);
        QVERIFY(test.context().save());
        form.SaveButtonClicked();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Record not Saved!"));
        QCOMPARE(test.alerts.last().message,
                 QStringLiteral("The stamp is no longer in the collection."));
    }

    void aPictureThatCannotBeStoredChangesNothing()
    {
        TestEnvironment test;
        Stamps* stamp = addStamp(test.context(), QStringLiteral("5c"), 1962, QString());
        stamp->setStampImage(test.pictures.encodeJpeg(samplePicture(), 0.6).value());
        QVERIFY(test.context().save());
        const QByteArray stored = stamp->stampImage().value();

        RefusingJpegPictures refusing;
        const Environment& real = test.environment();
        const Services& services = real.services;
        Environment environment{real.appDelegate,
                                real.shared,
                                {services.alerts, services.mainQueue, services.userDefaults,
                                 refusing, services.mail, services.messages, services.shareSheet,
                                 services.browser, services.urls, services.camera,
                                 services.documentPicker, services.pasteboard, services.printPanel,
                                 services.status},
                                real.documentsDirectory,
                                real.temporaryDirectory,
                                real.picturesDirectory};

        EditViewController edit(environment);
        edit.view();
        edit.setDetailItem(stamp);
        edit.ColorTextField->setText(QStringLiteral("blue"));
        edit.SaveButtonClicked();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Record not Saved!"));
        QCOMPARE(test.alerts.last().message,
                 QStringLiteral("A picture could not be saved as JPEG: no codec"));
        QCOMPARE(stamp->color(), std::nullopt);
        QCOMPARE(stamp->stampImage(), std::optional<QByteArray>(stored));
        QVERIFY(!test.context().hasChanges());

        AddViewController add(environment);
        add.view();
        add.DenominationTextField->setText(QStringLiteral("10c"));
        add.CountryTextField->setText(QStringLiteral("Peru"));
        add.YearOfIssueTextField->setText(QStringLiteral("1962"));
        add.setShownPicture(samplePicture());
        add.SaveNewStampButtonClicked();
        QCOMPARE(test.alerts.last().message,
                 QStringLiteral("A picture could not be saved as JPEG: no codec"));
        QCOMPARE(test.context().fetch<Stamps>().value().size(), 1);
        QVERIFY(!test.context().hasChanges());
    }

    void textsLongerThanALineEditsDefaultAreSavedWhole()
    {
        // Beyond the 32767 characters a QLineEdit keeps unless told otherwise.
        const QString typed = QStringLiteral("Penny Black, plate 1a. ").repeated(1740);
        const QString imported = QStringLiteral("Inverted Jenny ").repeated(2700);
        QVERIFY(typed.size() > 40000 && imported.size() > 40000);
        TestEnvironment test;
        const auto storedDescription = [&test] {
            const QList<Stamps*> stamps = test.context().fetch<Stamps>().value();
            return stamps.size() == 1 ? stamps.first()->descrip() : std::nullopt;
        };
        {
            AddViewController form(test.environment());
            form.view();
            fillRequired(&form);
            form.DescripTextField->insert(typed);
            form.SaveNewStampButtonClicked();
        }
        test.relaunch();
        QCOMPARE(storedDescription(), std::optional<QString>(typed.trimmed()));

        test.context().fetch<Stamps>().value().first()->setDescrip(imported);
        QVERIFY(test.context().save());
        {
            EditViewController form(test.environment());
            form.view();
            form.setDetailItem(test.context().fetch<Stamps>().value().first());
            QCOMPARE(form.DescripTextField->text().size(), imported.size());
            form.SaveButtonClicked();
        }
        test.relaunch();
        QCOMPARE(storedDescription(), std::optional<QString>(imported.trimmed()));
    }

    void shareTextListsEveryInput()
    {
        TestEnvironment test;
        Stamps* stamp = addStamp(test.context(), QStringLiteral("5c"), 1962, QStringLiteral("A12"));
        stamp->setCountry(QStringLiteral("France"));
        stamp->setValue(1234.5f);
        stamp->setNotes(QStringLiteral("line one\nline two"));
        stamp->setStampImage(test.pictures.encodeJpeg(samplePicture(), 0.6).value());
        QVERIFY(test.context().save());
        EditViewController form(test.environment());
        form.view();
        form.setDetailItem(stamp);
        form.DescripTextField->setText(QStringLiteral(" unsaved "));

        const QString expected = QStringLiteral("Denomination: 5c\n"
                                                "Year Issued: 1962\n"
                                                "Description:  unsaved \n"
                                                "Country: France\n"
                                                "Perforations: N/A\n"
                                                "Gum: N/A\n"
                                                "Margins: N/A\n"
                                                "Scott #: A12\n"
                                                "Paper: N/A\n"
                                                "Color: N/A\n"
                                                "Grade: N/A\n"
                                                "Condition: N/A\n"
                                                "Series: N/A\n"
                                                "Centered: N/A\n"
                                                "Status N/A\n"
                                                "Faults: N/A\n"
                                                "Quantity: 0\n"
                                                "Cost: $0.00\n"
                                                "Est. Value: $1,234.50\n"
                                                "Notes: line one\nline two\n");
        QCOMPARE(form.shareText().split(QLatin1Char('\n')), expected.split(QLatin1Char('\n')));

        form.shareButtonClicked();
        QCOMPARE(test.shareSheet.requests().size(), 1);
        const ShareRequest& request = test.shareSheet.requests().first();
        QCOMPARE(request.items.size(), 2);
        QCOMPARE(request.items[0].text(), expected);
        QCOMPARE(request.items[1].picture().size(), QSize(64, 48));
        QCOMPARE(request.excludedActivityTypes,
                 (QList<ActivityType>{ActivityType::AirDrop, ActivityType::AddToReadingList}));

        test.messages.setCanSendText(false);
        form.shareButtonClicked();
        QVERIFY(test.alerts.alerts().isEmpty());
        test.mainQueue.drain();
        QCOMPARE(test.alerts.last().title, QStringLiteral("Can't Send Text Message"));
        QCOMPARE(test.alerts.last().message,
                 QStringLiteral("Your device is not able to send text messages."));
        QCOMPARE(RecordingAlertPresenter::buttonTitles(test.alerts.last()),
                 QStringList{QStringLiteral("Click")});
        QCOMPARE(test.shareSheet.requests().size(), 1);
    }

    void leavingAFormByHandAsksOnlyAfterAChange_data()
    {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("asks");
        for (const bool edit : {false, true}) {
            const QString form = edit ? QStringLiteral("edit: ") : QStringLiteral("add: ");
            const auto row = [&](const char* change, bool asks) {
                QTest::newRow(qPrintable(form + QLatin1String(change)))
                    << edit << QString::fromLatin1(change) << asks;
            };
            row("nothing", false);
            row("typed", true);
            row("typed and taken back", false);
            row("picked", true);
            row("notes", true);
            row("picture", true);
            row("saved", false);
            if (edit)
                row("picture removed", false);
        }
    }

    void leavingAFormByHandAsksOnlyAfterAChange()
    {
        QFETCH(bool, edit);
        QFETCH(QString, change);
        QFETCH(bool, asks);
        TestEnvironment test;
        test.context().insertNewObject<ConditionList>()->setCondition(QStringLiteral("Fine"));
        Stamps* stamp = addStamp(test.context(), QStringLiteral("5c"), 1962, QStringLiteral("A1"));
        stamp->setNotes(QStringLiteral("hinged"));
        stamp->setStampImage(test.pictures.encodeJpeg(samplePicture(), 0.6).value());
        QVERIFY(test.context().save());
        // No opening screen to return to: a saved form stays.
        test.shared().marker.clear();
        EitherForm either(test, edit, stamp);
        StampFormViewController* form = either.form;

        if (change == QLatin1String("typed")) {
            QTest::keyClicks(form->DenominationTextField, QStringLiteral("x"));
        } else if (change == QLatin1String("typed and taken back")) {
            QTest::keyClicks(form->DenominationTextField, QStringLiteral("x"));
            QTest::keyClick(form->DenominationTextField, Qt::Key_Backspace);
        } else if (change == QLatin1String("picked")) {
            form->picker(2)->didSelectRow(0);
            QCOMPARE(form->ConditionTextField->text(), QStringLiteral("Fine"));
        } else if (change == QLatin1String("notes")) {
            QTest::keyClicks(form->NotesTextView, QStringLiteral(" twice"));
        } else if (change == QLatin1String("picture")) {
            QGuiApplication::clipboard()->setImage(samplePicture(QSize(30, 30)));
            form->PasteFromClipboard();
        } else if (change == QLatin1String("saved")) {
            fillRequired(form);
            form->ColorTextField->setText(QStringLiteral("red"));
            either.save();
            QVERIFY(test.alerts.alerts().isEmpty());
        } else if (change == QLatin1String("picture removed")) {
            form->RemoveFrontImage();
            QVERIFY(test.alerts.tap(QStringLiteral("Yes")));
            QCOMPARE(stamp->stampImage(), std::nullopt);
            test.alerts.clear();
        }

        either.navigation->backButton()->click();
        if (!asks) {
            QVERIFY(test.alerts.alerts().isEmpty());
            QCOMPARE(either.navigation->topViewController(), either.opener);
            return;
        }
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Discard changes?"));
        QCOMPARE(either.navigation->topViewController(), form);
        QVERIFY(test.alerts.tap(QStringLiteral("Keep Editing")));
        QCOMPARE(either.navigation->topViewController(), form);
        either.navigation->goBackByUser();
        QVERIFY(test.alerts.tap(QStringLiteral("Discard")));
        QCOMPARE(either.navigation->topViewController(), either.opener);
        // Discarded means nothing was stored.
        QVERIFY(!test.context().hasChanges());
        QCOMPARE(test.context().fetch<Stamps>().value().size(), 1);
        QCOMPARE(stamp->denomination(), std::optional<QString>(QStringLiteral("5c")));
    }

    void keysSaveTheForms_data()
    {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("saves");
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        QTest::newRow("add: Return in a field")
            << false << "DescripTextField" << int(Qt::Key_Return) << none << true;
        QTest::newRow("add: Enter in an amount")
            << false << "CostTextField" << int(Qt::Key_Enter)
            << Qt::KeyboardModifiers(Qt::KeypadModifier) << true;
        QTest::newRow("add: Ctrl+S in the notes")
            << false << "NotesTextView" << int(Qt::Key_S)
            << Qt::KeyboardModifiers(Qt::ControlModifier) << true;
        QTest::newRow("add: Return in the notes")
            << false << "NotesTextView" << int(Qt::Key_Return) << none << false;
        QTest::newRow("edit: Return in a field")
            << true << "DescripTextField" << int(Qt::Key_Return) << none << true;
        QTest::newRow("edit: Ctrl+S on a button")
            << true << "NotesButton" << int(Qt::Key_S) << Qt::KeyboardModifiers(Qt::ControlModifier)
            << true;
        QTest::newRow("edit: Return in the notes")
            << true << "NotesTextView" << int(Qt::Key_Return) << none << false;
    }

    void keysSaveTheForms()
    {
        QFETCH(bool, edit);
        QFETCH(QString, input);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, saves);
        TestEnvironment test;
        Stamps* stamp = addStamp(test.context(), QStringLiteral("5c"), 1962, QStringLiteral("A1"));
        QVERIFY(test.context().save());
        test.shared().marker = edit ? QStringLiteral("YearBreakdown") : QStringLiteral("Menu");
        EitherForm either(test, edit, stamp);
        StampFormViewController* form = either.form;
        either.navigation->show();
        QVERIFY(QTest::qWaitForWindowActive(either.navigation));
        // The form opens with the keyboard in its first field.
        QTRY_COMPARE(QApplication::focusWidget(), form->DenominationTextField);

        if (!edit)
            fillRequired(form);
        form->DescripTextField->setText(QStringLiteral("Queen"));
        auto* target = form->view()->findChild<QWidget*>(input);
        QVERIFY(target);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key), modifiers);

        const QList<Stamps*> stamps = test.context().fetch<Stamps>().value();
        if (!saves) {
            QCOMPARE(either.navigation->topViewController(), form);
            QVERIFY(either.opener->unwinds.isEmpty());
            QCOMPARE(stamps.size(), 1);
            QCOMPARE(stamp->descrip(), std::nullopt);
            return;
        }
        QCOMPARE(either.opener->unwinds.size(), 1);
        QCOMPARE(either.navigation->topViewController(), either.opener);
        QVERIFY(test.alerts.alerts().isEmpty());
        QCOMPARE(stamps.size(), edit ? 1 : 2);
        QCOMPARE(stamps.last()->descrip(), std::optional<QString>(QStringLiteral("Queen")));
    }

    void wideFormsSetTheFieldsBesideThePicture()
    {
        TestEnvironment test;
        Stamps* stamp = addStamp(test.context(), QStringLiteral("5c"), 1962, QStringLiteral("A1"));
        QVERIFY(test.context().save());
        FormOnStack<EditViewController> stack(FormUnwinds, test.environment());
        EditViewController* form = stack.screen;
        form->setDetailItem(stamp);
        stack.navigation->resize(StampFormViewController::TwoColumnWidth + 300, 700);
        stack.navigation->show();
        QVERIFY(QTest::qWaitForWindowExposed(stack.navigation.get()));

        // Wide: the picture, its buttons and the notes button stand to the right of the fields,
        // which do not spread over the whole width.
        QTRY_VERIFY(placeInView(form, form->StampImage).left() >
                    placeInView(form, form->DenominationTextField).right());
        QVERIFY(placeInView(form, form->StampImage).top() <
                placeInView(form, form->YearOfIssueTextField).top());
        for (QWidget* control :
             {static_cast<QWidget*>(form->CameraButton), static_cast<QWidget*>(form->NotesButton)})
            QVERIFY(placeInView(form, control).left() >
                    placeInView(form, form->NotesTextView).right());
        QVERIFY(form->DenominationTextField->width() < form->view()->width() / 2);

        // Narrow: one column, the picture below the fields.
        stack.navigation->resize(430, 700);
        QTRY_VERIFY(placeInView(form, form->StampImage).top() >
                    placeInView(form, form->NotesTextView).bottom());
        QVERIFY(form->DenominationTextField->width() > form->view()->width() / 2);
    }

    void theInputWithTheKeyboardIsOutlined_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("field") << "DenominationTextField";
        QTest::newRow("picker") << "CountryTextField";
        QTest::newRow("notes") << "NotesTextView";
        QTest::newRow("button") << "PasteButton";
    }

    void theInputWithTheKeyboardIsOutlined()
    {
        QFETCH(QString, input);
        TestEnvironment test;
        FormOnStack<AddViewController> stack(FormUnwinds, test.environment());
        stack.navigation->show();
        QVERIFY(QTest::qWaitForWindowActive(stack.navigation.get()));
        auto* target = stack.screen->view()->findChild<QWidget*>(input);
        QVERIFY(target);
        // The middle of the top edge, one pixel in: within the outline only when focused.
        const QPoint edge(target->width() / 2, 1);
        const QColor highlight = target->palette().color(QPalette::Highlight);

        stack.screen->dismissKeyboard();
        QVERIFY(!target->hasFocus());
        QVERIFY(target->grab().toImage().pixelColor(edge) != highlight);
        target->setFocus();
        QTRY_VERIFY(target->hasFocus());
        QCOMPARE(target->grab().toImage().pixelColor(edge), highlight);
    }

private:
    TestLocale m_locale;
};

QTEST_MAIN(StampFormsTest)
#include "tst_stampforms.moc"
