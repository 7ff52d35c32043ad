#include "BluePixels.h"
#include "ConsoleCapture.h"
#include "LocaleScope.h"
#include "TemporaryStore.h"
#include "VelloraProcess.h"
#include "platform/core/Pictures.h"
#include "platform/core/ReportPages.h"
#include "reports/StampReport.h"
#include "store/Entities.h"
#include "store/ObjectContext.h"
#include "store/StampGroups.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace {

const QLocale UnitedStates(QLocale::English, QLocale::UnitedStates);
const QLocale Germany(QLocale::German, QLocale::Germany);

// A picture of one colour, with a lighter band so JPEG has something to encode.
QByteArray jpeg(int width, int height, QColor colour = QColor(20, 30, 140))
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return QtPictures().encodeJpeg(image, 0.9).value();
}

Stamps* addStamp(ObjectContext& context, const std::optional<QString>& denomination, qint16 year)
{
    Stamps* stamp = context.insertNewObject<Stamps>();
    stamp->setDenomination(denomination);
    stamp->setYearOfIssue(year);
    return stamp;
}

// Every text of the breakdown filled in, each naming its label.
void fillAllTexts(Stamps& stamp, const QString& tag)
{
    stamp.setDescrip(tag + QStringLiteral(" description"));
    stamp.setCountry(tag + QStringLiteral(" country"));
    stamp.setPerforations(QStringLiteral("12"));
    stamp.setGum(QStringLiteral("Original"));
    stamp.setMargins(QStringLiteral("Wide"));
    stamp.setScottNumber(tag + QStringLiteral("-scott"));
    stamp.setPaper(QStringLiteral("Wove"));
    stamp.setColor(QStringLiteral("Blue"));
    stamp.setGrade(QStringLiteral("VF"));
    stamp.setCondition(QStringLiteral("Mint"));
    stamp.setSeries(QStringLiteral("Famous"));
    stamp.setCentering(QStringLiteral("Well"));
    stamp.setStatus(QStringLiteral("Have"));
    stamp.setFaults(QStringLiteral("None"));
    stamp.setNotes(tag + QStringLiteral(" notes"));
}

QList<QTextImageFormat> pictureFormats(const QTextDocument& document)
{
    QList<QTextImageFormat> formats;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                formats << format.toImageFormat();
        }
    }
    return formats;
}

