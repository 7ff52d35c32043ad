#include "ConsoleCapture.h"
#include "platform/core/Pictures.h"
#include "platform/core/UserDefaults.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// Noise, so that the JPEG quality shows in the size of the bytes.
QImage noise(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, random.generate() | 0xff000000u);
    return image;
}

bool nearly(QColor actual, QColor expected)
{
    return qAbs(actual.red() - expected.red()) < 16 &&
           qAbs(actual.green() - expected.green()) < 16 &&
           qAbs(actual.blue() - expected.blue()) < 16;
}

} // namespace

class PicturesAndDefaultsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void jpegKeepsTheSizeAndLaysTransparencyOnWhite()
    {
        QImage source(120, 80, QImage::Format_ARGB32);
        source.fill(Qt::transparent);
        for (int y = 0; y < 80; ++y)
            for (int x = 60; x < 120; ++x)
                source.setPixelColor(x, y, Qt::red);
        const QtPictures pictures;
        const QImage png = pictures.decode(encoded(source, "PNG"));
        QVERIFY(png.hasAlphaChannel());

        const QByteArray jpeg = pictures.encodeJpeg(png, 0.6).value();
        QVERIFY(jpeg.startsWith("\xff\xd8"));
        const QImage back = pictures.decode(jpeg);
        QCOMPARE(back.size(), QSize(120, 80));
        QVERIFY2(nearly(back.pixelColor(10, 40), Qt::white), "transparent parts come out white");
        QVERIFY(nearly(back.pixelColor(100, 40), Qt::red));

        const Result<QByteArray> nothing = pictures.encodeJpeg(QImage(), 0.6);
        QVERIFY(!nothing);
        QCOMPARE(nothing.error(), QStringLiteral("An empty picture cannot be saved as JPEG."));
    }

    void qualityIsQtsHundredScale()
    {
        const QImage image = noise(200, 150);
        const QtPictures pictures;
        const QByteArray low = pictures.encodeJpeg(image, 0.2).value();
        const QByteArray high = pictures.encodeJpeg(image, 0.9).value();
        QVERIFY2(low.size() < high.size(), "a higher quality keeps more detail");

        QByteArray sixty;
        QBuffer buffer(&sixty);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(60);
        QVERIFY(writer.write(image));
        QCOMPARE(pictures.encodeJpeg(image, 0.6).value(), sixty);
    }

    void badBytesDecodeToNothingWithAMessage()
    {
        const QtPictures pictures;
        ConsoleCapture console;
        QVERIFY(pictures.decode(QByteArray("this is no picture at all")).isNull());
        QVERIFY(pictures.decodeScaled(QByteArray("\xff\xd8 broken", 9), QSize(50, 50)).isNull());
        QCOMPARE(console.lines().size(), 2);

        // A stamp without a picture is normal, not worth a line.
        console.clear();
        QVERIFY(pictures.decode(QByteArray()).isNull());
        QVERIFY(console.lines().isEmpty());
    }

    void scaledDecodingFitsTheBox_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QSize>("box");
        QTest::addColumn<QSize>("fitted");
        for (const char* format : {"JPEG", "PNG"}) {
            const QByteArray name(format);
            QTest::addRow("%s, square box", format) << name << QSize(100, 100) << QSize(100, 50);
            QTest::addRow("%s, flat box", format) << name << QSize(300, 50) << QSize(100, 50);
            // Smaller than the box: left as it is.
            QTest::addRow("%s, larger box", format) << name << QSize(1000, 1000) << QSize(400, 200);
        }
    }

    void scaledDecodingFitsTheBox()
    {
        QFETCH(QByteArray, format);
        QFETCH(QSize, box);
        QFETCH(QSize, fitted);
        const QByteArray bytes = encoded(noise(400, 200), format.constData());
        QCOMPARE(QtPictures().decodeScaled(bytes, box).size(), fitted);
        QCOMPARE(QtPictures().sizeOf(bytes), QSize(400, 200));
    }

    void aPictureStoredOnItsSideIsFittedUpright()
    {
        const QtPictures pictures;
        const QImage wide = noise(400, 200);
        QByteArray turned;
        QBuffer buffer(&turned);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setTransformation(QImageIOHandler::TransformationRotate90);
        QVERIFY(writer.write(wide));
        QCOMPARE(pictures.decode(turned).size(), QSize(200, 400));
        QCOMPARE(pictures.decodeScaled(turned, QSize(100, 100)).size(), QSize(50, 100));
        QCOMPARE(pictures.sizeOf(turned), QSize(200, 400));
        QVERIFY(pictures.sizeOf(QByteArrayLiteral("not a picture")).isEmpty());
    }

    void userDefaultsLastInTheIniFile()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("Data/defaults.ini"));
        {
            SettingsUserDefaults defaults(path);
            QCOMPARE(defaults.boolForKey(QStringLiteral("SortAscending")), false);
            defaults.setBool(QStringLiteral("SortAscending"), true);
            defaults.setBool(QStringLiteral("HintShown"), true);
            defaults.setBool(QStringLiteral("HintShown"), false);
            QVERIFY(defaults.synchronize());

            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray text = file.readAll();
            QVERIFY2(text.contains("SortAscending=true"), text.constData());
            QVERIFY2(text.contains("HintShown=false"), text.constData());
        }
        SettingsUserDefaults reopened(path);
        QCOMPARE(reopened.boolForKey(QStringLiteral("SortAscending")), true);
        QCOMPARE(reopened.boolForKey(QStringLiteral("HintShown")), false);
        QCOMPARE(reopened.boolForKey(QStringLiteral("NeverSet")), false);
    }

    void unwritableUserDefaultsSaySo()
    {
        QTemporaryDir folder;
        // A file where the folder should be: no one can write there, not even root.
        QFile blocker(folder.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        ConsoleCapture console;
        SettingsUserDefaults defaults(blocker.fileName() + QStringLiteral("/defaults.ini"));
        defaults.setBool(QStringLiteral("SortAscending"), true);
        const Result<void> written = defaults.synchronize();
        QVERIFY(!written);
        QVERIFY(written.error().contains(QStringLiteral("defaults.ini")));
        QCOMPARE(console.lines().size(), 1);
        QVERIFY(console.lines().first().contains(written.error()));
    }
};

QTEST_GUILESS_MAIN(PicturesAndDefaultsTest)
#include "tst_pictures_defaults.moc"
