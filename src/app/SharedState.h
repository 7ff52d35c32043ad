#pragma once

#include "store/Predicate.h"

#include <QHash>
#include <QImage>
#include <QString>

class Pictures;
class Stamps;
struct StampGroup;

// A copy of the stamp last chosen in a list (or of one group's key value): what the edit form,
// the notes and zoom screens, the breakdowns and the print screen read.
struct SelectedStamp
{
    QImage picture; // null when there is none
    QString denomination;
    qint16 yearOfIssue = 0;
    QString descrip;
    QString country;
    QString perforations;
    QString gum;
    QString margins;
    QString scottNumber;
    QString paper;
    QString color;
    QString grade;
    QString condition;
    QString series;
    QString centering;
    QString status;
    QString faults;
    qint16 quantity = 0;
    float cost = 0;
    float value = 0;
    QString notes;

    // All twenty-one values of the record; an absent text becomes the empty text and a picture
    // that cannot be decoded becomes none.
    static SelectedStamp from(const Stamps& stamp, const Pictures& pictures);

    // The key by which the edit form and the notes screen find the stamp again: its
    // denomination and year of issue, and its Scott number when it has one.
    Predicate keyPredicate() const;

    // The value of a group's key that a group summary chose, as the group's predicate takes it
    // (a year as its decimal text).
    QString valueOf(const StampGroup& group) const;
};

// The state the screens share for as long as the application runs, never stored.
class SharedState final
{
public:
    SharedState();

    // Names the screen that last opened an edit form or the print screen ("Menu", "Master",
    // "YearBreakdown", ...), so they know where to return and what to report.
    QString marker;
    SelectedStamp selectedStamp;
    // The record the edit form shows, so the notes screen changes that stamp and not another one
    // sharing its denomination, year and Scott number. Objects stay valid while the store is open;
    // a deleted one has no context any more.
    Stamps* selectedStampRecord = nullptr;
    // The shared sort direction of the group screens and the print screen; true is ascending.
    bool sortAscending = true;

    // The text of the entry last chosen in a reference list's browser, by the list's entity name
    // ("CountryList"); empty until one is chosen.
    QString selectedReferenceValue(const QString& entityName) const;
    void setSelectedReferenceValue(const QString& entityName, const QString& text);

private:
    QHash<QString, QString> m_selectedReferenceValues;
};
