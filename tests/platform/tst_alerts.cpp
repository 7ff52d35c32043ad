#include "RecordingAlertPresenter.h"
#include "platform/gui/Alert.h"
#include "platform/gui/NavigationController.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class AlertsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aBoxShowsItsTitleOnceAndInFull_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::newRow("short") << QStringLiteral("Record not Saved!")
                               << QStringLiteral("Duplicates not allowed");
        // Wider than a message box lets its text grow before it wraps.
        QTest::newRow("long") << QStringLiteral("Process Complete - File Ready to Save to Files "
                                                "or Email, or to Print")
                              << QStringLiteral("OK");
        QTest::newRow("message as the title")
            << QStringLiteral("Clipboard") << QStringLiteral("Clipboard");
    }

    void aBoxShowsItsTitleOnceAndInFull()
    {
        QFETCH(QString, title);
        QFETCH(QString, message);
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        MessageBoxAlertPresenter presenter(&window);
        presenter.present(Alert::withOk(title, message));
        QPointer<QMessageBox> box = window.findChild<QMessageBox*>();
        QVERIFY(box && box->isVisible());

        // Shown once, in the box, where nothing cuts it: not again in the title bar or below.
        const QString shown = box->windowTitle() + QLatin1Char('\n') + box->text() +
                              QLatin1Char('\n') + box->informativeText();
        QCOMPARE(shown.count(title), 1);
        QCOMPARE(box->text(), title);
        QLabel* headline = nullptr;
        for (QLabel* label : box->findChildren<QLabel*>()) {
            if (label->text() == title)
                headline = label;
        }
        QVERIFY(headline);
        QVERIFY(headline->font().bold());
        QVERIFY(headline->isVisible());
        // On one line: the box and its headline are as wide as the title's text.
        const int titleWidth = QFontMetrics(headline->font()).horizontalAdvance(title);
        QVERIFY2(headline->width() >= titleWidth,
                 qPrintable(QStringLiteral("%1 < %2").arg(headline->width()).arg(titleWidth)));
        QVERIFY(box->width() >= titleWidth);
        QVERIFY(headline->height() < 2 * QFontMetrics(headline->font()).lineSpacing());

        box->buttons().constFirst()->click();
        runDeferredDeletes();
        QVERIFY(!box);
    }

    void returnNeverConfirmsADestructiveChoice()
    {
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        MessageBoxAlertPresenter presenter(&window);
        bool discarded = false;
        bool kept = false;
        presenter.present(Alert{QStringLiteral("Discard changes?"),
                                {},
                                {{QStringLiteral("Discard"), AlertAction::Style::Destructive,
                                  [&discarded] { discarded = true; }},
                                 {QStringLiteral("Keep Editing"), AlertAction::Style::Cancel,
                                  [&kept] { kept = true; }}}});
        QPointer<QMessageBox> box = window.findChild<QMessageBox*>();
        QVERIFY(box && box->isVisible());
        QVERIFY(box->defaultButton());
        QCOMPARE(box->defaultButton()->text(), QStringLiteral("Keep Editing"));
        // Return goes to the button with the focus.
        QTRY_VERIFY(box->focusWidget());
        QCOMPARE(box->focusWidget(), box->defaultButton());
        QTest::keyClick(box->focusWidget(), Qt::Key_Return);
        QTRY_VERIFY(kept);
        QVERIFY(!discarded);
        runDeferredDeletes();
    }

    // One alert at a time, window-modal on the screen that raised it; a screen that closes takes
    // its alerts with it, the one shown and those waiting.
    void alertsWaitTheirTurnAndGoWithTheirScreen()
    {
        NavigationController window(std::make_unique<ViewController>(QStringLiteral("Menu")));
        auto pushed = std::make_unique<ViewController>(QStringLiteral("Import"));
        ViewController* import = pushed.get();
        window.pushViewController(std::move(pushed), false);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        MessageBoxAlertPresenter presenter(&window);
        QStringList answered;
        const auto answering = [&answered](const QString& title) {
            Alert alert = Alert::withOk(title, QString());
            alert.actions.first().handler = [&answered, title] { answered << title; };
            return alert;
        };

        presenter.present(answering(QStringLiteral("Loaded")));
        presenter.present(answering(QStringLiteral("Imported")));
        QPointer<QMessageBox> first = presenter.shownBox();
        QVERIFY(first && first->isVisible());
        QCOMPARE(first->text(), QStringLiteral("Loaded"));
        QCOMPARE(first->parentWidget(), import->view());
        QCOMPARE(first->windowModality(), Qt::WindowModal);
        QCOMPARE(window.findChildren<QMessageBox*>().size(), 1);
        first->buttons().constFirst()->click();
        QCOMPARE(answered, QStringList{QStringLiteral("Loaded")});
        QTRY_VERIFY(presenter.shownBox() && presenter.shownBox() != first);
        QCOMPARE(presenter.shownBox()->text(), QStringLiteral("Imported"));

        presenter.present(answering(QStringLiteral("Waiting")));
        window.popViewController(false);
        runDeferredDeletes();
        QTRY_VERIFY(window.findChildren<QMessageBox*>().isEmpty());
        QCoreApplication::processEvents();
        QVERIFY(!presenter.shownBox());
        QCOMPARE(answered, QStringList{QStringLiteral("Loaded")});

        // The next alert belongs to the screen on show now.
        presenter.present(answering(QStringLiteral("Menu")));
        QVERIFY(presenter.shownBox());
        QCOMPARE(presenter.shownBox()->parentWidget(), window.topViewController()->view());
        presenter.shownBox()->buttons().constFirst()->click();
        runDeferredDeletes();
    }

    void handlersOfAGoneContextDoNotRun()
    {
        QStringList ran;
        auto screen = std::make_unique<QObject>();
        QObject stays;
        RecordingAlertPresenter alerts;
        const auto alertRecording = [&ran](const QString& what) {
            Alert alert = Alert::withOk(what, QString());
            alert.actions.first().handler = [&ran, what] { ran << what; };
            return alert;
        };
        alerts.present(alertRecording(QStringLiteral("gone")).withContext(screen.get()));
        alerts.present(alertRecording(QStringLiteral("stays")).withContext(&stays));
        alerts.present(alertRecording(QStringLiteral("plain")));
        screen.reset();
        for (int i = 0; i < 3; ++i)
            QVERIFY(alerts.tap(QStringLiteral("OK")));
        QCOMPARE(ran, (QStringList{QStringLiteral("stays"), QStringLiteral("plain")}));
    }
};

QTEST_MAIN(AlertsTest)
#include "tst_alerts.moc"
