#include "ConsoleCapture.h"
#include "ScreenOnStack.h"
#include "TestEnvironment.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/Storyboard.h"
#include "stamps/EditViewController.h"
#include "stamps/NotesViewController.h"
#include "stamps/RotatableLabel.h"
#include "stamps/VerticalButton.h"
#include "stamps/ZoomViewController.h"
#include "store/ObjectContext.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

namespace {

// The notes screen above a stand-in for the edit form, which answers its unwind.
using NotesOnStack = ScreenOnStack<NotesViewController>;
const QStringList NotesUnwinds = {QStringLiteral("unwindToEdit")};

Stamps* addStamp(ObjectContext& context, const QString& denomination, qint16 year,
                 const std::optional<QString>& scottNumber, const std::optional<QString>& notes)
{
    Stamps* stamp = context.insertNewObject<Stamps>();
    stamp->setDenomination(denomination);
    stamp->setYearOfIssue(year);
    stamp->setScottNumber(scottNumber);
    stamp->setNotes(notes);
    if (!context.save())
        qFatal("test stamp not saved");
    return stamp;
}

void select(TestEnvironment& test, Stamps* stamp, bool keepRecord = true)
{
    test.shared().selectedStamp = SelectedStamp::from(*stamp, test.pictures);
    test.shared().selectedStampRecord = keepRecord ? stamp : nullptr;
}

QImage samplePicture()
{
    QImage picture(300, 200, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    return picture;
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButtons buttons)
{
    const QPointF local = target->mapFromGlobal(QPointF(global));
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, QPointF(global), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void sendWheel(QWidget* target, int angle, Qt::KeyboardModifiers modifiers)
{
    QWheelEvent event(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, angle),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

bool near(QPointF a, QPointF b, qreal tolerance = 1e-9)
{
    return std::abs(a.x() - b.x()) < tolerance && std::abs(a.y() - b.y()) < tolerance;
}

} // namespace

class NotesZoomTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void notesAreStoredExactlyAsTypedOnTheShownRecord()
    {
        TestEnvironment test;
        ObjectContext& context = test.context();
        Stamps* first = addStamp(context, QStringLiteral("5c"), 1901, QStringLiteral("12"),
                                 QStringLiteral("first"));
        Stamps* shown = addStamp(context, QStringLiteral("5c"), 1901, QStringLiteral("12"),
                                 QStringLiteral("second"));
        select(test, shown);
        {
            NotesOnStack stack(NotesUnwinds, test.environment());
            QCOMPARE(stack.screen->NotesTextView->toPlainText(), QStringLiteral("second"));

            const QString typed = QStringLiteral("  two\nlines  ");
            stack.screen->NotesTextView->setPlainText(typed);
            stack.screen->SaveButton->trigger();
            QCOMPARE(shown->notes(), typed);
            QCOMPARE(first->notes(), QStringLiteral("first"));
            QVERIFY(!context.hasChanges());
            QCOMPARE(stack.screen->ResultsCount, 1);
            QCOMPARE(test.shared().selectedStamp.notes, typed);
            QCOMPARE(stack.navigation->topViewController(), stack.opener);
            QCOMPARE(stack.opener->unwinds.size(), 1);

            // Untouched notes go back as they were loaded, carriage returns included, and a
            // non-breaking space typed stays one.
            shown->setNotes(QStringLiteral("a\r\nb"));
            QVERIFY(context.save());
            select(test, shown);
            stack.push(test.environment());
            stack.screen->SaveButtonClicked();
            QCOMPARE(shown->notes(), QStringLiteral("a\r\nb"));
            stack.push(test.environment());
            stack.screen->NotesTextView->setPlainText(QStringLiteral("x\u00a0y\n"));
            stack.screen->SaveButtonClicked();
            QCOMPARE(shown->notes(), QStringLiteral("x\u00a0y\n"));

            stack.push(test.environment());
            stack.screen->NotesTextView->clear();
            stack.screen->SaveButtonClicked();
            QCOMPARE(test.shared().selectedStamp.notes, QString());
            QCOMPARE(stack.opener->unwinds.size(), 4);
        }

        // In the store file: the empty text, not an absent value, and the other stamp unchanged.
        test.relaunch();
        const QList<Stamps*> stored = test.context().fetch<Stamps>().value();
        QCOMPARE(stored.size(), 2);
        QCOMPARE(stored.at(0)->notes(), QStringLiteral("first"));
        QVERIFY(stored.at(1)->notes().has_value());
        QCOMPARE(*stored.at(1)->notes(), QString());
    }

    void notesSaveWithCtrlSOnlyAndAskBeforeTheyAreDiscarded()
    {
        TestEnvironment test;
        Stamps* shown = addStamp(test.context(), QStringLiteral("5c"), 1901, QStringLiteral("12"),
                                 QStringLiteral("old"));
        select(test, shown);
        NotesOnStack stack(NotesUnwinds, test.environment());
        stack.navigation->show();
        QVERIFY(QTest::qWaitForWindowActive(stack.navigation.get()));
        QPlainTextEdit* notes = stack.screen->NotesTextView;
        QTRY_COMPARE(QApplication::focusWidget(), notes);
        QCOMPARE(stack.screen->SaveButton->toolTip(), QStringLiteral("Save (Ctrl+S)"));

        // Return starts a new line; it does not save.
        notes->moveCursor(QTextCursor::End);
        QTest::keyClick(notes, Qt::Key_Return);
        QTest::keyClicks(notes, QStringLiteral("more"));
        QVERIFY(stack.screenIsShown());
        QCOMPARE(shown->notes(), QStringLiteral("old"));

        QTest::keyClick(notes, Qt::Key_Escape);
        QTRY_COMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Discard changes?"));
        QVERIFY(test.alerts.tap(QStringLiteral("Keep Editing")));
        QVERIFY(stack.screenIsShown());

        QTest::keyClick(notes, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(shown->notes(), QStringLiteral("old\nmore"));
        QCOMPARE(stack.opener->unwinds.size(), 1);
        QVERIFY(!stack.screenIsShown());

        // Opened again and left untouched, Escape simply goes back.
        stack.push(test.environment());
        QTest::keyClick(stack.screen->NotesTextView, Qt::Key_Escape);
        QTRY_VERIFY(!stack.screenIsShown());
        QCOMPARE(test.alerts.alerts().size(), 1);
    }

    void withoutTheShownRecordTheKeyFindsIt()
    {
        TestEnvironment test;
        ConsoleCapture console;
        ObjectContext& context = test.context();
        Stamps* a = addStamp(context, QStringLiteral("5c"), 1901, QStringLiteral("12a"), {});
        Stamps* b = addStamp(context, QStringLiteral("5c"), 1901, QStringLiteral("12b"), {});
        Stamps* otherYear = addStamp(context, QStringLiteral("5c"), 1902, {}, {});

        // The Scott number narrows the look-up when there is one.
        select(test, b, false);
        NotesOnStack stack(NotesUnwinds, test.environment());
        stack.screen->NotesTextView->setPlainText(QStringLiteral("by Scott number"));
        stack.screen->SaveButtonClicked();
        QCOMPARE(b->notes(), QStringLiteral("by Scott number"));
        QCOMPARE(a->notes(), std::nullopt);

        // An empty one leaves denomination and year, and the first match takes the notes.
        test.shared().selectedStamp.scottNumber.clear();
        stack.push(test.environment());
        stack.screen->NotesTextView->setPlainText(QStringLiteral("by year"));
        stack.screen->SaveButtonClicked();
        QCOMPARE(stack.screen->ResultsCount, 2);
        QCOMPARE(a->notes(), QStringLiteral("by year"));
        QCOMPARE(b->notes(), QStringLiteral("by Scott number"));
        QCOMPARE(otherYear->notes(), std::nullopt);

        // No match: nothing stored, the screen still returns with the text kept for the form.
        test.shared().selectedStamp.denomination = QStringLiteral("9c");
        stack.push(test.environment());
        stack.screen->NotesTextView->setPlainText(QStringLiteral("lost"));
        stack.screen->SaveButtonClicked();
        QCOMPARE(stack.screen->ResultsCount, 0);
        QVERIFY(!context.hasChanges());
        QCOMPARE(test.shared().selectedStamp.notes, QStringLiteral("lost"));
        QCOMPARE(stack.opener->unwinds.size(), 3);

        // A shown record deleted meanwhile takes nothing, and its twin does not take it either.
        select(test, otherYear);
        Stamps* twin = addStamp(context, QStringLiteral("5c"), 1902, {}, QStringLiteral("twin"));
        context.deleteObject(otherYear);
        QVERIFY(context.save());
        stack.push(test.environment());
        stack.screen->NotesTextView->setPlainText(QStringLiteral("orphan"));
        stack.screen->SaveButtonClicked();
        QCOMPARE(stack.screen->ResultsCount, 0);
        QCOMPARE(twin->notes(), QStringLiteral("twin"));
        QVERIFY(!context.hasChanges());
        QCOMPARE(stack.opener->unwinds.size(), 4);
    }

    void aFailedSaveIsReportedRolledBackAndKeepsTheScreen()
    {
        TestEnvironment test;
        ConsoleCapture console;
        Stamps* stamp =
            addStamp(test.context(), QStringLiteral("5c"), 1901, {}, QStringLiteral("old"));
        select(test, stamp);
        NotesOnStack stack(NotesUnwinds, test.environment());
        stack.screen->NotesTextView->setPlainText(QStringLiteral("new"));
        test.context().failNextSaveForTesting(QStringLiteral("The disk is full"));
        stack.screen->SaveButtonClicked();

        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Record not Saved!"));
        QCOMPARE(test.alerts.last().message, QStringLiteral("The disk is full"));
        QCOMPARE(RecordingAlertPresenter::buttonTitles(test.alerts.last()),
                 QStringList{QStringLiteral("OK")});
        QCOMPARE(stamp->notes(), QStringLiteral("old"));
        QVERIFY(!test.context().hasChanges());
        QCOMPARE(test.shared().selectedStamp.notes, QStringLiteral("old"));
        QVERIFY(stack.screenIsShown());
        QCOMPARE(stack.opener->unwinds.size(), 0);
        QCOMPARE(stack.screen->NotesTextView->toPlainText(), QStringLiteral("new"));

        // The typing is still there to save again.
        QVERIFY(test.alerts.tap(QStringLiteral("OK")));
        stack.screen->SaveButtonClicked();
        QCOMPARE(stamp->notes(), QStringLiteral("new"));
        QCOMPARE(stack.opener->unwinds.size(), 1);
    }

    void theEditFormKeepsItsTypingAcrossTheNotes_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("asks");
        QTest::newRow("none") << QStringLiteral("none") << false;
        QTest::newRow("value typed") << QStringLiteral("value") << true;
        QTest::newRow("text typed") << QStringLiteral("text") << true;
        QTest::newRow("picture pasted") << QStringLiteral("picture") << true;
        QTest::newRow("notes typed on the form") << QStringLiteral("notes") << false;
        // The notes could not be stored: they stay on the form as a change.
        QTest::newRow("stamp deleted meanwhile") << QStringLiteral("deleted") << true;
    }

    void theEditFormKeepsItsTypingAcrossTheNotes()
    {
        QFETCH(QString, change);
        QFETCH(bool, asks);
        TestEnvironment test;
        ConsoleCapture console;
        Stamps* stamp = addStamp(test.context(), QStringLiteral("5c"), 1901, QStringLiteral("12"),
                                 QStringLiteral("hinged"));
        stamp->setColor(QStringLiteral("red"));
        stamp->setValue(5000.0f);
        stamp->setStampImage(test.pictures.encodeJpeg(samplePicture(), 0.6).value());
        QVERIFY(test.context().save());
        select(test, stamp);
        test.shared().marker = QStringLiteral("Master");

        // The form as the stamp list opens it, its Notes button wired as in the application.
        Storyboard storyboard;
        storyboard.addSegue(
            QStringLiteral("EditViewController"), QStringLiteral("showNotes"),
            [&test] { return std::make_unique<NotesViewController>(test.environment()); });
        storyboard.addTrigger(QStringLiteral("EditViewController"), QStringLiteral("NotesButton"),
                              QStringLiteral("showNotes"));
        auto root = std::make_unique<UnwindStub>(QStringList{QStringLiteral("unwindToList")});
        UnwindStub* list = root.get();
        NavigationController navigation(std::move(root));
        auto made = std::make_unique<EditViewController>(test.environment());
        EditViewController* form = made.get();
        form->setStoryboard(&storyboard);
        form->setDetailItem(stamp);
        navigation.pushViewController(std::move(made), false);

        const QImage pasted(30, 20, QImage::Format_RGB32);
        QString notesOpened = QStringLiteral("hinged");
        if (change == QLatin1String("value")) {
            form->EstValueTextField->clear();
            QTest::keyClicks(form->EstValueTextField, QStringLiteral("5500"));
        } else if (change == QLatin1String("text")) {
            QTest::keyClicks(form->ColorTextField, QStringLiteral(" and blue"));
        } else if (change == QLatin1String("picture")) {
            QGuiApplication::clipboard()->setImage(pasted);
            form->PasteFromClipboard();
        } else if (change == QLatin1String("notes")) {
            form->NotesTextView->moveCursor(QTextCursor::End);
            QTest::keyClicks(form->NotesTextView, QStringLiteral(" twice"));
            notesOpened = QStringLiteral("hinged twice");
        } else if (change == QLatin1String("deleted")) {
            test.context().deleteObject(stamp);
            QVERIFY(test.context().save());
        }
        const QString value = form->EstValueTextField->text();
        const QString color = form->ColorTextField->text();
        const QImage picture = form->shownPicture();

        QTest::mouseClick(form->NotesButton, Qt::LeftButton);
        auto* notes = qobject_cast<NotesViewController*>(navigation.topViewController());
        QVERIFY(notes);
        QCOMPARE(notes->NotesTextView->toPlainText(), notesOpened);
        notes->NotesTextView->setPlainText(notesOpened + QStringLiteral(", thinned"));
        notes->SaveButton->trigger();

        // Back on the form: the new notes, and everything else as the collector left it.
        QCOMPARE(navigation.topViewController(), form);
        QCOMPARE(form->NotesTextView->toPlainText(), notesOpened + QStringLiteral(", thinned"));
        QCOMPARE(form->EstValueTextField->text(), value);
        QCOMPARE(form->ColorTextField->text(), color);
        QCOMPARE(form->shownPicture(), picture);
        QCOMPARE(form->hasUnsavedChanges(), asks);
        if (change == QLatin1String("deleted"))
            return;
        QCOMPARE(stamp->notes(), std::optional<QString>(notesOpened + QStringLiteral(", thinned")));

        navigation.backButton()->click();
        QCOMPARE(test.alerts.alerts().size(), asks ? 1 : 0);
        if (!asks) {
            QCOMPARE(navigation.topViewController(), list);
            return;
        }
        QCOMPARE(test.alerts.last().title, QStringLiteral("Discard changes?"));
        QVERIFY(test.alerts.tap(QStringLiteral("Keep Editing")));
        form->SaveButtonClicked();
        QCOMPARE(list->unwinds, QStringList{QStringLiteral("unwindToList")});
        QCOMPARE(stamp->color(), std::optional<QString>(color));
        QCOMPARE(stamp->value(), change == QLatin1String("value") ? 5500.0f : 5000.0f);
        QCOMPARE(QImage::fromData(stamp->stampImage().value()).size(), picture.size());
        QCOMPARE(stamp->notes(), std::optional<QString>(notesOpened + QStringLiteral(", thinned")));
    }

    void zoomScalesAndMovesTheCellCumulatively()
    {
        TestEnvironment test;
        test.shared().selectedStamp.picture = samplePicture();
        ZoomViewController zoom(test.environment());
        QWidget* view = zoom.view();
        view->resize(320, 640);
        view->show();
        QCoreApplication::sendPostedEvents();

        QVERIFY(qAbs(zoom.itemSize().width() - 272.727) < 0.01);
        ZoomCollectionViewCell* cell = zoom.cell();
        QCOMPARE(cell->ZoomImage->pixmap().size(), QSize(300, 200));
        const QRect normal = cell->geometry();
        QVERIFY(qAbs(normal.width() - 273) <= 1);
        QVERIFY(qAbs(normal.center().x() - 160) <= 1);

        zoom.pinchedView(2);
        zoom.pinchedView(2);
        QCOMPARE(zoom.contentScale(), 4.0);
        QVERIFY(qAbs(cell->width() - 4 * 272.727) <= 2);
        zoom.pinchedView(0.5);
        zoom.pinchedView(0.5);
        QCOMPARE(zoom.contentScale(), 1.0);
        QCOMPARE(cell->geometry(), normal);

        zoom.draggedView({10, 5});
        zoom.draggedView({-3, 2});
        QCOMPARE(zoom.contentOffset(), QPointF(7, 7));
        QCOMPARE(cell->geometry(), normal.translated(7, 7));
        // Scaling keeps the picture's centre where the moves put it.
        const QPointF centre(160, 10 + 272.727 / 2);
        zoom.pinchedView(3);
        QVERIFY(near(zoom.contentTransform().map(centre), centre + QPointF(7, 7), 0.01));
        QVERIFY(qAbs(cell->width() - 3 * 272.727) <= 2);
        zoom.pinchedView(1.0 / 3);

        // Ctrl + wheel and a mouse drag anywhere, on the picture too, scale and move.
        sendWheel(cell->ZoomImage, 120, Qt::ControlModifier);
        QVERIFY(qAbs(zoom.contentScale() - 1.25) < 1e-9);
        sendWheel(view, -120, Qt::ControlModifier);
        sendWheel(cell->ZoomImage, 120, Qt::NoModifier);
        QVERIFY(qAbs(zoom.contentScale() - 1.0) < 1e-9);

        const QPoint start = cell->ZoomImage->mapToGlobal(QPoint(20, 20));
        sendMouse(cell->ZoomImage, QEvent::MouseButtonPress, start, Qt::LeftButton);
        sendMouse(cell->ZoomImage, QEvent::MouseMove, start + QPoint(30, 20), Qt::LeftButton);
        sendMouse(cell->ZoomImage, QEvent::MouseMove, start + QPoint(25, 40), Qt::LeftButton);
        sendMouse(cell->ZoomImage, QEvent::MouseButtonRelease, start + QPoint(25, 40),
                  Qt::NoButton);
        QCOMPARE(zoom.contentOffset(), QPointF(32, 47));

        // Two fingers from 40 to 80 apart double the size, lifting them changes nothing; one
        // finger moves.
        QPointingDevice* screen = QTest::createTouchDevice();
        QTest::touchEvent(view, screen).press(0, {100, 100}).press(1, {140, 100});
        QTest::touchEvent(view, screen).move(0, {90, 100}).move(1, {150, 100});
        QTest::touchEvent(view, screen).move(0, {80, 100}).move(1, {160, 100});
        QTest::touchEvent(view, screen).move(0, {80, 100}).move(1, {160, 100});
        QTest::touchEvent(view, screen).release(0, {80, 100}).release(1, {160, 100});
        QVERIFY(qAbs(zoom.contentScale() - 2.0) < 1e-9);
        QTest::touchEvent(view, screen).press(2, {50, 50});
        QTest::touchEvent(view, screen).move(2, {60, 45});
        QTest::touchEvent(view, screen).release(2, {60, 45});
        QCOMPARE(zoom.contentOffset(), QPointF(42, 42));
        QVERIFY(qAbs(zoom.contentScale() - 2.0) < 1e-9);

        // A wider window gives a wider cell; the zoom stays.
        view->resize(430, 640);
        QCoreApplication::sendPostedEvents();
        QVERIFY(qAbs(zoom.itemSize().width() - 372.727) < 0.01);
        QVERIFY(qAbs(cell->width() - 2 * 372.727) <= 2);
    }

    void sharingThePicture()
    {
        TestEnvironment test;
        ConsoleCapture console;
        const QImage picture = samplePicture();
        test.shared().selectedStamp.picture = picture;
        ZoomViewController zoom(test.environment());
        zoom.view();

        test.messages.setCanSendText(false);
        zoom.ShareButton->trigger();
        QCOMPARE(test.alerts.alerts().size(), 0);
        test.mainQueue.drain();
        QCOMPARE(test.alerts.alerts().size(), 1);
        QCOMPARE(test.alerts.last().title, QStringLiteral("Can't Send Text Message"));
        QCOMPARE(test.alerts.last().message,
                 QStringLiteral("Your device is not able to send text messages."));
        QCOMPARE(RecordingAlertPresenter::buttonTitles(test.alerts.last()),
                 QStringList{QStringLiteral("OK")});
        QVERIFY(test.shareSheet.requests().isEmpty());

        test.messages.setCanSendText(true);
        zoom.shareButtonClicked();
        QCOMPARE(test.shareSheet.requests().size(), 1);
        const ShareRequest& request = test.shareSheet.requests().first();
        QCOMPARE(request.items, QList<ShareItem>{ShareItem::fromPicture(picture)});
        QVERIFY(request.excludedActivityTypes.isEmpty());
        QCOMPARE(request.sourceView, zoom.view());

        // Without a picture the cell is empty and sharing says why nothing is offered.
        test.shared().selectedStamp.picture = QImage();
        ZoomViewController empty(test.environment());
        empty.view();
        QVERIFY(empty.cell()->ZoomImage->pixmap().isNull());
        empty.shareButtonClicked();
        QCOMPARE(test.shareSheet.requests().size(), 1);
        QCOMPARE(test.alerts.last().message, QStringLiteral("There is no picture to share."));
        QCOMPARE(test.mainQueue.pendingCount(), 0);
    }

    void layoutElements()
    {
        // A quarter turn, painted through the transform; the value is not kept.
        RotatableLabel label;
        QPixmap halves(40, 20);
        {
            QPainter painter(&halves);
            painter.fillRect(0, 0, 20, 20, Qt::red);
            painter.fillRect(20, 0, 20, 20, Qt::blue);
        }
        label.setPixmap(halves);
        label.setContentsMargins(0, 0, 0, 0);
        label.resize(40, 20);
        label.setRotation(90);
        QVERIFY(near(label.transform().map(QPointF(1, 0)), QPointF(0, 1)));
        QCOMPARE(label.rotation(), 0);
        label.setRotation(180);
        const QImage turned = label.grab().toImage();
        QCOMPARE(QColor(turned.pixel(5, 10)), QColor(Qt::blue));
        QCOMPARE(QColor(turned.pixel(35, 10)), QColor(Qt::red));
        label.setRotation(0);
        QVERIFY(label.transform().isIdentity());
        QCOMPARE(QColor(label.grab().toImage().pixel(5, 10)), QColor(Qt::red));

        // The title spans the whole content height from the top, wherever the content starts.
        VerticalButton button(QStringLiteral("Hello"));
        button.resize(200, 60);
        const QRect title = button.titleRectForContentRect(QRect(0, 0, 200, 60));
        QCOMPARE(title.y(), 0);
        QCOMPARE(title.height(), 60);
        QVERIFY(title.width() >= button.fontMetrics().horizontalAdvance(QStringLiteral("Hello")));
        QVERIFY(title.left() > 0 && title.right() < 200);
        QCOMPARE(button.titleRectForContentRect(QRect(5, 10, 200, 60)).y(), 0);
        QCOMPARE(button.titleRectForContentRect(QRect(5, 10, 200, 60)).height(), 60);
        // A long title keeps within the content's width and may wrap over its height.
        button.setText(QStringLiteral("A title far too long for one line of this button"));
        const QRect narrow = button.titleRectForContentRect(QRect(0, 0, 60, 60));
        QVERIFY(narrow.left() >= 0 && narrow.right() < 60);
        QCOMPARE(narrow.height(), 60);
    }
};

QTEST_MAIN(NotesZoomTest)
#include "tst_notes_zoom.moc"
