#pragma once

#include "platform/core/WorkProgress.h"

#include <QList>
#include <QString>
#include <memory>

class Pictures;
class QTextDocument;
class Stamps;
struct StampGroup;

// The report of a breakdown's stamps, one per group key: the title before the first stamp's
// value, and the file it is written to.
struct BreakdownReport
{
    const StampGroup* group;
    const char* titlePrefix; // "Stamps Filtered by Year: "
    const char* fileName;    // "StampsFilteredByYear.pdf"
};

// The print-all report, chosen by the marker of the screen that opened it.
struct PrintAllReport
{
    enum class Line
    {
        ScottNumber,
        Status,
        Denomination,
        Description,
        Country,
        Year,
        QuantityAndTotal,
    };

    const char* marker;      // "Menu", "YearBreakdown", ...
    const StampGroup* group; // whose selected value chooses the stamps; nullptr for all stamps
    const char* sortKey;     // sorted by this key alone, in the shared sort direction
    const char* titlePrefix;
    bool titleHasValue; // the first stamp's value of the group follows the prefix
    QList<Line> lines;
    const char* absentScottNumber; // the Scott number line of a stamp without one
};

namespace StampReports {

// The five breakdown reports and the six print-all reports.
const QList<BreakdownReport>& breakdowns();
const BreakdownReport& breakdown(const StampGroup& group);
const QList<PrintAllReport>& printAll();
// nullptr for a marker that names no report.
const PrintAllReport* printAllFor(const QString& marker);

// The report text of a breakdown: the centred black Arial 21 title with the number of stamps and
// their total value under it, then one block of up to twenty labelled lines per stamp with its
// picture laid out viewWidth / 6 points wide (at most a third of a page high). Money is the
// currency text of the stored number in the current locale. The pictures are read from the
// stamps and decoded by `pictures` when the report is drawn, so both must outlive the report.
// nullptr when cancelled.
std::unique_ptr<QTextDocument> buildBreakdown(const BreakdownReport& report,
                                              const QList<Stamps*>& stamps, double viewWidth,
                                              const Pictures& pictures,
                                              const WorkProgress& progress = {});

// The print-all text: the Arial 17 title with the same summary, then the report's lines per
// stamp ("Blank" for an absent text), the quantity with the total value, and the picture, drawn
// as the breakdown's are. nullptr when cancelled.
std::unique_ptr<QTextDocument> buildPrintAll(const PrintAllReport& report,
                                             const QList<Stamps*>& stamps, double viewWidth,
                                             const Pictures& pictures,
                                             const WorkProgress& progress = {});

} // namespace StampReports