QByteArray checksum(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

struct Pdf
{
    explicit Pdf(const QString& path) { document.load(path); }
    QString text() const
    {
        QString all;
        for (int page = 0; page < document.pageCount(); ++page)
            all += const_cast<QPdfDocument&>(document).getAllText(page).text() + QLatin1Char('\n');
        return all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    QPdfDocument document;
};

VelloraRun vellora(const QStringList& arguments)
{
    return runVellora(QStringLiteral(VELLORA_EXECUTABLE), arguments);
}

} // namespace

class ReportsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void breakdownBlocksPrintPresentTextsAndSkipAbsentOnes()
    {
        LocaleScope locale(UnitedStates);
        TemporaryStore store;
        Stamps* bare = addStamp(store.context(), QStringLiteral("5c"), 0);
        Stamps* full = addStamp(store.context(), QStringLiteral("10c"), 1962);
        fillAllTexts(*full, QStringLiteral("Full"));
        full->setCountry(QStringLiteral(""));
        full->setQuantity(3);
        full->setCost(12.5f);
        full->setValue(3.0f);
        Stamps* nameless = addStamp(store.context(), std::nullopt, -5);
        nameless->setQuantity(-2);
        nameless->setValue(0.1f);

        const QtPictures pictures;
        const auto report = StampReports::buildBreakdown(StampReports::breakdown(StampGroups::Year),
                                                         {bare, full, nameless}, 390, pictures);
        QVERIFY(report);
        // Under the title, the copies and their value: 0 + 3 - 2 copies, 9.00 - 0.20.
        QCOMPARE(report->toPlainText(), QStringLiteral("Stamps Filtered by Year: 0\n"
                                                       "Number of stamps: 1 - Total value: $8.80\n"
                                                       "\n"
                                                       "Denomination: 5c\n"
                                                       "Year Issued: 0\n"
                                                       "Quantity: 0\n"
                                                       "Cost: $0.00\n"
                                                       "Est. Value: $0.00\n"
                                                       "\n"
                                                       "\n"
                                                       "Denomination: 10c\n"
                                                       "Year Issued: 1962\n"
                                                       "Description: Full description\n"
                                                       "Country: \n"
                                                       "Perforations: 12\n"
                                                       "Gum: Original\n"
                                                       "Margins: Wide\n"
                                                       "Scott #: Full-scott\n"
                                                       "Paper: Wove\n"
                                                       "Color: Blue\n"
                                                       "Grade: VF\n"
                                                       "Condition: Mint\n"
                                                       "Series: Famous\n"
                                                       "Centered: Well\n"
                                                       "Status: Have\n"
                                                       "Faults: None\n"
                                                       "Quantity: 3\n"
                                                       "Cost: $12.50\n"
                                                       "Est. Value: $3.00\n"
                                                       "Notes: Full notes\n"
                                                       "\n"
                                                       "\n"
                                                       "Year Issued: -5\n"
                                                       "Quantity: -2\n"
                                                       "Cost: $0.00\n"
                                                       "Est. Value: $0.10\n"
                                                       "\n"
                                                       "\n"));

        // The title and the blank line after the summary are centred black Arial 21, the summary
        // centred in the body font; the lines are left-aligned black text in the body font.
        const QTextBlock title = report->begin();
        const QTextBlock summary = title.next();
        for (const QTextBlock& block : {title, summary.next()}) {
            QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
            QCOMPARE(block.charFormat().fontFamilies().toStringList(),
                     QStringList{QStringLiteral("Arial")});
            QCOMPARE(block.charFormat().fontPointSize(), 21.0);
        }
        QCOMPARE(title.begin().fragment().charFormat().foreground().color(), QColor(Qt::black));
        QCOMPARE(summary.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QVERIFY(!summary.begin().fragment().charFormat().hasProperty(QTextFormat::FontFamilies));
        const QTextBlock line = summary.next().next();
        QCOMPARE(line.text(), QStringLiteral("Denomination: 5c"));
        QVERIFY(!(line.blockFormat().alignment() & Qt::AlignHCenter));
        QVERIFY(!line.begin().fragment().charFormat().hasProperty(QTextFormat::FontFamilies));
        QCOMPARE(line.begin().fragment().charFormat().foreground().color(), QColor(Qt::black));

        // A first stamp without the group's text gives the title an empty value.
        const auto byCountry = StampReports::buildBreakdown(
            StampReports::breakdown(StampGroups::Country), {nameless, full}, 390, pictures);
        QCOMPARE(byCountry->begin().text(), QStringLiteral("Stamps Filtered by Country: "));
        QCOMPARE(StampReports::breakdown(StampGroups::Country).fileName,
                 "StampsFilteredByCountry.pdf");
    }

    void picturesAreASixthOfTheViewWideAndDecodedForPrint()
    {
        TemporaryStore store;
        Stamps* pictured = addStamp(store.context(), QStringLiteral("5c"), 1962);
        pictured->setStampImage(jpeg(1200, 900));
        Stamps* plain = addStamp(store.context(), QStringLiteral("6c"), 1962);
        Stamps* broken = addStamp(store.context(), QStringLiteral("7c"), 1962);
        broken->setStampImage(QByteArray("not a picture"));
        Stamps* tall = addStamp(store.context(), QStringLiteral("8c"), 1962);
        tall->setStampImage(jpeg(100, 1000));
        QVERIFY(store.context().save());

        const QtPictures pictures;
        ConsoleCapture console;
        const auto report = StampReports::buildBreakdown(StampReports::breakdown(StampGroups::Year),
                                                         {pictured, plain, broken}, 390, pictures);
        const QList<QTextImageFormat> formats = pictureFormats(*report);
        QCOMPARE(formats.size(), 1);
        QCOMPARE(formats.first().width(), 65.0);
        QCOMPARE(formats.first().height(), 48.75);
        // The picture is followed by three spaces; a stamp without a picture that decodes has
        // neither, and each block still ends with a blank line.
        const QString text = report->toPlainText();
        const qsizetype picture = text.indexOf(QChar::ObjectReplacementCharacter);
        QVERIFY(text.mid(picture - 1)
                    .startsWith(QStringLiteral("\n") + QChar::ObjectReplacementCharacter +
                                QStringLiteral("   \n\nDenomination: 6c\n")));
        QVERIFY(text.contains(QStringLiteral("\n\n\nDenomination: 7c")));
        QVERIFY(text.endsWith(QStringLiteral("\n\n\n")));
        QCOMPARE(text.count(QStringLiteral("   ")), 1);
        // The stored bytes are let go once read; they come back from the store when asked for.
        QVERIFY(!pictured->isAttributeLoaded(QStringLiteral("stampImage")));
        QVERIFY(pictured->stampImage().has_value());

        // On paper the picture is 65 points wide, decoded when drawn to 300 dots per inch at
        // that width (271 pixels of 1200), and let go again.
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("pictured.pdf"));
        QVERIFY(ReportPages::writePdf(*report, path).ok());
        Pdf pdf(path);
        const QRect onPaper = bluePixels(pdf.document.render(0, QSize(595, 842)));
        QVERIFY2(qAbs(onPaper.width() - 65) <= 2, qPrintable(QString::number(onPaper.width())));
        QVERIFY2(qAbs(onPaper.height() - 49) <= 2, qPrintable(QString::number(onPaper.height())));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("/Width 271"));
        QVERIFY(!pictured->isAttributeLoaded(QStringLiteral("stampImage")));

        // A tall picture is at most a third of a page high, a wide one at most as wide as the
        // text column; both keep their aspect ratio.
        const BreakdownReport& byYear = StampReports::breakdown(StampGroups::Year);
        const QTextImageFormat narrow =
            pictureFormats(*StampReports::buildBreakdown(byYear, {tall}, 390, pictures)).first();
        QVERIFY2(narrow.height() > 240 && narrow.height() <= 841.8 / 3,
                 qPrintable(QString::number(narrow.height())));
        QCOMPARE(narrow.width() * 10, narrow.height());
        tall->setStampImage(jpeg(1200, 100));
        const QTextImageFormat wide =
            pictureFormats(*StampReports::buildBreakdown(byYear, {tall}, 6000, pictures)).first();
        QCOMPARE(wide.width(), 595.2 - 72);
        QCOMPARE(wide.height() * 12, wide.width());

        // A picture with unsaved changes is kept in memory: it is not in the store yet.
        pictured->setStampImage(jpeg(300, 200));
        StampReports::buildPrintAll(*StampReports::printAllFor(QStringLiteral("Menu")), {pictured},
                                    390, pictures);
        QVERIFY(pictured->isAttributeLoaded(QStringLiteral("stampImage")));
    }

    void blocksAreNeverSplitAcrossPagesWhichSayTheirNumber()
    {
        LocaleScope locale(UnitedStates);
        TemporaryStore store;
        // Pictures of mixed heights (the tallest kept to a third of a page), and one stamp whose
        // notes alone are longer than a page.
        const QList<QSize> shapes = {{400, 300}, {300, 900}, {100, 1000}, {800, 200}};
        QStringList longNotes;
        for (int line = 0; line < 70; ++line)
            longNotes << QStringLiteral("Note line %1").arg(line);
        QList<Stamps*> stamps;
        for (int i = 0; i < 40; ++i) {
            Stamps* stamp = addStamp(store.context(), QStringLiteral("D%1").arg(i), 1962);
            fillAllTexts(*stamp, QStringLiteral("S%1").arg(i));
            stamp->setQuantity(2);
            stamp->setValue(1.25f);
            const QSize shape = shapes.at(i % shapes.size());
            stamp->setStampImage(jpeg(shape.width(), shape.height()));
            stamps << stamp;
        }
        stamps.at(20)->setNotes(longNotes.join(u'\n'));
        QVERIFY(store.context().save());
        const QtPictures pictures;
        const auto report =
            StampReports::buildBreakdown(StampReports::breakdown(StampGroups::Year), stamps,
                                         ReportPages::DefaultViewWidth, pictures);
        ReportPages::setMadeOn(*report, QDate(2026, 12, 7));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("StampsFilteredByYear.pdf"));
        ConsoleCapture console;
        QCOMPARE(ReportPages::writePdf(*report, path).value(), WorkEnd::Finished);
        QCOMPARE(console.lines(),
                 QStringList{QStringLiteral("wrote PDF file with multiple pages to: ") + path});

        Pdf pdf(path);
        const int pages = pdf.document.pageCount();
        QVERIFY2(pages > 10, qPrintable(QString::number(pages)));
        QString all;
        QString previous;
        int continued = 0;
        for (int page = 0; page < pages; ++page) {
            const QSizeF size = pdf.document.pagePointSize(page);
            QVERIFY2(qAbs(size.width() - 595.2) <= 0.5 && qAbs(size.height() - 841.8) <= 0.5,
                     qPrintable(QStringLiteral("page %1: %2 x %3")
                                    .arg(page)
                                    .arg(size.width())
                                    .arg(size.height())));
            // Lines are parted by a line break or a space, as the PDF reader sees fit.
            const QString text = pdf.document.getAllText(page).text().simplified();
            all += text + u' ';
            const QString where = QStringLiteral("page %1: ").arg(page) + text.left(40);
            QVERIFY2(text.contains(QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages)),
                     qPrintable(where));
            QVERIFY2(text.contains(QStringLiteral("Monday, December 7, 2026")), qPrintable(where));
            if (page == 0) {
                QVERIFY2(text.startsWith(QStringLiteral("Stamps Filtered by Year: 1962 "
                                                        "Number of stamps: 80 - Total value: "
                                                        "$100.00 ")),
                         qPrintable(text));
            } else if (!text.startsWith(QStringLiteral("Denomination: D"))) {
                // Only the stamp longer than a page goes on over the next, from a whole line.
                QVERIFY2(text.startsWith(QStringLiteral("Note line ")), qPrintable(where));
                QVERIFY2(previous.startsWith(QStringLiteral("Denomination: D20 ")),
                         qPrintable(previous.left(40)));
                ++continued;
            }
            // A page's pictures lie below its first line: none was left over from the page
            // before.
            const QRectF firstLine =
                pdf.document.getSelectionAtIndex(page, 0, 5).boundingRectangle();
            const QRect pictures = bluePixels(pdf.document.render(page, QSize(595, 842)));
            QVERIFY2(pictures.isNull() || pictures.top() > firstLine.bottom(),
                     qPrintable(where + QStringLiteral(" picture at %1").arg(pictures.top())));
            previous = text;
        }
        QCOMPARE(continued, 1);
        // Every line is on exactly one page: nothing fell off a page's bottom or came twice.
        for (int i = 0; i < 40; ++i) {
            const QString last =
                i == 20 ? longNotes.last() : QStringLiteral("Notes: S%1 notes").arg(i);
            QVERIFY2(all.count(QStringLiteral("Denomination: D%1 ").arg(i)) == 1 &&
                         all.count(last + u' ') == 1,
                     qPrintable(QString::number(i)));
        }
        for (const QString& line : std::as_const(longNotes))
            QVERIFY2(all.count(line + u' ') == 1, qPrintable(line));

        // The title is set in Arial (its metric twin here) 21-point type, centred on the page.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("/BaseFont /LiberationSans"));
        const QString title = QStringLiteral("Stamps Filtered by Year: 1962");
        const QRectF titleBox =
            pdf.document.getSelectionAtIndex(0, 0, int(title.size())).boundingRectangle();
        QVERIFY2(titleBox.height() > 18 && titleBox.height() < 30,
                 qPrintable(QString::number(titleBox.height())));
        QVERIFY2(qAbs(titleBox.center().x() - 595.2 / 2) < 6,
                 qPrintable(QString::number(titleBox.center().x())));
    }

    void aDocumentWithoutStampsFlowsLineByLineWithoutBlankPages()
    {
        QTextDocument document;
        QStringList lines;
        for (int line = 0; line < 150; ++line)
            lines << QStringLiteral("Line %1").arg(line);
        document.setPlainText(lines.join(u'\n') + QString(80, u'\n'));
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("plain.pdf"));
        QVERIFY(ReportPages::writePdf(document, path).ok());
        Pdf pdf(path);
        QVERIFY(pdf.document.pageCount() > 1);
        QString all;
        for (int page = 0; page < pdf.document.pageCount(); ++page) {
            const QString text = pdf.document.getAllText(page).text().simplified();
            QVERIFY2(text.startsWith(QStringLiteral("Line ")), qPrintable(text.left(40)));
            all += text + u' ';
        }
        QVERIFY(all.startsWith(QStringLiteral("Line 0 ")));
        for (const QString& line : std::as_const(lines))
            QVERIFY2(all.count(line + u' ') == 1, qPrintable(line));
    }

    void writingReplacesTheEarlierFileOrLeavesItAsItWas()
    {
        TemporaryStore store;
        Stamps* stamp = addStamp(store.context(), QStringLiteral("5c"), 1962);
        stamp->setCountry(QStringLiteral("France"));
        const QtPictures pictures;
        const auto byYear = StampReports::buildBreakdown(StampReports::breakdown(StampGroups::Year),
                                                         {stamp}, 390, pictures);
        const auto byCountry = StampReports::buildBreakdown(
            StampReports::breakdown(StampGroups::Country), {stamp}, 390, pictures);

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("report.pdf"));
        QVERIFY(ReportPages::writePdf(*byYear, path).ok());
        QVERIFY(ReportPages::writePdf(*byCountry, path).ok());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("report.pdf")});
        QVERIFY2(Pdf(path).text().contains(QStringLiteral("Stamps Filtered by Country: France")),
                 qPrintable(Pdf(path).text()));
        QVERIFY(!Pdf(path).text().contains(QStringLiteral("Stamps Filtered by Year")));
        const QByteArray written = checksum(path);

        // A missing folder, or a file where the folder should be, is said and not made.
        ConsoleCapture console;
        const QString missing = folder.filePath(QStringLiteral("missing/report.pdf"));
        const QString underFile = path + QStringLiteral("/report.pdf");
        for (const QString& target : {missing, underFile}) {
            console.clear();
            const Result<WorkEnd> refused = ReportPages::writePdf(*byYear, target);
            QVERIFY(!refused);
            QVERIFY(!refused.error().isEmpty());
            QCOMPARE(console.lines(),
                     QStringList{QStringLiteral("Could not create PDF file: ") + refused.error()});
        }
        QVERIFY(!QFileInfo::exists(folder.filePath(QStringLiteral("missing"))));
        QCOMPARE(checksum(path), written);

        // A folder that cannot be written keeps the earlier report (root writes anywhere).
        QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
        if (!QFileInfo(folder.path()).isWritable()) {
            const Result<WorkEnd> refused = ReportPages::writePdf(*byYear, path);
            QVERIFY(!refused);
            QVERIFY(!refused.error().isEmpty());
            QCOMPARE(checksum(path), written);
        }
        QFile::setPermissions(folder.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void cancellingLeavesNoReportAndNoFile()
    {
        TemporaryStore store;
        QList<Stamps*> stamps;
        for (int i = 0; i < 40; ++i) {
            Stamps* stamp = addStamp(store.context(), QStringLiteral("D%1").arg(i), 1962);
            fillAllTexts(*stamp, QStringLiteral("S%1").arg(i));
            stamps << stamp;
        }
        const QtPictures pictures;
        QList<qsizetype> told;
        const auto stopAtThree = [&](qsizetype done, qsizetype total) {
            told << done;
            return !(done == 3 && total == 40);
        };
        const BreakdownReport& byYear = StampReports::breakdown(StampGroups::Year);
        QVERIFY(!StampReports::buildBreakdown(byYear, stamps, 390, pictures, stopAtThree));
        QCOMPARE(told, (QList<qsizetype>{1, 2, 3}));
        const PrintAllReport& all = *StampReports::printAllFor(QStringLiteral("Menu"));
        QVERIFY(!StampReports::buildPrintAll(all, stamps, 390, pictures, stopAtThree));

        told.clear();
        const auto report = StampReports::buildBreakdown(byYear, stamps, 390, pictures,
                                                         [&](qsizetype done, qsizetype) {
                                                             told << done;
                                                             return true;
                                                         });
        QVERIFY(report);
        QCOMPARE(told.size(), 40);
        QCOMPARE(told.last(), 40);

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("report.pdf"));
        qsizetype pages = 0;
        QList<qsizetype> pagesDone;
        const auto stopAtSecondPage = [&](qsizetype done, qsizetype total) {
            pages = total;
            pagesDone << done;
            return done < 2;
        };
        ConsoleCapture console;
        QCOMPARE(ReportPages::writePdf(*report, path, stopAtSecondPage).value(),
                 WorkEnd::Cancelled);
        QVERIFY(pages > 2);
        QCOMPARE(pagesDone, (QList<qsizetype>{1, 2}));
        QVERIFY(console.lines().isEmpty());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList());

        // A cancelled report leaves the earlier one in place.
        QVERIFY(ReportPages::writePdf(*report, path).ok());
        const QByteArray written = checksum(path);
        QCOMPARE(ReportPages::writePdf(*report, path, stopAtSecondPage).value(),
                 WorkEnd::Cancelled);
        QCOMPARE(checksum(path), written);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("report.pdf")});
    }

    void printAllKindsHaveTheirTitleAndLines_data()
    {
        QTest::addColumn<QString>("marker");
        QTest::addColumn<QString>("expected");
        const QString blank = QStringLiteral("Qty: 0 - Total Value (Qty * Value): $0.00\n\n\n");
        const QString total = QStringLiteral("Qty: 2 - Total Value (Qty * Value): $2.50\n\n\n");
        QTest::newRow("Menu") << "Menu"
                              << QStringLiteral(
                                     "All Stamps Sorted by Scott #: \n\n"
                                     "Scott #: 7a\nDenomination: 5c\nDescription: Eagle\n"
                                     "Country: \nYear: 1962\n") +
                                     total +
                                     QStringLiteral(
                                         "Scott #:  Blank\nDenomination: Blank\n"
                                         "Description: Blank\nCountry: Blank\nYear: 0\n") +
                                     blank;
        QTest::newRow("ScottNumberBreakdown")
            << "ScottNumberBreakdown"
            << QStringLiteral(
                   "Stamps Filtered by Scott #: 7a\n\n"
                   "Scott #: 7a\nDenomination: 5c\nDescription: Eagle\nCountry: \nYear: 1962\n") +
                   total +
                   QStringLiteral("Scott #: Blank\nDenomination: Blank\nDescription: Blank\n"
                                  "Country: Blank\nYear: 0\n") +
                   blank;
        QTest::newRow("StatusBreakdown")
            << "StatusBreakdown"
            << QStringLiteral(
                   "Stamps Filtered by Status: Have\n\n"
                   "Status: Have\nYear: 1962\nDenomination: 5c\nDescription: Eagle\nCountry: \n") +
                   total +
                   QStringLiteral(
                       "Status: Blank\nYear: 0\nDenomination: Blank\nDescription: Blank\n"
                       "Country: Blank\n") +
                   blank;
        QTest::newRow("YearBreakdown")
            << "YearBreakdown"
            << QStringLiteral("Stamps Filtered by Year: 1962\n\n"
                              "Year: 1962\nDenomination: 5c\nDescription: Eagle\nCountry: \n") +
                   total +
                   QStringLiteral(
                       "Year: 0\nDenomination: Blank\nDescription: Blank\nCountry: Blank\n") +
                   blank;
        QTest::newRow("CountryBreakdown")
            << "CountryBreakdown"
            << QStringLiteral("Stamps Filtered by Country: \n\n"
                              "Country: \nDenomination: 5c\nDescription: Eagle\nYear: 1962\n") +
                   total +
                   QStringLiteral(
                       "Country: Blank\nDenomination: Blank\nDescription: Blank\nYear: 0\n") +
                   blank;
        QTest::newRow("DenominationBreakdown")
            << "DenominationBreakdown"
            << QStringLiteral("Stamps Filtered by Denomination: 5c\n\n"
                              "Denomination: 5c\nDescription: Eagle\nCountry: \nYear: 1962\n") +
                   total +
                   QStringLiteral(
                       "Denomination: Blank\nDescription: Blank\nCountry: Blank\nYear: 0\n") +
                   blank;
    }

    void printAllKindsHaveTheirTitleAndLines()
    {
        QFETCH(QString, marker);
        QFETCH(QString, expected);
        LocaleScope locale(UnitedStates);
        TemporaryStore store;
        Stamps* first = addStamp(store.context(), QStringLiteral("5c"), 1962);
        first->setScottNumber(QStringLiteral("7a"));
        first->setStatus(QStringLiteral("Have"));
        first->setDescrip(QStringLiteral("Eagle"));
        first->setCountry(QStringLiteral(""));
        first->setQuantity(2);
        first->setValue(1.25f);
        first->setStampImage(jpeg(600, 400));
        Stamps* empty = addStamp(store.context(), std::nullopt, 0);

        const PrintAllReport* report = StampReports::printAllFor(marker);
        QVERIFY(report);
        const QtPictures pictures;
        const auto document = StampReports::buildPrintAll(*report, {first, empty}, 390, pictures);
        // The picture follows the lines, without spaces after it.
        QString shown = document->toPlainText();
        const qsizetype picture = shown.indexOf(QChar::ObjectReplacementCharacter);
        QVERIFY(picture > 0);
        QCOMPARE(shown.mid(picture - 1, 4),
                 QStringLiteral("\n") + QChar::ObjectReplacementCharacter + QStringLiteral("\n\n"));
        shown.remove(picture, 1);
        // Under the title, the copies and their total value.
        expected.insert(expected.indexOf(u'\n'),
                        QStringLiteral("\nNumber of stamps: 2 - Total value: $2.50"));
        QCOMPARE(shown, expected);
        QCOMPARE(pictureFormats(*document).first().width(), 65.0);
        // The title is Arial 17.
        QCOMPARE(document->begin().charFormat().fontPointSize(), 17.0);
        QCOMPARE(document->begin().charFormat().fontFamilies().toStringList(),
                 QStringList{QStringLiteral("Arial")});
    }

    void otherMarkersNameNoPrintAllReport()
    {
        QVERIFY(!StampReports::printAllFor(QStringLiteral("ListTableViewController")));
        QVERIFY(!StampReports::printAllFor(QString()));
    }

    void moneyIsTheStoredNumberInTheCurrentLocale()
    {
        TemporaryStore store;
        Stamps* stamp = addStamp(store.context(), QStringLiteral("5c"), 1962);
        stamp->setQuantity(2);
        stamp->setValue(1.25f);
        stamp->setCost(12.5f);
        Stamps* dear = addStamp(store.context(), QStringLiteral("1$"), 1962);
        dear->setQuantity(3);
        dear->setValue(1234567.0f);
        const QtPictures pictures;
        const PrintAllReport& byYear = *StampReports::printAllFor(QStringLiteral("YearBreakdown"));
        const BreakdownReport& breakdown = StampReports::breakdown(StampGroups::Year);
        {
            LocaleScope locale(UnitedStates);
            const QString all =
                StampReports::buildPrintAll(byYear, {stamp, dear}, 390, pictures)->toPlainText();
            QVERIFY(all.contains(QStringLiteral("Qty: 2 - Total Value (Qty * Value): $2.50\n")));
            QVERIFY(all.contains(
                QStringLiteral("Qty: 3 - Total Value (Qty * Value): $3,703,701.00\n")));
            const QString lines =
                StampReports::buildBreakdown(breakdown, {dear, stamp}, 390, pictures)
                    ->toPlainText();
            QVERIFY(lines.contains(QStringLiteral("Cost: $12.50\nEst. Value: $1.25\n")));
            QVERIFY(lines.contains(QStringLiteral("Est. Value: $1,234,567.00\n")));
        }
        {
            // A comma as the decimal separator reads the stored number, never 0 or a hundredfold.
            LocaleScope locale(Germany);
            const QString all =
                StampReports::buildPrintAll(byYear, {stamp}, 390, pictures)->toPlainText();
            QVERIFY2(all.contains(QRegularExpression(
                         QStringLiteral("Total Value \\(Qty \\* Value\\): 2,50.€\n"))),
                     qPrintable(all));
            const QString lines =
                StampReports::buildBreakdown(breakdown, {stamp}, 390, pictures)->toPlainText();
            QVERIFY2(lines.contains(
                         QRegularExpression(QStringLiteral("Cost: 12,50.€\nEst. Value: 1,25.€\n"))),
                     qPrintable(lines));
        }
    }

    void commandLineWritesReportsWithoutAWindow()
    {
        QTemporaryDir output;
        TemporaryStore store;
        for (const auto& [denomination, year, scott] :
             {std::tuple{"8c", 1962, "C3"}, std::tuple{"4c", 1962, "1200"},
              std::tuple{"5c", 1963, "1100"}}) {
            Stamps* stamp =
                addStamp(store.context(), QString::fromLatin1(denomination), qint16(year));
            stamp->setScottNumber(QString::fromLatin1(scott));
            stamp->setStampImage(jpeg(800, 600));
        }
        QVERIFY(store.context().save());
        const QString data = store.directory();

        const QString yearFile = output.filePath(QStringLiteral("year.pdf"));
        VelloraRun run = vellora({QStringLiteral("--data-dir"), data, QStringLiteral("--report"),
                                  QStringLiteral("year"), QStringLiteral("1962"),
                                  QStringLiteral("--output"), yearFile});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        QString text = Pdf(yearFile).text();
        QVERIFY(text.contains(QStringLiteral("Stamps Filtered by Year: 1962")));
        // The breakdown's order: by year, then denomination.
        QVERIFY(text.indexOf(QStringLiteral("Denomination: 4c")) <
                text.indexOf(QStringLiteral("Denomination: 8c")));
        QVERIFY(!text.contains(QStringLiteral("Denomination: 5c")));

        const QString allFile = output.filePath(QStringLiteral("all.pdf"));
        run = vellora({QStringLiteral("--data-dir"), data, QStringLiteral("--report"),
                       QStringLiteral("all"), QStringLiteral("--output"), allFile});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        text = Pdf(allFile).text();
        QVERIFY(text.contains(QStringLiteral("All Stamps Sorted by Scott #:")));
        // Scott numbers as texts, by code point.
        QVERIFY(text.indexOf(QStringLiteral("Scott #: 1100")) <
                    text.indexOf(QStringLiteral("Scott #: 1200")) &&
                text.indexOf(QStringLiteral("Scott #: 1200")) <
                    text.indexOf(QStringLiteral("Scott #: C3")));

        // The command only reads the store: no reference lists were filled in.
        QCOMPARE(store.context().count(FetchRequest{QStringLiteral("CountryList"), {}, {}}).value(),
                 0);
        QCOMPARE(vellora({QStringLiteral("--version")}).exitCode, 0);
    }

    // Arguments name their folders by role: DATA holds a collection, EMPTY nothing, DAMAGED a
    // store file of garbage; OUT is the report to write, MISSING one in a folder that is not there.
    void commandLineMistakesAreSaidAndWriteNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const auto args = [](const char* line) { return QString::fromLatin1(line).split(u' '); };
        QTest::newRow("unknown kind") << args("--data-dir DATA --report colour red --output OUT")
                                      << QStringLiteral("Unknown report kind \"colour\"");
        QTest::newRow("no such stamps") << args("--data-dir DATA --report year 1999 --output OUT")
                                        << QStringLiteral("No stamps with year 1999");
        QTest::newRow("value missing") << args("--data-dir DATA --report year --output OUT")
                                       << QStringLiteral("needs the year");
        QTest::newRow("output missing") << args("--data-dir DATA --report year 1962")
                                        << QStringLiteral("--output FILE.pdf is missing");
        QTest::newRow("output folder missing")
            << args("--data-dir DATA --report year 1962 --output MISSING")
            << QStringLiteral("Could not create PDF file: ");
        QTest::newRow("no collection") << args("--data-dir EMPTY --report all --output OUT")
                                       << QStringLiteral("There is no collection in");
        QTest::newRow("damaged collection") << args("--data-dir DAMAGED --report all --output OUT")
                                            << QStringLiteral("Unresolved error ");
    }

    void commandLineMistakesAreSaidAndWriteNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        TemporaryStore store;
        addStamp(store.context(), QStringLiteral("8c"), 1962);
        QVERIFY(store.context().save());
        QTemporaryDir output;
        QTemporaryDir empty;
        QTemporaryDir damaged;
        QFile garbage(damaged.filePath(QStringLiteral("Vellora.sqlite")));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(4096, 'x'));
        garbage.close();
        const QString refused = output.filePath(QStringLiteral("refused.pdf"));
        const QHash<QString, QString> folders{
            {QStringLiteral("DATA"), store.directory()},
            {QStringLiteral("EMPTY"), empty.path()},
            {QStringLiteral("DAMAGED"), damaged.path()},
            {QStringLiteral("OUT"), refused},
            {QStringLiteral("MISSING"), output.filePath(QStringLiteral("missing/refused.pdf"))}};
        for (QString& argument : arguments)
            argument = folders.value(argument, argument);

        const VelloraRun run = vellora(arguments);
        QVERIFY2(run.exitCode > 0, qPrintable(arguments.join(u' ')));
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(refused));
        QVERIFY(!QFileInfo::exists(output.filePath(QStringLiteral("missing"))));
        QCOMPARE(QDir(empty.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
    }
};

QTEST_MAIN(ReportsTest)
#include "tst_reports.moc"
