#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The values the eleven reference lists of a new store are filled with.
namespace DefaultReferenceValues {

// The store marker saved with the values, so that a store is filled once.
inline constexpr char SeededMarker[] = "ReferenceListsSeeded";

QStringList centered();
QStringList conditions();
QStringList countries();
QStringList faults();
QStringList grades();
QStringList gums();
QStringList margins();
QStringList papers();
QStringList perforations();
QStringList series();
QStringList statuses();

} // namespace DefaultReferenceValues
