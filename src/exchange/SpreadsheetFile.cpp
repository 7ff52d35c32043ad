#include "exchange/SpreadsheetFile.h"

#include "exchange/ExchangeFormat.h"
#include "store/Entities.h"
#include "store/NumberText.h"
#include "store/ObjectContext.h"

#include <QCoreApplication>
#include <QIODevice>

namespace SpreadsheetFile {
namespace {

struct Column
{
    const char* attribute;
    const char* name;
    AttributeType type = AttributeType::Text;
};

// In the order a collector reads a stamp: what it is, what it is like, what it is worth.
constexpr Column Columns[] = {
    {"country", QT_TRANSLATE_NOOP("SpreadsheetFile", "Country")},
    {"scottNumber", QT_TRANSLATE_NOOP("SpreadsheetFile", "Scott #")},
    {"denomination", QT_TRANSLATE_NOOP("SpreadsheetFile", "Denomination")},
    {"yearOfIssue", QT_TRANSLATE_NOOP("SpreadsheetFile", "Year of Issue"), AttributeType::Int16},
    {"descrip", QT_TRANSLATE_NOOP("SpreadsheetFile", "Description")},
    {"color", QT_TRANSLATE_NOOP("SpreadsheetFile", "Color")},
    {"series", QT_TRANSLATE_NOOP("SpreadsheetFile", "Series")},
    {"quantity", QT_TRANSLATE_NOOP("SpreadsheetFile", "Quantity"), AttributeType::Int16},
    {"condition", QT_TRANSLATE_NOOP("SpreadsheetFile", "Condition")},
    {"grade", QT_TRANSLATE_NOOP("SpreadsheetFile", "Grade")},
    {"centering", QT_TRANSLATE_NOOP("SpreadsheetFile", "Centering")},
    {"gum", QT_TRANSLATE_NOOP("SpreadsheetFile", "Gum")},
    {"margins", QT_TRANSLATE_NOOP("SpreadsheetFile", "Margins")},
    {"perforations", QT_TRANSLATE_NOOP("SpreadsheetFile", "Perforations")},
    {"paper", QT_TRANSLATE_NOOP("SpreadsheetFile", "Paper")},
    {"faults", QT_TRANSLATE_NOOP("SpreadsheetFile", "Faults")},
    {"cancellation", QT_TRANSLATE_NOOP("SpreadsheetFile", "Cancellation")},
    {"status", QT_TRANSLATE_NOOP("SpreadsheetFile", "Status")},
    {"cost", QT_TRANSLATE_NOOP("SpreadsheetFile", "Cost"), AttributeType::Float},
    {"value", QT_TRANSLATE_NOOP("SpreadsheetFile", "Value"), AttributeType::Float},
    {"notes", QT_TRANSLATE_NOOP("SpreadsheetFile", "Notes")},
};

// What a spreadsheet program may take for the start of a formula: the signs, the control
// characters some programs skip before reading one, and the full-width signs some fold to the
// plain ones.
bool startsLikeAFormula(const QString& text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    return first.isNull() || QStringView(u"=+-@\t\r\n\uFF1D\uFF0B\uFF0D\uFF20").contains(first);
}

void appendField(QString& line, QString text)
{
    const bool quoted =
        text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r');
    if (!quoted) {
        line += text;
        return;
    }
    line += u'"';
    line += text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    line += u'"';
}

QString fieldText(const Stamps& stamp, const Column& column)
{
    const QVariant value = stamp.value(QString::fromLatin1(column.attribute));
    switch (column.type) {
    case AttributeType::Float:
        return NumberText::floatText(value.toFloat());
    case AttributeType::Int16:
        return QString::number(value.toInt());
    case AttributeType::Text: {
        // Numbers are numbers; only a text can be taken for a formula.
        const QString text = value.toString();
        return startsLikeAFormula(text) ? u'\'' + text : text;
    }
    case AttributeType::Bytes:
        break;
    }
    return {};
}

QByteArray row(const QStringList& fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += u',';
        appendField(line, fields.at(i));
    }
    line += QStringLiteral("\r\n");
    return line.toUtf8();
}

bool wroteAll(QIODevice& device, const QByteArray& bytes)
{
    return device.write(bytes) == bytes.size();
}

Failure<QString> writeFailure(const QIODevice& device)
{
    return Failure{QCoreApplication::translate("SpreadsheetFile",
                                               "The spreadsheet file could not be written: ") +
                   device.errorString()};
}

} // namespace

QStringList columnNames()
{
    QStringList names;
    for (const Column& column : Columns)
        names << QCoreApplication::translate("SpreadsheetFile", column.name);
    return names;
}

Result<ExportFile::Written> write(ObjectContext& context, QIODevice& device,
                                  const WorkProgress& progress)
{
    const StoreResult<QList<Stamps*>> fetched =
        context.fetch<Stamps>({}, ExchangeFormat::exportOrder());
    if (!fetched)
        return Failure{
            QCoreApplication::translate("SpreadsheetFile", "The stamps could not be read: ") +
            fetched.error().description};
    const QList<Stamps*>& stamps = *fetched;
    ExportFile::Written result;
    result.total = stamps.size();
    if (!wroteAll(device, QByteArrayLiteral("\xEF\xBB\xBF") + row(columnNames())))
        return writeFailure(device);
    QStringList fields;
    for (const Stamps* stamp : stamps) {
        fields.clear();
        for (const Column& column : Columns)
            fields << fieldText(*stamp, column);
        if (!wroteAll(device, row(fields)))
            return writeFailure(device);
        if (!result.countOne(progress))
            return result;
    }
    return result;
}

Result<ExportFile::Written> writeFile(ObjectContext& context, const QString& path,
                                      const WorkProgress& progress)
{
    return ExportFile::writeAtomically(
        path, [&](QIODevice& device) { return write(context, device, progress); },
        QCoreApplication::translate("SpreadsheetFile",
                                    "The spreadsheet file could not be created: "),
        QCoreApplication::translate("SpreadsheetFile",
                                    "The spreadsheet file could not be written: "));
}

} // namespace SpreadsheetFile
