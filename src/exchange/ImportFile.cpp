#include "exchange/ImportFile.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/ExportFile.h"
#include "platform/core/Console.h"
#include "platform/core/Pictures.h"
#include "store/Entities.h"
#include "store/NumberText.h"
#include "store/ObjectContext.h"

#include <QCoreApplication>
#include <QStringConverter>
#include <QStringDecoder>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h> // NOLINT(modernize-deprecated-headers): newlocale() and locale_t are POSIX

namespace {

constexpr qsizetype ProblemsListed = 20;

// The file's lines with CR and CRLF line ends read as LF.
QStringList linesOf(const QString& text)
{
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalized.replace(u'\r', u'\n');
    return normalized.split(u'\n');
}

// A float as strtof reads it in the C locale (decimal or hexadecimal, sign, exponent, inf), the
// whole field and no leading space. Not a number is refused: the store cannot keep it, so the
// line's save would fail.
std::optional<float> readFloat(const QString& field)
{
    if (field.isEmpty() || field.front().isSpace())
        return std::nullopt;
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const std::string text = field.toStdString();
    char* end = nullptr;
    const float number = strtof_l(text.c_str(), &end, cLocale);
    if (end != text.c_str() + text.size() || std::isnan(number))
        return std::nullopt;
    return number;
}

class Merge
{
public:
    Merge(ObjectContext& context, ImportSummary& summary) : m_context(context), m_summary(summary)
    {}

    void line(int number, const QString& line);

private:
    void problem(const QString& text);
    // Sets the stamp from the line's non-empty fields; a field that does not read leaves its
    // attribute as it was.
    void setFields(int lineNumber, Stamps& stamp, const QStringList& fields);

