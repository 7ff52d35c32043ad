#include "ConsoleCapture.h"
#include "FailureText.h"
#include "platform/core/PictureFile.h"
#include "platform/core/Pictures.h"
#include "platform/gui/Camera.h"
#include "platform/gui/DocumentPicker.h"
#include "platform/gui/Pasteboard.h"
#include "platform/gui/ShareActions.h"

#include <QApplication>
#include <QBuffer>
#include <QCameraDevice>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMediaDevices>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>
#include <sys/stat.h>

namespace {

QImage sample(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(200, 30, 40));
    return image;
}

QString writeFile(const QTemporaryDir& folder, const QString& name, const QByteArray& data)
{
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return {};
    return file.fileName();
}

QString writePicture(const QTemporaryDir& folder, const QString& name, const QImage& image)
{
    const QString path = folder.filePath(name);
    return image.save(path) ? path : QString();
}

QByteArray png(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A picture file whose header claims 30000 x 30000 pixels: more than Qt decodes, in a few bytes.
QByteArray hugeGraymap()
{
    return QByteArrayLiteral("P5\n30000 30000\n255\n") + QByteArray(16, '\x7f');
}

void putOnClipboard(std::unique_ptr<QMimeData> data)
{
    QGuiApplication::clipboard()->setMimeData(data.release());
}

} // namespace

class PictureSourcesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pasteboardReadsPicturesInEveryFormOnTheClipboard()
    {
        const ClipboardPasteboard pasteboard;
        QClipboard* clipboard = QGuiApplication::clipboard();

        clipboard->setImage(sample(40, 30));
        QVERIFY(pasteboard.hasImages());
        QCOMPARE(pasteboard.image().value().size(), QSize(40, 30));
        QCOMPARE(pasteboard.image().value().pixelColor(5, 5), QColor(200, 30, 40));

        clipboard->setText(QStringLiteral("Penny Black"));
        QVERIFY(!pasteboard.hasImages());
        QVERIFY(!pasteboard.image());

        // Encoded bytes, as browsers and image editors copy them.
        auto bytes = std::make_unique<QMimeData>();
        bytes->setData(QStringLiteral("image/png"), png(sample(12, 9)));
        putOnClipboard(std::move(bytes));
        QVERIFY(pasteboard.hasImages());
        QCOMPARE(pasteboard.image().value().size(), QSize(12, 9));

        // A picture file copied in a file manager; a copied text file is no picture.
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString picture = writePicture(folder, QStringLiteral("stamp.jpg"), sample(64, 48));
        const QString text = writeFile(folder, QStringLiteral("notes.png"), "not a picture");
        QVERIFY(!picture.isEmpty() && !text.isEmpty());
        auto files = std::make_unique<QMimeData>();
        files->setUrls({QUrl::fromLocalFile(text), QUrl::fromLocalFile(picture)});
        putOnClipboard(std::move(files));
        QVERIFY(pasteboard.hasImages());
        QCOMPARE(pasteboard.image().value().size(), QSize(64, 48));
        auto textFile = std::make_unique<QMimeData>();
        textFile->setUrls({QUrl::fromLocalFile(text)});
        putOnClipboard(std::move(textFile));
        QVERIFY(!pasteboard.hasImages());

        // Announced but broken: no picture, and the console says why.
        auto broken = std::make_unique<QMimeData>();
        broken->setData(QStringLiteral("image/png"), "\x89PNG broken");
        putOnClipboard(std::move(broken));
        ConsoleCapture console;
        QVERIFY(!pasteboard.image());
        QCOMPARE(console.lines().size(), 1);
        auto cutShort = std::make_unique<QMimeData>();
        cutShort->setData(QStringLiteral("image/jpeg"),
                          QtPictures().encodeJpeg(sample(12, 9), 0.9).value().chopped(2));
        putOnClipboard(std::move(cutShort));
        QVERIFY(!pasteboard.image());

        // What the share sheet's Copy puts there pastes back.
        QVERIFY(ShareActions::copy({ShareItem::fromPicture(sample(20, 10))}, *clipboard));
        QCOMPARE(pasteboard.image().value().size(), QSize(20, 10));
    }

    void aPictureFileIsRead()
    {
        const QtPictures pictures;
        QTemporaryDir folder;
        QVERIFY(folder.isValid());

        const QString stamp = writePicture(folder, QStringLiteral("stamp.png"), sample(33, 21));
        const Result<QImage> read = readPictureFile(stamp, pictures);
        QVERIFY2(read, qPrintable(failureText(read)));
        QCOMPARE(read->size(), QSize(33, 21));
        QCOMPARE(read->pixelColor(3, 3), QColor(200, 30, 40));
    }

    // Each file is made in an empty folder: "none" is not made, "folder" is made as a folder,
    // "pipe" as a named pipe.
    void aFileThatIsNoPictureIsRefusedByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("made");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QStringLiteral("missing.png") << QStringLiteral("none")
                                 << QByteArray()
                                 << QStringLiteral("missing.png could not be found.");
        QTest::newRow("text") << QStringLiteral("notes.txt") << QStringLiteral("file")
                              << QByteArray("Inverted Jenny\n")
                              << QStringLiteral("notes.txt is not a picture Vellora can read.");
        QTest::newRow("empty") << QStringLiteral("empty.jpg") << QStringLiteral("file")
                               << QByteArray() << QStringLiteral("empty.jpg is empty.");
        QTest::newRow("folder") << QStringLiteral("album.png") << QStringLiteral("folder")
                                << QByteArray()
                                << QStringLiteral("album.png is a folder, not a picture.");
        QTest::newRow("pipe") << QStringLiteral("stamp.png") << QStringLiteral("pipe")
                              << QByteArray()
                              << QStringLiteral("stamp.png is not a file Vellora can read.");
        QTest::newRow("device") << QStringLiteral("/dev/zero") << QStringLiteral("none")
                                << QByteArray()
                                << QStringLiteral("zero is not a file Vellora can read.");
        // Cut short by its end marker alone: decoded, it would be kept half grey.
        QTest::newRow("cut short")
            << QStringLiteral("stamp.jpg") << QStringLiteral("file")
            << QtPictures().encodeJpeg(sample(64, 48), 0.9).value().chopped(2)
            << QStringLiteral("stamp.jpg is incomplete: the file ends before the picture does.");
    }

    void aFileThatIsNoPictureIsRefusedByName()
    {
        QFETCH(QString, name);
        QFETCH(QString, made);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        if (made == QLatin1String("file"))
            QVERIFY(!writeFile(folder, name, content).isEmpty());
        else if (made == QLatin1String("folder"))
            QVERIFY(QDir(folder.path()).mkdir(name));
        else if (made == QLatin1String("pipe")) // with no writer: a read would wait for ever
            QCOMPARE(::mkfifo(QFile::encodeName(folder.filePath(name)).constData(), 0600), 0);

        ConsoleCapture console; // a failed decode is also told on the console
        const Result<QImage> result =
            readPictureFile(QDir(folder.path()).filePath(name), QtPictures());
        QVERIFY(!result);
        QCOMPARE(result.error(), reason);
    }

    void aPictureTooLargeToDecodeSaysItsSize()
    {
        const QtPictures pictures;
        ConsoleCapture console; // Qt and the decoding tell the console as well
        const Result<QImage, PictureRefusal> huge = pictures.read(hugeGraymap());
        QVERIFY(!huge);
        QCOMPARE(huge.error().text(), QStringLiteral("too large: 30000 x 30000 pixels"));
        // Bytes that are no picture have no reason beyond that.
        const Result<QImage, PictureRefusal> none =
            pictures.read(QByteArrayLiteral("P5\nno picture"));
        QVERIFY(!none);
        QVERIFY(!none.error().tooLarge.isValid());

        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString hugeFile = writeFile(folder, QStringLiteral("huge.pgm"), hugeGraymap());
        QVERIFY(!hugeFile.isEmpty());
        const Result<QImage> refused = readPictureFile(hugeFile, pictures);
        QVERIFY(!refused);
        QCOMPARE(refused.error(), QStringLiteral("huge.pgm is too large: 30000 x 30000 pixels"));

        // The same on the clipboard, as bytes and as a copied file.
        const ClipboardPasteboard pasteboard;
        auto bytes = std::make_unique<QMimeData>();
        bytes->setData(QStringLiteral("image/x-portable-graymap"), hugeGraymap());
        putOnClipboard(std::move(bytes));
        QVERIFY(pasteboard.hasImages());
        QCOMPARE(pasteboard.image().error().text(),
                 QStringLiteral("too large: 30000 x 30000 pixels"));
        auto files = std::make_unique<QMimeData>();
        files->setUrls({QUrl::fromLocalFile(hugeFile)});
        putOnClipboard(std::move(files));
        QVERIFY(pasteboard.hasImages());
        QCOMPARE(pasteboard.image().error().text(),
                 QStringLiteral("too large: 30000 x 30000 pixels"));
    }

    void pictureFileWithoutReadPermissionIsReported()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QFile locked(writePicture(folder, QStringLiteral("locked.png"), sample(4, 4)));
        QVERIFY(locked.setPermissions(QFileDevice::WriteOwner));
        if (QFile(locked.fileName()).open(QIODevice::ReadOnly))
            QSKIP("running as a user whom permissions do not stop");
        const Result<QImage> refused = readPictureFile(locked.fileName(), QtPictures());
        QVERIFY(!refused);
        QVERIFY2(refused.error().startsWith(QStringLiteral("locked.png could not be read: ")),
                 qPrintable(refused.error()));
    }

    void cameraIsAvailableOnlyWithACameraAndABackend()
    {
        const QtCamera camera;
        if (qEnvironmentVariable("QT_MEDIA_BACKEND") == QStringLiteral("none"))
            QVERIFY(!QtCamera::hasMultimediaBackend());
        // Without a backend Qt 6.4 would end the process here, so QMediaDevices is only asked
        // when one loads.
        if (QtCamera::hasMultimediaBackend())
            QCOMPARE(camera.isAvailable(), !QMediaDevices::videoInputs().isEmpty());
        else
            QVERIFY(!camera.isAvailable());
    }

    void cameraDialogWithoutACameraSaysSoAndCancels()
    {
        QtCamera camera;
        if (camera.isAvailable())
            QSKIP("a camera is connected; this checks the dialog without one");
        QWidget screen;
        int answers = 0;
        QImage answer = sample(1, 1);
        camera.capture(&screen, [&](const QImage& picture) {
            ++answers;
            answer = picture;
        });
        QPointer<QDialog> dialog = screen.findChild<QDialog*>(QStringLiteral("cameraDialog"));
        QVERIFY(dialog);
        QVERIFY2(dialog->isVisible(), "capture returns with the dialog open");
        QCOMPARE(answers, 0);
        const auto* message = dialog->findChild<QLabel*>(QStringLiteral("cameraMessage"));
        QVERIFY(message && !message->isHidden());
        QVERIFY(!message->text().isEmpty());
        QVERIFY(!dialog->findChild<QPushButton*>(QStringLiteral("takePictureButton"))->isEnabled());

        dialog->findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
        QCOMPARE(answers, 1);
        QVERIFY(answer.isNull());
        QTRY_VERIFY(!dialog);
        QCOMPARE(answers, 1);
    }

    void fileDialogAnswersOnceAndRemembersTheFolder()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString stamp = writePicture(folder, QStringLiteral("stamp.png"), sample(8, 8));
        QWidget screen;
        FileDialogDocumentPicker picker;
        QStringList answers;
        const auto record = [&](const QString& path) { answers << path; };
        const QStringList filters{QStringLiteral("Pictures (*.png *.jpg)")};

        QPointer<QFileDialog> dialog =
            picker.openDialog(&screen, QStringLiteral("Choose a Picture"), filters, record);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Choose a Picture"));
        QCOMPARE(dialog->nameFilters(), filters);
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
        QVERIFY(answers.isEmpty());
        dialog->selectFile(stamp);
        // QFileDialog hides accept(), which checks that the file exists, behind QDialog's.
        static_cast<QDialog*>(dialog.data())->accept();
        QCOMPARE(answers, QStringList{stamp});
        QTRY_VERIFY(!dialog);

        dialog = picker.openDialog(&screen, QStringLiteral("Choose a Picture"), filters, record);
        QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
        dialog->reject();
        QCOMPARE(answers, (QStringList{stamp, QString()}));
        QTRY_VERIFY(!dialog);
        QCOMPARE(answers.size(), 2);
    }

    void saveDialogOffersTheNameAndGivesTheChosenKindsEnding()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QWidget screen;
        FileDialogDocumentPicker picker;
        QStringList answers;
        const QStringList filters{QStringLiteral("PNG picture (*.png)"),
                                  QStringLiteral("SVG drawing (*.svg)")};

        QPointer<QFileDialog> dialog = picker.openSaveDialog(
            &screen, QStringLiteral("Save the Chart"), QStringLiteral("chart.png"), filters,
            [&](const QString& path) { answers << path; });
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog->nameFilters(), filters);
        QCOMPARE(dialog->defaultSuffix(), QStringLiteral("png"));
        // The collector picks the second kind and types a name without an ending.
        Q_EMIT dialog->filterSelected(filters.at(1));
        dialog->selectFile(QDir(folder.path()).filePath(QStringLiteral("chart")));
        static_cast<QDialog*>(dialog.data())->accept();
        QCOMPARE(answers, QStringList{QDir(folder.path()).filePath(QStringLiteral("chart.svg"))});
        QTRY_VERIFY(!dialog);
    }
};

QTEST_MAIN(PictureSourcesTest)
#include "tst_picturesources.moc"
