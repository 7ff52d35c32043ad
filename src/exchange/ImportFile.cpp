#include "exchange/ImportFile.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/ExportFile.h"
#include "exchange/LineReader.h"
#include "platform/core/Console.h"
#include "platform/core/Pictures.h"
#include "store/Entities.h"
#include "store/NumberText.h"
#include "store/ObjectContext.h"
#include "store/StoreBatch.h"

#include <QCoreApplication>
#include <QIODevice>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h> // NOLINT(modernize-deprecated-headers): newlocale() and locale_t are POSIX

namespace {

constexpr qsizetype ProblemsListed = 20;

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
    Merge(StoreBatch& batch, ImportSummary& summary) : m_batch(batch), m_summary(summary)
    {
        for (const ExchangeFormat::Field& field : ExchangeFormat::Fields)
            m_attributeOf.push_back(Model::stamps().indexOf(QString::fromLatin1(field.attribute)));
    }

    // False when the store gave up the whole import (its reason in the summary).
    bool line(int number, const QString& line);

private:
    void problem(const QString& text);
    // The values of the line's non-empty fields that read; a field that does not read is told
    // and leaves its attribute as it was.
    StoreBatch::Values valuesOf(int lineNumber, const QStringList& fields);
    enum class Outcome
    {
        Added,
        Updated,
        Skipped,
    };
    // Looks the line's stamp up and adds or updates it with one statement, undone alone when the
    // store refuses it.
    StoreResult<Outcome> write(const QStringList& fields, const StoreBatch::Values& values);

    StoreBatch& m_batch;
    ImportSummary& m_summary;
    std::vector<int> m_attributeOf; // each field's attribute in the stamps' entity
};

void Merge::problem(const QString& text)
{
    if (m_summary.problems.size() < ProblemsListed)
        m_summary.problems.append(text);
    else
        ++m_summary.problemsNotListed;
}

StoreResult<Merge::Outcome> Merge::write(const QStringList& fields,
                                         const StoreBatch::Values& values)
{
    const auto key = [&fields](int position) {
        return position < fields.size() ? ExchangeFormat::unescaped(fields.at(position))
                                        : QString(QLatin1String(""));
    };
    // The year as it would be stored from this line: one that does not read is no year.
    const std::optional<qint16> year =
        fields.size() > ExchangeFormat::YearField
            ? NumberText::readWholeNumber(fields.at(ExchangeFormat::YearField))
            : std::nullopt;
    const StoreResult<std::vector<qint64>> found =
        m_batch.find({key(ExchangeFormat::CountryField), key(ExchangeFormat::DenominationField),
                      year ? QVariant(int(*year)) : QVariant()},
                     2);
    if (!found)
        return Failure{found.error()};
    if (found->size() > 1)
        return Outcome::Skipped;
    if (found->empty()) {
        if (StoreResult<> inserted = m_batch.insert(values); !inserted)
            return Failure{inserted.error()};
        return Outcome::Added;
    }
    if (StoreResult<> updated = m_batch.update(found->front(), values); !updated)
        return Failure{updated.error()};
    return Outcome::Updated;
}

bool Merge::line(int number, const QString& line)
{
    const QStringList fields = ExchangeFormat::splitFields(line);
    const StoreBatch::Values values = valuesOf(number, fields);
    const StoreResult<Outcome> written = write(fields, values);
    if (!written) {
        if (StoreResult<> open = m_batch.stillOpen(); !open) {
            m_summary.failure = QCoreApplication::translate("ImportFile", "line %1: %2")
                                    .arg(number)
                                    .arg(written.error().description);
            return false;
        }
        ++m_summary.failedLines;
        const QString text = QCoreApplication::translate("ImportFile", "line %1: not saved: %2")
                                 .arg(number)
                                 .arg(written.error().description);
        Console::printLine(text);
        problem(text);
        return true;
    }
    switch (*written) {
    case Outcome::Added:
        ++m_summary.added;
        break;
    case Outcome::Updated:
        ++m_summary.updated;
        break;
    case Outcome::Skipped:
        ++m_summary.skipped;
        break;
    }
    return true;
}

