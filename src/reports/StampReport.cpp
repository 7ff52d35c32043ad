#include "reports/StampReport.h"

#include "platform/core/CurrencyText.h"
#include "platform/core/Pictures.h"
#include "platform/core/ReportPages.h"
#include "store/Entities.h"
#include "store/StampGroups.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <functional>

namespace {

using TextAttribute = std::optional<QString> (Stamps::*)() const;

// Pictures are laid out a sixth of the view's width.
constexpr double PictureWidthDivisor = 6.0;
// The titles: the breakdown's file, and the shorter print-all report.
constexpr double BreakdownTitlePoints = 21.0;
constexpr double PrintAllTitlePoints = 17.0;
constexpr double BodyPoints = 11.0;

QTextCharFormat bodyFormat()
{
    QTextCharFormat format;
    format.setForeground(Qt::black);
    return format;
}

// The number of stamps and their value, as the breakdowns and the valuation add them up: the
// quantities, and value x quantity formed in single precision as the stored numbers are.
QString summaryOf(const QList<Stamps*>& stamps)
{
    qint64 count = 0;
    double value = 0;
    for (const Stamps* stamp : stamps) {
        count += stamp->quantity();
        value += double(float(stamp->quantity()) * stamp->value());
    }
    return QCoreApplication::translate("StampReport", "Number of stamps: %1 - Total value: %2")
        .arg(QLocale().toString(count), currencyText(value));
}

// The title, the summary under it and the blank line after them, centred (the title and the
// blank line in black Arial); what follows starts a plain paragraph of its own.
void insertTitle(QTextCursor& cursor, const QString& title, const QString& summary,
                 double pointSize)
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
    cursor.insertBlock(centred, bodyFormat());
    cursor.insertText(summary, bodyFormat());
    cursor.insertBlock(centred, font);
    cursor.insertBlock(QTextBlockFormat(), bodyFormat());
    cursor.document()->setMetaInformation(QTextDocument::DocumentTitle, title);
    ReportPages::setMadeOn(*cursor.document(), QDate::currentDate());
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

// A stamp's picture, read from the store and decoded only when it is drawn, then let go: a
// report of thousands of stamps holds none of them, and each is decoded once.
class StampPicture final : public ReportPages::Picture
{
public:
    StampPicture(Stamps& stamp, const Pictures& pictures) : m_stamp(stamp), m_pictures(pictures) {}

