#include "TestEnvironment.h"
#include "stamps/AddViewController.h"
#include "stamps/ReferencePicker.h"
#include "store/ObjectContext.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

namespace {

// The add form, shown, with a gum list whose first entry is not the one the tests pick.
struct GumPicker
{
    explicit GumPicker(TestEnvironment& test) : form(test.environment())
    {
        for (const char* gum : {"Original", "Disturbed", "Fine"})
            test.context().insertNewObject<GumList>()->setGum(QString::fromLatin1(gum));
        if (!test.context().save())
            qWarning("the gum list was not saved");
        form.view()->resize(400, 800);
        form.view()->show();
        picker = form.picker(6);
        field = form.GumTextField;
    }
    // The choices the drop-down shows, top to bottom.
    QStringList shownChoices() const
    {
        QStringList texts;
        for (int row = 0; row < picker->pickerView()->count(); ++row) {
            if (!picker->pickerView()->item(row)->isHidden())
                texts << picker->pickerView()->item(row)->text();
        }
        return texts;
    }
    QString currentChoice() const
    {
        const QListWidgetItem* item = picker->pickerView()->currentItem();
        return item ? item->text() : QStringLiteral("no choice");
    }

    AddViewController form;
    ReferencePicker* picker = nullptr;
    QLineEdit* field = nullptr;
};

// Types the text key by key, also the characters QTest has no key for (a combining accent).
void typeInto(QWidget* input, const QString& text)
{
    for (const QChar character : text) {
        if (character.unicode() < 0x100)
            QTest::keyClicks(input, QString(character));
        else
            QTest::sendKeyEvent(QTest::Click, input, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
    }
}

} // namespace

class PickersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void enterKeepsTheValueThePickerOpensOn_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("openedOn");
        QTest::newRow("an entry") << QStringLiteral("Fine") << QStringLiteral("Fine");
        QTest::newRow("nothing yet") << QString() << QStringLiteral("(None)");
        // A value kept from before its entry was renamed has no row, and stays.
        QTest::newRow("not in the list")
            << QStringLiteral("Regummed") << QStringLiteral("no choice");
    }

    void enterKeepsTheValueThePickerOpensOn()
    {
        QFETCH(QString, value);
        QFETCH(QString, openedOn);
        TestEnvironment test;
        GumPicker gums(test);
        gums.field->setText(value);

        QTest::keyClick(gums.field, Qt::Key_Space);
        QVERIFY(gums.picker->isOpen());
        QCOMPARE(gums.currentChoice(), openedOn);
        QCOMPARE(gums.shownChoices(),
                 (QStringList{QStringLiteral("(None)"), QStringLiteral("Disturbed"),
                              QStringLiteral("Fine"), QStringLiteral("Original")}));
        // The rows read in the form's own type, not a font of their own.
        QCOMPARE(gums.picker->pickerView()->font().family(), gums.field->font().family());
        QCOMPARE(gums.picker->pickerView()->font().pointSizeF(), gums.field->font().pointSizeF());

        QTest::keyClick(gums.picker->filterField(), Qt::Key_Return);
        QVERIFY(!gums.picker->isOpen());
        QCOMPARE(gums.field->text(), value);
    }

    void aPickedValueCanBeCleared_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Delete") << QStringLiteral("Delete");
        QTest::newRow("Backspace") << QStringLiteral("Backspace");
        QTest::newRow("(None) clicked") << QStringLiteral("click");
        QTest::newRow("(None) by the keys") << QStringLiteral("keys");
    }

    void aPickedValueCanBeCleared()
    {
        QFETCH(QString, how);
        TestEnvironment test;
        GumPicker gums(test);
        gums.field->setText(QStringLiteral("Fine"));

        if (how == QLatin1String("Delete")) {
            QTest::keyClick(gums.field, Qt::Key_Delete);
        } else if (how == QLatin1String("Backspace")) {
            QTest::keyClick(gums.field, Qt::Key_Backspace);
        } else {
            gums.picker->open();
            QListWidget* choices = gums.picker->pickerView();
            if (how == QLatin1String("click")) {
                QTest::mouseClick(choices->viewport(), Qt::LeftButton, {},
                                  choices->visualItemRect(choices->item(0)).center());
            } else {
                QTest::keyClick(gums.picker->filterField(), Qt::Key_Up);
                QTest::keyClick(gums.picker->filterField(), Qt::Key_Up);
                QCOMPARE(gums.currentChoice(), QStringLiteral("(None)"));
                QTest::keyClick(gums.picker->filterField(), Qt::Key_Return);
            }
            QVERIFY(!gums.picker->isOpen());
        }
        QCOMPARE(gums.field->text(), QString());
        // The list itself is as it was.
        QCOMPARE(gums.picker->list(),
                 (QStringList{QStringLiteral("Disturbed"), QStringLiteral("Fine"),
                              QStringLiteral("Original")}));
    }

    void typingNarrowsTheChoices()
    {
        TestEnvironment test;
        GumPicker gums(test);
        gums.picker->open();
        QTest::keyClicks(gums.picker->filterField(), QStringLiteral("IN"));
        QCOMPARE(gums.shownChoices(),
                 (QStringList{QStringLiteral("Fine"), QStringLiteral("Original")}));
        QCOMPARE(gums.currentChoice(), QStringLiteral("Fine"));
        QTest::keyClick(gums.picker->filterField(), Qt::Key_Down);
        QTest::keyClick(gums.picker->filterField(), Qt::Key_Return);
        QCOMPARE(gums.field->text(), QStringLiteral("Original"));

        // Nothing matches: the picker offers to add it, and Escape leaves everything as it was.
        gums.picker->open();
        QCOMPARE(gums.shownChoices().size(), 4);
        QVERIFY(gums.picker->addHint()->isHidden());
        QTest::keyClicks(gums.picker->filterField(), QStringLiteral("xyz"));
        QCOMPARE(gums.shownChoices(), QStringList());
        QVERIFY(!gums.picker->addHint()->isHidden());
        QTest::keyClick(gums.picker->filterField(), Qt::Key_Backspace);
        QTest::keyClick(gums.picker->filterField(), Qt::Key_Backspace);
        QTest::keyClick(gums.picker->filterField(), Qt::Key_Backspace);
        QVERIFY(gums.picker->addHint()->isHidden());
        QTest::keyClicks(gums.picker->filterField(), QStringLiteral("xyz"));
        QTest::keyClick(gums.picker->filterField(), Qt::Key_Escape);
        QCOMPARE(gums.field->text(), QStringLiteral("Original"));
        QCOMPARE(gums.picker->list().size(), 3);

        // A letter typed on the closed field opens the picker narrowed to it.
        QTest::keyClick(gums.field, Qt::Key_D);
        QVERIFY(gums.picker->isOpen());
        QCOMPARE(gums.picker->filterField()->text(), QStringLiteral("d"));
        QCOMPARE(gums.shownChoices(), (QStringList{QStringLiteral("Disturbed")}));
        QTest::keyClick(gums.picker->filterField(), Qt::Key_Return);
        QCOMPARE(gums.field->text(), QStringLiteral("Disturbed"));
    }

    void enterAddsWhatNoChoiceMatches_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("failSave");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("refusal"); // empty when the value is added
        QTest::addColumn<QStringList>("list");
        const QStringList gums = {QStringLiteral("Crème"), QStringLiteral("Disturbed"),
                                  QStringLiteral("Fine"), QStringLiteral("Original")};
        const auto hint = [](const char* value, const char* list) {
            return QStringLiteral("No match: press Enter to add \"%1\" to %2")
                .arg(QString::fromUtf8(value), QString::fromLatin1(list));
        };
        QTest::newRow("to an empty list")
            << 3 << QStringLiteral("Gr") << false << hint("Gr", "Countries") << QString()
            << QStringList{QStringLiteral("Gr")};
        QTest::newRow("trimmed, in the list's order")
            << 6 << QStringLiteral(" Hinged ") << false << hint("Hinged", "Gum") << QString()
            << QStringList{QStringLiteral("Crème"), QStringLiteral("Disturbed"),
                           QStringLiteral("Fine"), QStringLiteral("Hinged"),
                           QStringLiteral("Original")};
        QTest::newRow("spaces only") << 6 << QStringLiteral("   ") << false << hint("", "Gum")
                                     << QStringLiteral("Gum not Entered") << gums;
        QTest::newRow("too long")
            << 6 << QStringLiteral("x").repeated(101) << false
            << hint(QByteArray(101, 'x').constData(), "Gum")
            << QStringLiteral("Entries in Gum can have at most 100 characters; this one has 101")
            << gums;
        // The same letters as a stored entry, the accent encoded the other way: no match to the
        // eye of the filter, yet the same entry.
        QTest::newRow("a duplicate")
            << 6 << QStringLiteral("Cre\u0300me") << false << hint("Cre\u0300me", "Gum")
            << QStringLiteral("Duplicates not allowed") << gums;
        QTest::newRow("a refused save")
            << 6 << QStringLiteral("Hinged") << true << hint("Hinged", "Gum")
            << QStringLiteral("disk full") << gums;
    }

    void enterAddsWhatNoChoiceMatches()
    {
        QFETCH(int, tag);
        QFETCH(QString, typed);
        QFETCH(bool, failSave);
        QFETCH(QString, hint);
        QFETCH(QString, refusal);
        QFETCH(QStringList, list);
        TestEnvironment test;
        test.context().insertNewObject<GumList>()->setGum(QStringLiteral("Crème"));
        GumPicker gums(test);
        ReferencePicker* picker = gums.form.picker(tag);
        const QString entity = QString::fromLatin1(tag == 3 ? "CountryList" : "GumList");
        const qsizetype stored = test.context().fetch({entity, {}, {}}).value().size();

        QTest::keyClick(picker->textField(), Qt::Key_Space);
        QVERIFY(picker->isOpen());
        typeInto(picker->filterField(), typed);
        QVERIFY(!picker->addHint()->isHidden());
        QCOMPARE(picker->addHint()->text(), hint);
        if (failSave)
            test.context().failNextSaveForTesting(QStringLiteral("disk full"));
        QTest::keyClick(picker->filterField(), Qt::Key_Return);
        QVERIFY(!picker->isOpen());
        QCOMPARE(picker->list(), list);
        QVERIFY(!test.context().hasChanges());

        if (refusal.isEmpty()) {
            QVERIFY(test.alerts.alerts().isEmpty());
            QCOMPARE(picker->textField()->text(), typed.trimmed());
            QCOMPARE(test.context().fetch({entity, {}, {}}).value().size(), stored + 1);
            // Picked like any other entry, next time too.
            QTest::keyClick(picker->textField(), Qt::Key_Return);
            QCOMPARE(picker->pickerView()->currentItem()->text(), typed.trimmed());
            return;
        }
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Record not Saved!"));
        QCOMPARE(test.alerts.last().message, refusal);
        QCOMPARE(picker->textField()->text(), QString());
        QCOMPARE(test.context().fetch({entity, {}, {}}).value().size(), stored);
        // Opened again, the drop-down holds what was typed, to be put right.
        QTest::keyClick(picker->textField(), Qt::Key_Space);
        QCOMPARE(picker->filterField()->text(), typed);
        QVERIFY(!picker->addHint()->isHidden());
    }
};

QTEST_MAIN(PickersTest)
#include "tst_pickers.moc"
