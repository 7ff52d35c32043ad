#include "app/ReferenceEntries.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/Saving.h"
#include "app/TextTrimming.h"
#include "store/ObjectContext.h"

#include <QCoreApplication>
#include <algorithm>

namespace ReferenceEntries {

// The lists' names and messages keep the translation context of the lists menu they come from.
const List Countries{
    .entityName = "CountryList",
    .title = QT_TRANSLATE_NOOP("ReferenceLists", "Countries"),
    .emptyMessage = QT_TRANSLATE_NOOP("ReferenceLists", "Required Fields in RED not Entered"),
};
const List Perforations{
    .entityName = "PerforationList",
    .title = QT_TRANSLATE_NOOP("ReferenceLists", "Perforations"),
    .emptyMessage = QT_TRANSLATE_NOOP("ReferenceLists", "Perforation not Entered"),
};
const List Gum{
    .entityName = "GumList",
    .title = QT_TRANSLATE_NOOP("ReferenceLists", "Gum"),
    .emptyMessage = QT_TRANSLATE_NOOP("ReferenceLists", "Gum not Entered"),
};
const List Margins{
    .entityName = "MarginList",
    .title = QT_TRANSLATE_NOOP("ReferenceLists", "Margins"),
    .emptyMessage = QT_TRANSLATE_NOOP("ReferenceLists", "Margin not Entered"),
};
const List Paper{
    .entityName = "PaperList",
    .title = QT_TRANSLATE_NOOP("ReferenceLists", "Paper"),
    .emptyMessage = QT_TRANSLATE_NOOP("ReferenceLists", "Paper not Entered"),
};
const List Grades{
    .entityName = "GradeList",
    .title = QT_TRANSLATE_NOOP("ReferenceLists", "Grades"),
    .emptyMessage = QT_TRANSLATE_NOOP("ReferenceLists", "Grade not Entered"),
};
const List Conditions{
    .entityName = "ConditionList",
    .title = QT_TRANSLATE_NOOP("ReferenceLists", "Conditions"),
    .emptyMessage = QT_TRANSLATE_NOOP("ReferenceLists", "Condition not Entered"),
};
const List Series{
    .entityName = "SeriesList",
    .title = QT_TRANSLATE_NOOP("ReferenceLists", "Series"),
    .emptyMessage = QT_TRANSLATE_NOOP("ReferenceLists", "Series not Entered"),
};
const List Centering{
    .entityName = "CenteredList",
    .title = QT_TRANSLATE_NOOP("ReferenceLists", "Centering"),
    .emptyMessage = QT_TRANSLATE_NOOP("ReferenceLists", "Centering not Entered"),
};
const List Status{
    .entityName = "StatusList",
    .title = QT_TRANSLATE_NOOP("ReferenceLists", "Status"),
    .emptyMessage = QT_TRANSLATE_NOOP("ReferenceLists", "Status not Entered"),
};
const List Faults{
    .entityName = "FaultsList",
    .title = QT_TRANSLATE_NOOP("ReferenceLists", "Faults"),
    .emptyMessage = QT_TRANSLATE_NOOP("ReferenceLists", "Fault not Entered"),
};

namespace {

QString composed(const QString& text)
{
    return text.normalized(QString::NormalizationForm_C);
}

bool isDuplicate(const QString& text, const QStringList& texts)
{
    const QString wanted = composed(text);
    return std::any_of(texts.cbegin(), texts.cend(),
                       [&wanted](const QString& entry) { return composed(entry) == wanted; });
}

} // namespace

QString title(const List& list)
{
    return QCoreApplication::translate("ReferenceLists", list.title);
}

QString emptyMessage(const List& list)
{
    return QCoreApplication::translate("ReferenceLists", list.emptyMessage);
}

Result<QString> checkedText(const List& list, const QString& typed, Empty empty)
{
    // Trimmed first, so spaces alone are no entry and " Fine" is the duplicate of "Fine".
    QString text = TextTrimming::trimSpacesAndTabs(typed);
    if (text.isEmpty() && empty == Empty::Refused)
        return Failure{emptyMessage(list)};
    // Counted as the collector sees them: an accent is no character of its own, nor is either
    // half of a character beyond the 16-bit range.
    const qsizetype length = composed(text).toUcs4().size();
    if (length > MaximumLength) {
        return Failure{
            QCoreApplication::translate(
                "ReferenceEntries", "Entries in %1 can have at most %2 characters; this one has %3")
                .arg(title(list))
                .arg(MaximumLength)
                .arg(length)};
    }
    return text;
}

std::optional<QString> addOrTell(Environment& environment, const List& list, const QString& typed,
                                 const QStringList& texts)
{
    const Result<QString> text = checkedText(list, typed);
    if (!text) {
        Saving::tellRecordNotSaved(environment, text.error());
        return std::nullopt;
    }
    if (isDuplicate(*text, texts)) {
        Saving::tellRecordNotSaved(
            environment, QCoreApplication::translate("ReferenceEntries", "Duplicates not allowed"));
        return std::nullopt;
    }
    ManagedObject* entry =
        environment.appDelegate.viewContext().insertNewObject(QString::fromLatin1(list.entityName));
    entry->setValue(0, *text);
    if (!Saving::saveOrTell(environment))
        return std::nullopt;
    return *text;
}

} // namespace ReferenceEntries