StoreBatch::Values Merge::valuesOf(int lineNumber, const QStringList& fields)
{
    StoreBatch::Values values(size_t(Model::stamps().attributes().size()));
    const qsizetype count = std::min<qsizetype>(fields.size(), ExchangeFormat::FieldCount);
    for (qsizetype i = 0; i < count; ++i) {
        const QString& field = fields.at(i);
        if (field.isEmpty())
            continue;
        const ExchangeFormat::Field& description = ExchangeFormat::Fields[i];
        const QString key = QString::fromLatin1(description.attribute);
        QVariant& value = values[size_t(m_attributeOf[size_t(i)])];
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
            value = ExchangeFormat::unescaped(field);
            break;
        case AttributeType::Float:
            if (const std::optional<float> number = readFloat(field))
                value = *number;
            else
                notRead(QT_TRANSLATE_NOOP("ImportFile", "is not a number"));
            break;
        case AttributeType::Int16:
            if (const std::optional<qint16> number = NumberText::readWholeNumber(field))
                value = int(*number);
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
                value = *picture;
            break;
        }
        }
    }
    return values;
}

} // namespace

QString ImportSummary::text() const
{
    QString text;
    if (cancelled)
        text = QCoreApplication::translate(
            "ImportFile", "Import cancelled: nothing was imported, the collection is as it was.\n");
    else if (!failure.isEmpty())
        text = QCoreApplication::translate("ImportFile",
                                           "The import could not be saved, so nothing was "
                                           "imported and the collection is as it was: %1\n")
                   .arg(failure);
    else
        text = QCoreApplication::translate("ImportFile", "Stamps added: %1\nStamps updated: %2\n"
                                                         "Skipped (matched two or more stamps): "
                                                         "%3\nFields not read: %4\n")
                   .arg(added)
                   .arg(updated)
                   .arg(skipped)
                   .arg(fieldsNotRead);
    if (saved()) {
        if (failedLines > 0)
            text += QCoreApplication::translate("ImportFile",
                                                "Lines not imported (refused by the store): %1\n")
                        .arg(failedLines);
        for (const QString& problem : problems)
            text += problem + u'\n';
        if (problemsNotListed > 0)
            text += QCoreApplication::translate("ImportFile", "... and %1 more problems\n")
                        .arg(problemsNotListed);
    }
    if (!backupFile.isEmpty())
        text += QCoreApplication::translate("ImportFile",
                                            "Backup of the collection before the import: ") +
                backupFile + u'\n';
    return text;
}

namespace ImportFile {

bool hasMarker(QIODevice& file)
{
    if (!file.seek(0))
        return false;
    LineReader lines(file);
    while (const std::optional<QString> line = lines.next()) {
        if (*line == QLatin1String(ExportFile::Marker))
            return true;
    }
    return false;
}

ImportSummary merge(ObjectContext& context, QIODevice& file, const WorkProgress& progress)
{
    ImportSummary summary;
    if (!file.seek(0)) {
        summary.failure = file.errorString();
        return summary;
    }
    StoreResult<StoreBatch> batch = StoreBatch::begin(
        context, QString::fromLatin1(Stamps::EntityName),
        {QStringLiteral("country"), QStringLiteral("denomination"), QStringLiteral("yearOfIssue")});
    if (!batch) {
        summary.failure = batch.error().description;
        return summary;
    }
    Merge merge(batch.value(), summary);
    LineReader lines(file);
    bool stopAsked = false;
    while (const std::optional<QString> line = lines.next()) {
        if (line->isEmpty() || *line == QLatin1String(ExportFile::Marker))
            continue;
        // Stopping after the last line is no stop: the import is whole.
        if (stopAsked) {
            summary.cancelled = true;
            break;
        }
        if (!merge.line(lines.lineNumber(), *line))
            break;
        ++summary.linesDone;
        stopAsked = progress && !progress(lines.bytesRead(), file.size());
    }
    if (summary.failure.isEmpty() && !lines.error().isEmpty())
        summary.failure =
            QCoreApplication::translate("ImportFile", "the file could not be read to its end: %1")
                .arg(lines.error());
    if (!summary.saved()) {
        batch.value().rollback();
        return summary;
    }
    if (StoreResult<> committed = batch.value().commit(); !committed)
        summary.failure = committed.error().description;
    return summary;
}

} // namespace ImportFile