    QImage load(const QSize& pixels) const override
    {
        const std::optional<QByteArray> bytes = m_stamp.stampImage();
        m_stamp.releaseAttribute(QStringLiteral("stampImage"));
        return bytes ? m_pictures.decodeScaled(*bytes, pixels) : QImage();
    }

private:
    Stamps& m_stamp;
    const Pictures& m_pictures;
};

// Lays the stamp's picture out `width` points wide, its aspect ratio kept, at the size its
// header tells: nothing is decoded here. The stored bytes are let go. False when there is no
// picture, or bytes that are none.
bool insertPicture(QTextCursor& cursor, Stamps& stamp, double width, const Pictures& pictures)
{
    const std::optional<QByteArray> bytes = stamp.stampImage();
    stamp.releaseAttribute(QStringLiteral("stampImage"));
    const QSize pixels = bytes ? pictures.sizeOf(*bytes) : QSize();
    if (pixels.isEmpty())
        return false;
    ReportPages::insertPicture(cursor, std::make_shared<StampPicture>(stamp, pictures),
                               ReportPages::pictureSize(pixels, width));
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
    {QT_TRANSLATE_NOOP("StampReport", "Denomination: "), &whenPresent<&Stamps::denomination>},
    {QT_TRANSLATE_NOOP("StampReport", "Year Issued: "),
     [](const Stamps& s) -> std::optional<QString> { return QString::number(s.yearOfIssue()); }},
    {QT_TRANSLATE_NOOP("StampReport", "Description: "), &whenPresent<&Stamps::descrip>},
    {QT_TRANSLATE_NOOP("StampReport", "Country: "), &whenPresent<&Stamps::country>},
    {QT_TRANSLATE_NOOP("StampReport", "Perforations: "), &whenPresent<&Stamps::perforations>},
    {QT_TRANSLATE_NOOP("StampReport", "Gum: "), &whenPresent<&Stamps::gum>},
    {QT_TRANSLATE_NOOP("StampReport", "Margins: "), &whenPresent<&Stamps::margins>},
    {QT_TRANSLATE_NOOP("StampReport", "Scott #: "), &whenPresent<&Stamps::scottNumber>},
    {QT_TRANSLATE_NOOP("StampReport", "Paper: "), &whenPresent<&Stamps::paper>},
    {QT_TRANSLATE_NOOP("StampReport", "Color: "), &whenPresent<&Stamps::color>},
    {QT_TRANSLATE_NOOP("StampReport", "Grade: "), &whenPresent<&Stamps::grade>},
    {QT_TRANSLATE_NOOP("StampReport", "Condition: "), &whenPresent<&Stamps::condition>},
    {QT_TRANSLATE_NOOP("StampReport", "Series: "), &whenPresent<&Stamps::series>},
    {QT_TRANSLATE_NOOP("StampReport", "Centered: "), &whenPresent<&Stamps::centering>},
    {QT_TRANSLATE_NOOP("StampReport", "Status: "), &whenPresent<&Stamps::status>},
    {QT_TRANSLATE_NOOP("StampReport", "Faults: "), &whenPresent<&Stamps::faults>},
    {QT_TRANSLATE_NOOP("StampReport", "Quantity: "),
     [](const Stamps& s) -> std::optional<QString> { return QString::number(s.quantity()); }},
    {QT_TRANSLATE_NOOP("StampReport", "Cost: "),
     [](const Stamps& s) -> std::optional<QString> { return money(s.cost()); }},
    {QT_TRANSLATE_NOOP("StampReport", "Est. Value: "),
     [](const Stamps& s) -> std::optional<QString> { return money(s.value()); }},
    {QT_TRANSLATE_NOOP("StampReport", "Notes: "), &whenPresent<&Stamps::notes>},
};

void insertBreakdownLines(QTextCursor& cursor, const Stamps& stamp)
{
    for (const BreakdownLine& line : BreakdownLines) {
        if (const std::optional<QString> text = line.text(stamp))
            insertLine(cursor, QCoreApplication::translate("StampReport", line.label) + *text);
    }
}

QString printAllLine(const PrintAllReport& report, PrintAllReport::Line line, const Stamps& stamp)
{
    const auto labelled = [](const char* label, const std::optional<QString>& text) {
        return QCoreApplication::translate("StampReport", label) +
               text.value_or(QCoreApplication::translate("StampReport", "Blank"));
    };
    switch (line) {
    case PrintAllReport::Line::ScottNumber:
        if (const std::optional<QString> scottNumber = stamp.scottNumber())
            return QCoreApplication::translate("StampReport", "Scott #: ") + *scottNumber;
        return QCoreApplication::translate("StampReport", report.absentScottNumber);
    case PrintAllReport::Line::Status:
        return labelled(QT_TRANSLATE_NOOP("StampReport", "Status: "), stamp.status());
    case PrintAllReport::Line::Denomination:
        return labelled(QT_TRANSLATE_NOOP("StampReport", "Denomination: "), stamp.denomination());
    case PrintAllReport::Line::Description:
        return labelled(QT_TRANSLATE_NOOP("StampReport", "Description: "), stamp.descrip());
    case PrintAllReport::Line::Country:
        return labelled(QT_TRANSLATE_NOOP("StampReport", "Country: "), stamp.country());
    case PrintAllReport::Line::Year:
        return QCoreApplication::translate("StampReport", "Year: %1").arg(stamp.yearOfIssue());
    case PrintAllReport::Line::QuantityAndTotal: {
        // The total is reckoned in single precision, as the stored amounts are.
        const float total = float(stamp.quantity()) * stamp.value();
        return QCoreApplication::translate("StampReport", "Qty: %1 - Total Value (Qty * Value): %2")
            .arg(QString::number(stamp.quantity()), money(total));
    }
    }
    return {};
}

std::unique_ptr<QTextDocument> build(const QString& title, double titlePointSize,
                                     const QList<Stamps*>& stamps, const WorkProgress& progress,
                                     const std::function<void(QTextCursor&, Stamps&)>& block)
{
    std::unique_ptr<QTextDocument> document = newReport();
    QTextCursor cursor(document.get());
    cursor.beginEditBlock();
    insertTitle(cursor, title, summaryOf(stamps), titlePointSize);
    for (qsizetype index = 0; index < stamps.size(); ++index) {
        ReportPages::startEntry(cursor);
        block(cursor, *stamps.at(index));
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
        {&StampGroups::Year, QT_TRANSLATE_NOOP("StampReport", "Stamps Filtered by Year: "),
         "StampsFilteredByYear.pdf"},
        {&StampGroups::Country, QT_TRANSLATE_NOOP("StampReport", "Stamps Filtered by Country: "),
         "StampsFilteredByCountry.pdf"},
        {&StampGroups::Denomination,
         QT_TRANSLATE_NOOP("StampReport", "Stamps Filtered by Denomination: "),
         "StampsFilteredByDenomination.pdf"},
        {&StampGroups::ScottNumber,
         QT_TRANSLATE_NOOP("StampReport", "Stamps Filtered by Scott #: "),
         "StampsFilteredByScottNumber.pdf"},
        {&StampGroups::Status, QT_TRANSLATE_NOOP("StampReport", "Stamps Filtered by Status: "),
         "StampsFilteredByStatus.pdf"},
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
         QT_TRANSLATE_NOOP("StampReport", "All Stamps Sorted by Scott #: "),
         false,
         {Line::ScottNumber, Line::Denomination, Line::Description, Line::Country, Line::Year,
          Line::QuantityAndTotal},
         QT_TRANSLATE_NOOP("StampReport", "Scott #:  Blank")},
        {"ScottNumberBreakdown",
         &StampGroups::ScottNumber,
         "scottNumber",
         QT_TRANSLATE_NOOP("StampReport", "Stamps Filtered by Scott #: "),
         true,
         {Line::ScottNumber, Line::Denomination, Line::Description, Line::Country, Line::Year,
          Line::QuantityAndTotal},
         QT_TRANSLATE_NOOP("StampReport", "Scott #: Blank")},
        {"StatusBreakdown",
         &StampGroups::Status,
         "denomination",
         QT_TRANSLATE_NOOP("StampReport", "Stamps Filtered by Status: "),
         true,
         {Line::Status, Line::Year, Line::Denomination, Line::Description, Line::Country,
          Line::QuantityAndTotal},
         QT_TRANSLATE_NOOP("StampReport", "Scott #: Blank")},
        {"YearBreakdown",
         &StampGroups::Year,
         "denomination",
         QT_TRANSLATE_NOOP("StampReport", "Stamps Filtered by Year: "),
         true,
         {Line::Year, Line::Denomination, Line::Description, Line::Country, Line::QuantityAndTotal},
         QT_TRANSLATE_NOOP("StampReport", "Scott #: Blank")},
        {"CountryBreakdown",
         &StampGroups::Country,
         "denomination",
         QT_TRANSLATE_NOOP("StampReport", "Stamps Filtered by Country: "),
         true,
         {Line::Country, Line::Denomination, Line::Description, Line::Year, Line::QuantityAndTotal},
         QT_TRANSLATE_NOOP("StampReport", "Scott #: Blank")},
        {"DenominationBreakdown",
         &StampGroups::Denomination,
         "yearOfIssue",
         QT_TRANSLATE_NOOP("StampReport", "Stamps Filtered by Denomination: "),
         true,
         {Line::Denomination, Line::Description, Line::Country, Line::Year, Line::QuantityAndTotal},
         QT_TRANSLATE_NOOP("StampReport", "Scott #: Blank")},
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
    const QString title = QCoreApplication::translate("StampReport", report.titlePrefix) +
                          titleValue(report.group, stamps);
    return build(title, BreakdownTitlePoints, stamps, progress,
                 [&](QTextCursor& cursor, Stamps& stamp) {
                     insertBreakdownLines(cursor, stamp);
                     if (insertPicture(cursor, stamp, pictureWidth, pictures))
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
    QString title = QCoreApplication::translate("StampReport", report.titlePrefix);
    if (report.titleHasValue)
        title += titleValue(report.group, stamps);
    return build(title, PrintAllTitlePoints, stamps, progress,
                 [&](QTextCursor& cursor, Stamps& stamp) {
                     for (const PrintAllReport::Line line : report.lines)
                         insertLine(cursor, printAllLine(report, line, stamp));
                     insertPicture(cursor, stamp, pictureWidth, pictures);
                     closeBlock(cursor);
                     closeBlock(cursor);
                 });
}

} // namespace StampReports
