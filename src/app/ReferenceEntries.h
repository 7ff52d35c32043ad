#pragma once

#include "platform/core/Result.h"

#include <QString>
#include <QStringList>
#include <optional>

struct Environment;

// The eleven reference lists as every screen that adds to them or renames their entries knows
// them, and the one set of checks a new or renamed entry passes: the lists' own add and edit
// screens, and the stamp forms' pickers, which add a value they do not offer.
namespace ReferenceEntries {

struct List
{
    const char* entityName;   // the stored entity: "PerforationList"
    const char* title;        // the list's name on the lists menu: "Perforations"
    const char* emptyMessage; // told when the text is empty: "Perforation not Entered"
};

extern const List Countries;
extern const List Perforations;
extern const List Gum;
extern const List Margins;
extern const List Paper;
extern const List Grades;
extern const List Conditions;
extern const List Series;
extern const List Centering;
extern const List Status;
extern const List Faults;

// The longest entry, in characters: room to spare for the longest country name or a compound
// perforation with its remarks, and still one line of a picker or a report.
inline constexpr qsizetype MaximumLength = 100;

QString title(const List& list);
QString emptyMessage(const List& list);

enum class Empty
{
    Refused,
    Allowed
};

// The text as the list stores it, without spaces and tabs at either end, or why it is refused:
// empty (unless allowed), or longer than MaximumLength.
Result<QString> checkedText(const List& list, const QString& typed, Empty empty = Empty::Refused);

// Adds the typed text to the list, unless it is refused (checkedText, or a duplicate of one of
// `texts`, the list's texts as the screen shows them), and saves at once. Texts that differ only
// in how their accents are encoded ("Cre\u0300me" and "Crème") read the same to the collector:
// they are duplicates. A refusal or a refused save (undone) is told to the collector as "Record
// not Saved!"; the text stored is given back when the entry was added.
std::optional<QString> addOrTell(Environment& environment, const List& list, const QString& typed,
                                 const QStringList& texts);

} // namespace ReferenceEntries
