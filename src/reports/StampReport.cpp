#include "reports/StampReport.h"

#include "platform/core/CurrencyText.h"
#include "platform/core/Pictures.h"
#include "store/Entities.h"
#include "store/StampGroups.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>
#include <functional>

namespace {

using TextAttribute = std::optional<QString> (Stamps::*)() const;

// A picture is decoded no finer than a printer shows it at its laid-out width.
constexpr double PrintDotsPerInch = 300.0;
constexpr double PointsPerInch = 72.0;
// Pictures are laid out a sixth of the view's width.
constexpr double PictureWidthDivisor = 6.0;
constexpr double KeptPictureQuality = 0.9;
// The titles: the breakdown's file, and the shorter print-all report.
constexpr double BreakdownTitlePoints = 21.0;
constexpr double PrintAllTitlePoints = 17.0;
constexpr double BodyPoints = 11.0;
// No limit on a picture's height beyond its width and aspect ratio.
constexpr int AnyHeight = 1 << 20;

QTextCharFormat bodyFormat()
{
    QTextCharFormat format;
    format.setForeground(Qt::black);
    return format;
}

// The title and the blank line after it: centred black Arial; what follows starts a plain
// paragraph of its own.
void insertTitle(QTextCursor& cursor, const QString& title, double pointSize)
{
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    QTextCharFormat font;
    font.setFontFamilies({QStringLiteral("Arial")});
    font.setFontPointSize(pointSize);
    font.setForeground(Qt::black);
    cursor.setBlockFormat(centred);
    cursor.setBlockCharFormat(font);
    cursor.insertText(title, font);
    cursor.insertBlock(centred, font);
    cursor.insertBlock(QTextBlockFormat(), bodyFormat());
    cursor.document()->setMetaInformation(QTextDocument::DocumentTitle, title);
}

void insertLine(QTextCursor& cursor, const QString& line)
{
    cursor.insertText(line, bodyFormat());
    cursor.insertBlock(QTextBlockFormat(), bodyFormat());
}

// Ends a stamp's block with a blank line.
void closeBlock(QTextCursor& cursor)
{
    cursor.insertBlock(QTextBlockFormat(), bodyFormat());
}

// Lays the stamp's picture out `width` points wide, its aspect ratio kept. The picture is
// decoded straight to the size print needs, its stored bytes are let go, and the report keeps it
// as a small JPEG (a tenth of the decoded pixels' memory; print shows no difference), so a report
// of thousands of stamps holds only small pictures. False when there is no picture that decodes.
bool insertPicture(QTextCursor& cursor, Stamps& stamp, double width, const Pictures& pictures,
                   int index)
{
    const std::optional<QByteArray> bytes = stamp.stampImage();
    stamp.releaseAttribute(QStringLiteral("stampImage"));
    if (!bytes || bytes->isEmpty())
        return false;
    const int widest = std::max(1, int(width / PointsPerInch * PrintDotsPerInch));
    const QImage image = pictures.decodeScaled(*bytes, QSize(widest, AnyHeight));
    if (image.isNull())
        return false;

    const QUrl name(QStringLiteral("vellora-picture:%1").arg(index));
    const QByteArray kept = pictures.encodeJpeg(image, KeptPictureQuality);
    if (kept.isEmpty())
        return false;
    cursor.document()->addResource(QTextDocument::ImageResource, name, kept);
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(width);
    format.setHeight(width * image.height() / image.width());
    cursor.insertImage(format);
    return true;
}

std::unique_ptr<QTextDocument> newReport()
{
    auto document = std::make_unique<QTextDocument>();
    // A report is written once; an undo history would only hold memory.
    document->setUndoRedoEnabled(false);
    // The body keeps the usual face, at a size that reads well on paper.
    QFont body = document->defaultFont();
    body.setPointSizeF(BodyPoints);
    document->setDefaultFont(body);
    return document;
}

QString titleValue(const StampGroup* group, const QList<Stamps*>& stamps)
{
    return group && !stamps.isEmpty() ? group->valueOf(*stamps.constFirst()) : QString();
}

// A line's text after its label; nullopt leaves the line out.
using LineText = std::optional<QString> (*)(const Stamps&);

template <TextAttribute attribute> std::optional<QString> whenPresent(const Stamps& stamp)
{
    return (stamp.*attribute)();
}

// Money straight from the stored number, so no locale can misread it on the way.
QString money(float amount)
{
    return currencyText(double(amount));
}

struct BreakdownLine
{
    const char* label;
    LineText text;
};

// The twenty lines of a breakdown block, in order.
const BreakdownLine BreakdownLines[] = {
    {"Denomination: ", &whenPresent<&Stamps::denomination>},
    {"Year Issued: ",
     [](const Stamps& s) -> std::optional<QString> { return QString::number(s.yearOfIssue()); }},
    {"Description: ", &whenPresent<&Stamps::descrip>},
    {"Country: ", &whenPresent<&Stamps::country>},
    {"Perforations: ", &whenPresent<&Stamps::perforations>},
    {"Gum: ", &whenPresent<&Stamps::gum>},
    {"Margins: ", &whenPresent<&Stamps::margins>},
    {"Scott #: ", &whenPresent<&Stamps::scottNumber>},
    {"Paper: ", &whenPresent<&Stamps::paper>},
    {"Color: ", &whenPresent<&Stamps::color>},
    {"Grade: ", &whenPresent<&Stamps::grade>},
    {"Condition: ", &whenPresent<&Stamps::condition>},
    {"Series: ", &whenPresent<&Stamps::series>},
    {"Centered: ", &whenPresent<&Stamps::centering>},
    {"Status: ", &whenPresent<&Stamps::status>},
    {"Faults: ", &whenPresent<&Stamps::faults>},
    {"Quantity: ",
     [](const Stamps& s) -> std::optional<QString> { return QString::number(s.quantity()); }},
    {"Cost: ", [](const Stamps& s) -> std::optional<QString> { return money(s.cost()); }},
    {"Est. Value: ", [](const Stamps& s) -> std::optional<QString> { return money(s.value()); }},
    {"Notes: ", &whenPresent<&Stamps::notes>},
};

void insertBreakdownLines(QTextCursor& cursor, const Stamps& stamp)
{
    for (const BreakdownLine& line : BreakdownLines) {
        if (const std::optional<QString> text = line.text(stamp))
            insertLine(cursor, QLatin1String(line.label) + *text);
    }
}

QString printAllLine(const PrintAllReport& report, PrintAllReport::Line line, const Stamps& stamp)
{
    const auto labelled = [](const char* label, const std::optional<QString>& text) {
        return QLatin1String(label) + text.value_or(QStringLiteral("Blank"));
    };
    switch (line) {
    case PrintAllReport::Line::ScottNumber:
        if (const std::optional<QString> scottNumber = stamp.scottNumber())
            return QStringLiteral("Scott #: ") + *scottNumber;
        return QLatin1String(report.absentScottNumber);
    case PrintAllReport::Line::Status:
        return labelled("Status: ", stamp.status());
    case PrintAllReport::Line::Denomination:
        return labelled("Denomination: ", stamp.denomination());
    case PrintAllReport::Line::Description:
        return labelled("Description: ", stamp.descrip());
    case PrintAllReport::Line::Country:
        return labelled("Country: ", stamp.country());
    case PrintAllReport::Line::Year:
        return QStringLiteral("Year: ") + QString::number(stamp.yearOfIssue());
    case PrintAllReport::Line::QuantityAndTotal: {
        // The total is reckoned in single precision, as the stored amounts are.
        const float total = float(stamp.quantity()) * stamp.value();
        return QStringLiteral("Qty: ") + QString::number(stamp.quantity()) + QStringLiteral(" - ") +
               QStringLiteral("Total Value (Qty * Value): ") + money(total);
    }
    }
    return {};
}

std::unique_ptr<QTextDocument> build(const QString& title, double titlePointSize,
                                     const QList<Stamps*>& stamps, const WorkProgress& progress,
                                     const std::function<void(QTextCursor&, Stamps&, int)>& block)
{
    std::unique_ptr<QTextDocument> document = newReport();
    QTextCursor cursor(document.get());
    cursor.beginEditBlock();
    insertTitle(cursor, title, titlePointSize);
    for (qsizetype index = 0; index < stamps.size(); ++index) {
        block(cursor, *stamps.at(index), int(index));
        if (progress && !progress(index + 1, stamps.size()))
            return nullptr;
    }
    cursor.endEditBlock();
    return document;
}

} // namespace

