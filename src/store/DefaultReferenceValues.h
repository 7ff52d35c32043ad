#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The values the eleven reference lists are filled with on the very first launch.
namespace DefaultReferenceValues {

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