    ObjectContext& m_context;
    ImportSummary& m_summary;
};

void Merge::problem(const QString& text)
{
    if (m_summary.problems.size() < ProblemsListed)
        m_summary.problems.append(text);
    else
        ++m_summary.problemsNotListed;
}

void Merge::line(int number, const QString& line)
{
    const QStringList fields = ExchangeFormat::splitFields(line);
    const auto key = [&fields](int position) {
        return position < fields.size() ? ExchangeFormat::unescaped(fields.at(position))
                                        : QString(QLatin1String(""));
    };
    const std::optional<qint16> year =
        fields.size() > ExchangeFormat::YearField
            ? NumberText::readWholeNumber(fields.at(ExchangeFormat::YearField))
            : std::nullopt;
    const Predicate match = Predicate::andPredicate({
        Predicate::format(QStringLiteral("country == %@"), key(ExchangeFormat::CountryField)),
        Predicate::format(QStringLiteral("denomination == %@"),
                          key(ExchangeFormat::DenominationField)),
        // The year as it would be stored from this line: one that does not read is no year.
        Predicate::format(QStringLiteral("yearOfIssue == %@"),
                          year ? QVariant(int(*year)) : QVariant()),
    });
    const StoreResult<QList<Stamps*>> found = m_context.fetch<Stamps>(match);
    if (!found) {
        ++m_summary.failedLines;
        problem(QCoreApplication::translate(
                    "ImportFile", "line %1: not imported, the matching stamps could not be looked "
                                  "up: %2")
                    .arg(number)
                    .arg(found.error().description));
        return;
    }
    const QList<Stamps*>& matches = *found;
    if (matches.size() > 1) {
        ++m_summary.skipped;
        return;
    }
    const bool adding = matches.isEmpty();
    Stamps* stamp = adding ? m_context.insertNewObject<Stamps>() : matches.constFirst();
    setFields(number, *stamp, fields);
    if (const StoreResult<> saved = m_context.save(); !saved) {
        m_context.rollback();
        ++m_summary.failedLines;
        const QString text = QCoreApplication::translate("ImportFile", "line %1: not saved: %2")
                                 .arg(number)
                                 .arg(saved.error().description);
        Console::printLine(text);
        problem(text);
        return;
    }
    ++(adding ? m_summary.added : m_summary.updated);
}

void Merge::setFields(int lineNumber, Stamps& stamp, const QStringList& fields)
{
    const qsizetype count = std::min<qsizetype>(fields.size(), ExchangeFormat::FieldCount);
    for (qsizetype i = 0; i < count; ++i) {
        const QString& field = fields.at(i);
        if (field.isEmpty())
            continue;
        const ExchangeFormat::Field& description = ExchangeFormat::Fields[i];
        const QString key = QString::fromLatin1(description.attribute);
        const auto notRead = [&](const char* why) {
            ++m_summary.fieldsNotRead;
            const QString shown =
                field.size() > 40 ? field.left(40) + QStringLiteral("...") : field;
            problem(QCoreApplication::translate("ImportFile", "line %1: %2 \"%3\" %4")
                        .arg(lineNumber)
                        .arg(key == QLatin1String("stampImage")
                                 ? QCoreApplication::translate("ImportFile", "picture")
                                 : key,
                             shown, QCoreApplication::translate("ImportFile", why)));
        };
        switch (description.type) {
        case AttributeType::Text:
            stamp.setValue(key, ExchangeFormat::unescaped(field));
            break;
        case AttributeType::Float:
            if (const std::optional<float> number = readFloat(field))
                stamp.setValue(key, *number);
            else
                notRead(QT_TRANSLATE_NOOP("ImportFile", "is not a number"));
            break;
        case AttributeType::Int16:
            if (const std::optional<qint16> number = NumberText::readWholeNumber(field))
                stamp.setValue(key, int(*number));
            else
                notRead(QT_TRANSLATE_NOOP("ImportFile", "is not a whole number"));
            break;
        case AttributeType::Bytes: {
            const QByteArray::FromBase64Result picture = QByteArray::fromBase64Encoding(
                field.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
            // toLatin1 turns other characters into "?", which is not Base64 either.
            if (!picture)
                notRead(QT_TRANSLATE_NOOP("ImportFile", "is not Base64"));
            else if (isCutShortJpeg(*picture))
                notRead(QT_TRANSLATE_NOOP("ImportFile", "is an incomplete picture"));
            else
                stamp.setValue(key, *picture);
            break;
        }
        }
    }
}

} // namespace

QString ImportSummary::text() const
{
    QString text =
        QCoreApplication::translate("ImportFile", "Stamps added: %1\nStamps updated: %2\n"
                                                  "Skipped (matched two or more stamps): %3\n"
                                                  "Fields not read: %4\n")
            .arg(added)
            .arg(updated)
            .arg(skipped)
            .arg(fieldsNotRead);
    if (failedLines > 0)
        text += QCoreApplication::translate("ImportFile",
                                            "Lines not imported (refused by the store): %1\n")
                    .arg(failedLines);
    for (const QString& problem : problems)
        text += problem + u'\n';
    if (problemsNotListed > 0)
        text += QCoreApplication::translate("ImportFile", "... and %1 more problems\n")
                    .arg(problemsNotListed);
    if (!backupFile.isEmpty())
        text += QCoreApplication::translate("ImportFile",
                                            "Backup of the collection before the import: ") +
                backupFile + u'\n';
    if (cancelled)
        text += QCoreApplication::translate(
                    "ImportFile", "Import stopped after line %1 of %2: the lines after it were not "
                                  "imported.\n")
                    .arg(lastLine)
                    .arg(linesTotal);
    return text;
}

namespace ImportFile {

QString decode(const QByteArray& bytes)
{
    const std::optional<QStringConverter::Encoding> encoding =
        QStringConverter::encodingForData(bytes);
    // The decoder drops the byte-order mark itself.
    QStringDecoder decoder(encoding.value_or(QStringConverter::Utf8));
    return decoder.decode(bytes);
}

bool hasMarker(const QString& text)
{
    const QStringList lines = linesOf(text);
    return std::any_of(lines.cbegin(), lines.cend(), [](const QString& line) {
        return line == QLatin1String(ExportFile::Marker);
    });
}

ImportSummary merge(ObjectContext& context, const QString& text, const WorkProgress& progress)
{
    ImportSummary summary;
    const QStringList lines = linesOf(text);
    // Record lines with their line numbers in the file.
    QList<std::pair<int, QString>> records;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (!line.isEmpty() && line != QLatin1String(ExportFile::Marker))
            records.append({int(i + 1), line});
    }
    summary.linesTotal = records.size();
    Merge merge(context, summary);
    for (const auto& [number, line] : records) {
        merge.line(number, line);
        ++summary.linesDone;
        summary.lastLine = number;
        if (progress && !progress(summary.linesDone, summary.linesTotal) &&
            summary.linesDone < summary.linesTotal) {
            summary.cancelled = true;
            break;
        }
    }
    return summary;
}

} // namespace ImportFile