namespace StampReports {

const QList<BreakdownReport>& breakdowns()
{
    static const QList<BreakdownReport> reports = {
        {&StampGroups::Year, "Stamps Filtered by Year: ", "StampsFilteredByYear.pdf"},
        {&StampGroups::Country, "Stamps Filtered by Country: ", "StampsFilteredByCountry.pdf"},
        {&StampGroups::Denomination,
         "Stamps Filtered by Denomination: ", "StampsFilteredByDenomination.pdf"},
        {&StampGroups::ScottNumber,
         "Stamps Filtered by Scott #: ", "StampsFilteredByScottNumber.pdf"},
        {&StampGroups::Status, "Stamps Filtered by Status: ", "StampsFilteredByStatus.pdf"},
    };
    return reports;
}

const BreakdownReport& breakdown(const StampGroup& group)
{
    const QList<BreakdownReport>& reports = breakdowns();
    const auto found = std::find_if(reports.cbegin(), reports.cend(),
                                    [&](const BreakdownReport& r) { return r.group == &group; });
    Q_ASSERT(found != reports.cend());
    return found != reports.cend() ? *found : reports.constFirst();
}

const QList<PrintAllReport>& printAll()
{
    using Line = PrintAllReport::Line;
    static const QList<PrintAllReport> reports = {
        {"Menu",
         nullptr,
         "scottNumber",
         "All Stamps Sorted by Scott #: ",
         false,
         {Line::ScottNumber, Line::Denomination, Line::Description, Line::Country, Line::Year,
          Line::QuantityAndTotal},
         "Scott #:  Blank"},
        {"ScottNumberBreakdown",
         &StampGroups::ScottNumber,
         "scottNumber",
         "Stamps Filtered by Scott #: ",
         true,
         {Line::ScottNumber, Line::Denomination, Line::Description, Line::Country, Line::Year,
          Line::QuantityAndTotal},
         "Scott #: Blank"},
        {"StatusBreakdown",
         &StampGroups::Status,
         "denomination",
         "Stamps Filtered by Status: ",
         true,
         {Line::Status, Line::Year, Line::Denomination, Line::Description, Line::Country,
          Line::QuantityAndTotal},
         "Scott #: Blank"},
        {"YearBreakdown",
         &StampGroups::Year,
         "denomination",
         "Stamps Filtered by Year: ",
         true,
         {Line::Year, Line::Denomination, Line::Description, Line::Country, Line::QuantityAndTotal},
         "Scott #: Blank"},
        {"CountryBreakdown",
         &StampGroups::Country,
         "denomination",
         "Stamps Filtered by Country: ",
         true,
         {Line::Country, Line::Denomination, Line::Description, Line::Year, Line::QuantityAndTotal},
         "Scott #: Blank"},
        {"DenominationBreakdown",
         &StampGroups::Denomination,
         "yearOfIssue",
         "Stamps Filtered by Denomination: ",
         true,
         {Line::Denomination, Line::Description, Line::Country, Line::Year, Line::QuantityAndTotal},
         "Scott #: Blank"},
    };
    return reports;
}

const PrintAllReport* printAllFor(const QString& marker)
{
    for (const PrintAllReport& report : printAll()) {
        if (marker == QLatin1String(report.marker))
            return &report;
    }
    return nullptr;
}

std::unique_ptr<QTextDocument> buildBreakdown(const BreakdownReport& report,
                                              const QList<Stamps*>& stamps, double viewWidth,
                                              const Pictures& pictures,
                                              const WorkProgress& progress)
{
    const double pictureWidth = viewWidth / PictureWidthDivisor;
    const QString title = QLatin1String(report.titlePrefix) + titleValue(report.group, stamps);
    return build(title, BreakdownTitlePoints, stamps, progress,
                 [&](QTextCursor& cursor, Stamps& stamp, int index) {
                     insertBreakdownLines(cursor, stamp);
                     if (insertPicture(cursor, stamp, pictureWidth, pictures, index))
                         cursor.insertText(QStringLiteral("   "), bodyFormat());
                     closeBlock(cursor);
                     closeBlock(cursor);
                 });
}

std::unique_ptr<QTextDocument> buildPrintAll(const PrintAllReport& report,
                                             const QList<Stamps*>& stamps, double viewWidth,
                                             const Pictures& pictures, const WorkProgress& progress)
{
    const double pictureWidth = viewWidth / PictureWidthDivisor;
    QString title = QLatin1String(report.titlePrefix);
    if (report.titleHasValue)
        title += titleValue(report.group, stamps);
    return build(title, PrintAllTitlePoints, stamps, progress,
                 [&](QTextCursor& cursor, Stamps& stamp, int index) {
                     for (const PrintAllReport::Line line : report.lines)
                         insertLine(cursor, printAllLine(report, line, stamp));
                     insertPicture(cursor, stamp, pictureWidth, pictures, index);
                     closeBlock(cursor);
                     closeBlock(cursor);
                 });
}

} // namespace StampReports
