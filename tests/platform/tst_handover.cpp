#include "ConsoleCapture.h"
#include "FailureText.h"
#include "RecordingAlertPresenter.h"
#include "RecordingMailComposer.h"
#include "RecordingUrlOpener.h"
#include "platform/core/FilePrivacy.h"
#include "platform/gui/MailComposer.h"
#include "platform/gui/ShareActions.h"
#include "platform/gui/ShareSheet.h"
#include "platform/gui/UrlOpener.h"

#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString writeFile(const QTemporaryDir& folder, const QString& name, const QByteArray& data)
{
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return {};
    return file.fileName();
}

QImage sample()
{
    QImage image(64, 32, QImage::Format_RGB32);
    image.fill(QColor(20, 120, 200));
    return image;
}

ShareItem fileItem(const QString& path)
{
    return ShareItem::fromFile(QUrl::fromLocalFile(path));
}

QString twoPagePdf(const QTemporaryDir& folder)
{
    const QString path = folder.filePath(QStringLiteral("overview.pdf"));
    QPdfWriter writer(path);
    QPainter painter(&writer);
    painter.drawText(100, 100, QStringLiteral("first"));
    writer.newPage();
    painter.drawText(100, 100, QStringLiteral("second"));
    return path;
}

} // namespace

class HandoverTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mailForTheMailProgram()
    {
        MailMessage message;
        message.toRecipients = {QStringLiteral("club@example.org")};
        message.subject = QStringLiteral("My collection");
        message.body = QStringLiteral("<p>Dear <b>collector</b>,</p><p>see &amp; enjoy</p>");
        message.bodyIsHtml = true;
        message.attachments = {
            {QByteArray("\x89PNG first", 10), QStringLiteral("image/png"),
             QStringLiteral("../plate/1.png")},
            {QByteArray("second"), QStringLiteral("image/png"), QStringLiteral("../plate/1.png")},
        };

        QTemporaryDir folder;
        const Result<QStringList> written =
            XdgMailComposer::writeAttachments(message, folder.path());
        QVERIFY2(written, qPrintable(failureText(written)));
        const QStringList& paths = *written;
        QCOMPARE(paths.size(), 2);
        QVERIFY2(paths[0] != paths[1], "a name already taken is not overwritten");
        for (const QString& path : paths) {
            const QFileInfo info(path);
            QCOMPARE(info.absolutePath(), QFileInfo(folder.path()).absoluteFilePath());
            QVERIFY(!info.fileName().contains(QLatin1Char('/')));
            QVERIFY(!info.fileName().startsWith(QLatin1Char('.')));
        }
        QCOMPARE(readAll(paths[0]), message.attachments[0].data);
        QCOMPARE(readAll(paths[1]), message.attachments[1].data);

        const QStringList expected{QStringLiteral("--utf8"),
                                   QStringLiteral("--subject"),
                                   QStringLiteral("My collection"),
                                   QStringLiteral("--body"),
                                   QStringLiteral("Dear collector,\nsee & enjoy"),
                                   QStringLiteral("--attach"),
                                   paths[0],
                                   QStringLiteral("--attach"),
                                   paths[1],
                                   QStringLiteral("club@example.org")};
        QCOMPARE(XdgMailComposer::arguments(message, paths), expected);

        // A plain body is passed as written, markup and all.
        message.bodyIsHtml = false;
        message.body = QStringLiteral("1 < 2 <b>");
        QVERIFY(XdgMailComposer::arguments(message, {}).contains(message.body));
    }

    void offeredActivitiesFollowItemsAndExclusions()
    {
        QTemporaryDir folder;
        const QString binary =
            writeFile(folder, QStringLiteral("data.bin"), QByteArray("\0\1\2", 3));
        const QString text = writeFile(folder, QStringLiteral("notes.txt"), "Penny Black");
        const QList<ShareAction> all{ShareAction::Save, ShareAction::Copy, ShareAction::Mail,
                                     ShareAction::Open, ShareAction::Print};

        ShareRequest request;
        QVERIFY(ShareActions::offered(request).isEmpty());

        request.items = {ShareItem::fromText(QStringLiteral("Rate Vellora")),
                         ShareItem::fromPicture(sample()), fileItem(text),
                         fileItem(twoPagePdf(folder))};
        QCOMPARE(ShareActions::offered(request), all);

        request.excludedActivityTypes = {
            ActivityType::AirDrop,     ActivityType::AddToReadingList, ActivityType::Mail,
            ActivityType::Message,     ActivityType::PostToFacebook,   ActivityType::PostToTwitter,
            ActivityType::MarkupAsPDF, ActivityType::CopyToPasteboard, ActivityType::Print};
        QCOMPARE(ShareActions::offered(request),
                 (QList<ShareAction>{ShareAction::Save, ShareAction::Open}));

        request.excludedActivityTypes = {ActivityType::SaveToFiles,
                                         ActivityType::OpenInApplication};
        QCOMPARE(ShareActions::offered(request),
                 (QList<ShareAction>{ShareAction::Copy, ShareAction::Mail, ShareAction::Print}));

        // Nothing here can print a file of unknown content.
        request.excludedActivityTypes.clear();
        request.items.append(fileItem(binary));
        QVERIFY(!ShareActions::offered(request).contains(ShareAction::Print));
    }

    void copyFillsTheClipboard()
    {
        QClipboard& clipboard = *QGuiApplication::clipboard();
        QVERIFY(ShareActions::copy({ShareItem::fromText(QStringLiteral("Inverted Jenny")),
                                    ShareItem::fromPicture(sample())},
                                   clipboard));
        QCOMPARE(clipboard.text(), QStringLiteral("Inverted Jenny"));
        QCOMPARE(clipboard.image().size(), QSize(64, 32));
        QCOMPARE(clipboard.image().pixelColor(5, 5), QColor(20, 120, 200));

        QTemporaryDir folder;
        const QString text = writeFile(folder, QStringLiteral("notes.txt"), "Blue Mauritius\n");
        QVERIFY(ShareActions::copy({fileItem(text)}, clipboard));
        QCOMPARE(clipboard.mimeData()->urls(), QList<QUrl>{QUrl::fromLocalFile(text)});
        QCOMPARE(clipboard.text(), QStringLiteral("Blue Mauritius\n"));

        // A file gone missing is reported, and the clipboard keeps what it had.
        const Result<void> gone =
            ShareActions::copy({fileItem(folder.filePath(QStringLiteral("gone.txt")))}, clipboard);
        QVERIFY(!gone);
        QVERIFY(gone.error().contains(QStringLiteral("gone.txt")));
        QCOMPARE(clipboard.text(), QStringLiteral("Blue Mauritius\n"));
    }

    void saveWritesTheFileAndLosesNothing()
    {
        QTemporaryDir folder;

        const QString textPath = folder.filePath(QStringLiteral("out.txt"));
        QVERIFY(
            ShareActions::save(ShareItem::fromText(QStringLiteral("Gr\u00fc\u00dfe")), textPath));
        QCOMPARE(readAll(textPath), QStringLiteral("Gr\u00fc\u00dfe").toUtf8());

        const QString pngPath = folder.filePath(QStringLiteral("stamp.png"));
        QVERIFY(ShareActions::save(ShareItem::fromPicture(sample()), pngPath));
        QCOMPARE(QImage(pngPath).convertToFormat(QImage::Format_RGB32), sample());
        const QString jpegPath = folder.filePath(QStringLiteral("stamp.jpg"));
        QVERIFY(ShareActions::save(ShareItem::fromPicture(sample()), jpegPath));
        QVERIFY(readAll(jpegPath).startsWith("\xff\xd8"));

        const QString pdf = twoPagePdf(folder);
        const QString copyPath = folder.filePath(QStringLiteral("copy.pdf"));
        QVERIFY(ShareActions::save(fileItem(pdf), copyPath));
        QCOMPARE(readAll(copyPath), readAll(pdf));

        // Replacing works; a source that cannot be read leaves the old file as it was.
        QVERIFY(ShareActions::save(ShareItem::fromText(QStringLiteral("new")), textPath));
        QCOMPARE(readAll(textPath), QByteArray("new"));
        const Result<void> gone =
            ShareActions::save(fileItem(folder.filePath(QStringLiteral("gone.pdf"))), textPath);
        QVERIFY(!gone);
        QVERIFY(gone.error().contains(QStringLiteral("gone.pdf")));
        QCOMPARE(readAll(textPath), QByteArray("new"));

        // Open writes a text to a file of its own first.
        const QUrl opened =
            ShareActions::openableUrl(ShareItem::fromText(QStringLiteral("x"))).value();
        QVERIFY(opened.isLocalFile());
        QCOMPARE(readAll(opened.toLocalFile()), QByteArray("x"));
    }

    void mailFromShareItems()
    {
        QTemporaryDir folder;
        const QString pdf = twoPagePdf(folder);
        const MailMessage message =
            ShareActions::buildMail({ShareItem::fromText(QStringLiteral("Look")),
                                     ShareItem::fromPicture(sample()), fileItem(pdf)})
                .value();
        QCOMPARE(message.body, QStringLiteral("Look"));
        QCOMPARE(message.attachments.size(), 2);
        QCOMPARE(message.attachments[0].mimeType, QStringLiteral("image/jpeg"));
        QVERIFY(message.attachments[0].data.startsWith("\xff\xd8"));
        QCOMPARE(message.attachments[1].fileName, QStringLiteral("overview.pdf"));
        QCOMPARE(message.attachments[1].mimeType, QStringLiteral("application/pdf"));
        QCOMPARE(message.attachments[1].data, readAll(pdf));

        // Through the dialog: Mail hands the same mail to the composer, or is disabled without one.
        RecordingMailComposer composer;
        RecordingUrlOpener urls;
        DialogShareSheet sheet(composer, urls);
        ShareRequest request{{ShareItem::fromText(QStringLiteral("Look"))}, {}, nullptr};
        composer.setCanSendMail(false);
        std::unique_ptr<QDialog> dialog(sheet.createDialog(request, nullptr));
        auto* mail = dialog->findChild<QPushButton*>(QStringLiteral("mailButton"));
        QVERIFY(mail && !mail->isEnabled() && !mail->toolTip().isEmpty());

        composer.setCanSendMail(true);
        request.excludedActivityTypes = {ActivityType::CopyToPasteboard};
        dialog.reset(sheet.createDialog(request, nullptr));
        QVERIFY(!dialog->findChild<QPushButton*>(QStringLiteral("copyButton")));
        mail = dialog->findChild<QPushButton*>(QStringLiteral("mailButton"));
        QVERIFY(mail && mail->isEnabled());
        mail->click();
        QCOMPARE(composer.messages().size(), 1);
        QCOMPARE(composer.messages().first().body, QStringLiteral("Look"));
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
    }

    void printPutsEveryItemOnPaper()
    {
        QTemporaryDir folder;
        const QString output = folder.filePath(QStringLiteral("printed.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(output);

        QStringList lines;
        for (int i = 0; i < 150; ++i)
            lines << QStringLiteral("Line %1 of the list").arg(i);
        const Result<void> done = ShareActions::print(
            {ShareItem::fromText(QStringLiteral("Short")), ShareItem::fromPicture(sample()),
             fileItem(twoPagePdf(folder)), ShareItem::fromText(lines.join(QLatin1Char('\n')))},
            printer);
        QVERIFY2(done, qPrintable(failureText(done)));
        QPdfDocument printed;
        QCOMPARE(printed.load(output), QPdfDocument::Error::None);
        // One page each for the short text and the picture, two for the PDF, more for the list.
        QVERIFY2(printed.pageCount() >= 6, qPrintable(QString::number(printed.pageCount())));
        QVERIFY(printed.getAllText(0).text().contains(QStringLiteral("Short")));
        QVERIFY(printed.getAllText(4).text().contains(QStringLiteral("Line 0 of the list")));
        const int last = printed.pageCount() - 1;
        const QPdfSelection end = printed.getAllText(last);
        QVERIFY(end.text().contains(QStringLiteral("Line 149 of the list")));
        QVERIFY(!end.text().contains(QStringLiteral("Line 0 of the list")));
        QVERIFY2(QRectF(QPointF(), printed.pagePointSize(last)).contains(end.boundingRectangle()),
                 "the continued text lies on its page");

        // An item that cannot be read stops the job before it starts.
        const QString unprinted = folder.filePath(QStringLiteral("unprinted.pdf"));
        printer.setOutputFileName(unprinted);
        const Result<void> refused =
            ShareActions::print({ShareItem::fromText(QStringLiteral("a")),
                                 fileItem(folder.filePath(QStringLiteral("gone.pdf")))},
                                printer);
        QVERIFY(!refused);
        QVERIFY(!refused.error().isEmpty());
        QVERIFY(!QFileInfo::exists(unprinted));
    }

    void webAddressesAreHandedOnAsLinks()
    {
        const QUrl address(QStringLiteral("https://vellora.example/stamps?id=1&lang=de"));
        const QString text = address.toString(QUrl::FullyEncoded);
        const QList<ShareItem> items{ShareItem::fromText(QStringLiteral("Have a look")),
                                     ShareItem::fromAddress(address)};
        QCOMPARE(ShareActions::offered(ShareRequest{items, {}, nullptr}),
                 (QList<ShareAction>{ShareAction::Save, ShareAction::Copy, ShareAction::Mail,
                                     ShareAction::Open, ShareAction::Print}));

        QClipboard& clipboard = *QGuiApplication::clipboard();
        const Result<void> copied = ShareActions::copy(items, clipboard);
        QVERIFY2(copied, qPrintable(failureText(copied)));
        QCOMPARE(clipboard.text(), QStringLiteral("Have a look\n\n") + text);
        QCOMPARE(clipboard.mimeData()->urls(), QList<QUrl>{address});

        const MailMessage message = ShareActions::buildMail(items).value();
        QCOMPARE(message.body, QStringLiteral("Have a look\n\n") + text);
        QVERIFY(message.attachments.isEmpty());

        // The browser opens the address itself; saved, it is its text.
        QCOMPARE(ShareActions::openableUrl(items.last()).value(), address);
        QTemporaryDir folder;
        const QString saved = folder.filePath(ShareActions::suggestedFileName(items.last()));
        const Result<void> savedAddress = ShareActions::save(items.last(), saved);
        QVERIFY2(savedAddress, qPrintable(failureText(savedAddress)));
        QCOMPARE(readAll(saved), text.toUtf8());

        // An address that is not complete is refused everywhere, and the clipboard keeps its text.
        const ShareItem partial = ShareItem::fromAddress(QUrl(QStringLiteral("vellora.example")));
        const Result<void> refused = ShareActions::copy({partial}, clipboard);
        QVERIFY(!refused);
        QVERIFY(refused.error().contains(QStringLiteral("vellora.example")));
        QCOMPARE(clipboard.text(), QStringLiteral("Have a look\n\n") + text);
        QVERIFY(!ShareActions::buildMail({partial}));
        QVERIFY(!ShareActions::openableUrl(partial));
        QVERIFY(!ShareActions::save(partial, folder.filePath(QStringLiteral("partial.txt"))));
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("partial.txt"))));
    }

    // What the desktop cannot open is told with its address, refused at once or by xdg-open's
    // answer; what it can open is handed to it whole.
    void addressesTheDesktopCannotOpenAreTold_data()
    {
        QTest::addColumn<QUrl>("address");
        QTest::addColumn<int>("exitCode"); // xdg-open's
        QTest::addColumn<QString>("told"); // in the alert; empty when none is shown
        const QUrl page(QStringLiteral("https://www.delcampe.net/en/search?q=5c&year=1962"));
        const QUrl folder = QUrl::fromLocalFile(QStringLiteral("/tmp/Vellora data"));
        QTest::newRow("opened") << page << 0 << QString();
        QTest::newRow("no application for it") << page << 3 << page.toDisplayString();
        QTest::newRow("folder not opened") << folder << 4 << QStringLiteral("/tmp/Vellora data");
        QTest::newRow("relative") << QUrl(QStringLiteral("example.com/stamps")) << 0
                                  << QStringLiteral("example.com/stamps");
        QTest::newRow("empty") << QUrl() << 0 << QStringLiteral("not a complete address");
    }

    void addressesTheDesktopCannotOpenAreTold()
    {
        QFETCH(QUrl, address);
        QFETCH(int, exitCode);
        QFETCH(QString, told);
        // A stand-in for the desktop's xdg-open, first on the path: it keeps what it was handed.
        QTemporaryDir bin;
        const QString handed = bin.filePath(QStringLiteral("handed"));
        QFile script(bin.filePath(QStringLiteral("xdg-open")));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\nexit %2\n")
                         .arg(handed)
                         .arg(exitCode)
                         .toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8() + ':' + path);
        const auto restorePath = qScopeGuard([&path] { qputenv("PATH", path); });

        ConsoleCapture console;
        RecordingAlertPresenter alerts;
        DesktopOpener opener(alerts, QStringLiteral("browser"));
        opener.open(address);
        QTRY_COMPARE(opener.pendingCount(), 0);
        if (told.isEmpty()) {
            QVERIFY(alerts.alerts().isEmpty());
            QCOMPARE(readAll(handed), address.toString(QUrl::FullyEncoded).toUtf8());
            return;
        }
        QCOMPARE(alerts.alerts().size(), 1);
        QCOMPARE(alerts.last().title, QStringLiteral("Could Not Open"));
        QVERIFY2(alerts.last().message.contains(told), qPrintable(alerts.last().message));
        if (exitCode != 0)
            QCOMPARE(QString::fromUtf8(readAll(handed)), told);
    }

    // Vellora keeps its own files private, but what the programs it starts make is theirs: they
    // get the mask Vellora was started with, whether it waits for them or lets them go.
    void programsStartedGetTheMaskVelloraWasStartedWith_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("xdg-open, waited for") << QStringLiteral("xdg-open");
        QTest::newRow("xdg-email, let go") << QStringLiteral("xdg-email");
    }

    void programsStartedGetTheMaskVelloraWasStartedWith()
    {
        QFETCH(QString, program);
        // A stand-in first on the path: it says its mask and its arguments, all at once.
        QTemporaryDir bin;
        const QString said = bin.filePath(QStringLiteral("said"));
        QFile script(bin.filePath(program));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\n{ umask; printf '%s\\n' \"$@\"; } > '%1.part' && "
                                    "mv '%1.part' '%1'\n")
                         .arg(said)
                         .toUtf8());
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8() + ':' + path);
        const mode_t testMask = ::umask(022);
        FilePrivacy::keepNewFilesPrivate();
        const auto restore = qScopeGuard([&path, testMask] {
            qputenv("PATH", path);
            ::umask(testMask);
        });

        QStringList arguments;
        RecordingAlertPresenter alerts;
        DesktopOpener opener(alerts, QStringLiteral("browser"));
        if (program == QStringLiteral("xdg-open")) {
            const QUrl address(QStringLiteral("https://vellora.example/a b?c=1&d"));
            opener.open(address);
            QTRY_COMPARE(opener.pendingCount(), 0);
            QVERIFY(alerts.alerts().isEmpty());
            arguments = {address.toString(QUrl::FullyEncoded)};
        } else {
            MailMessage message;
            message.toRecipients = {QStringLiteral("club@example.org")};
            message.subject = QStringLiteral("It's \"mine\"; $HOME");
            const Result<void> presented = XdgMailComposer().present(message);
            QVERIFY2(presented, qPrintable(failureText(presented)));
            arguments = XdgMailComposer::arguments(message, {});
        }
        QTRY_VERIFY(QFileInfo::exists(said));
        QCOMPARE(QString::fromUtf8(readAll(said)).split(QLatin1Char('\n'), Qt::SkipEmptyParts),
                 QStringList{QStringLiteral("0022")} + arguments);
    }
};

QTEST_MAIN(HandoverTest)
#include "tst_handover.moc"
