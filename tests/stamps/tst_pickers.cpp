#include "TestEnvironment.h"
#include "stamps/AddViewController.h"
#include "stamps/ReferencePicker.h"
#include "store/ObjectContext.h"

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

        // Nothing matches: Enter leaves the field as it was.
        gums.picker->open();
        QCOMPARE(gums.shownChoices().size(), 4);
        QTest::keyClicks(gums.picker->filterField(), QStringLiteral("xyz"));
        QCOMPARE(gums.shownChoices(), QStringList());
        QTest::keyClick(gums.picker->filterField(), Qt::Key_Return);
        QCOMPARE(gums.field->text(), QStringLiteral("Original"));

        // A letter typed on the closed field opens the picker narrowed to it.
        QTest::keyClick(gums.field, Qt::Key_D);
        QVERIFY(gums.picker->isOpen());
        QCOMPARE(gums.picker->filterField()->text(), QStringLiteral("d"));
        QCOMPARE(gums.shownChoices(), (QStringList{QStringLiteral("Disturbed")}));
        QTest::keyClick(gums.picker->filterField(), Qt::Key_Return);
        QCOMPARE(gums.field->text(), QStringLiteral("Disturbed"));
    }
};

QTEST_MAIN(PickersTest)
#include "tst_pickers.moc"
