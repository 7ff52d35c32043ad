#pragma once

#include <QString>
#include <QStringList>

// What a run of the built vellora executable said and returned.
struct VelloraRun
{
    int exitCode = -1; // -1 when it did not end by itself within a minute
    QString out;
    QString err;
};

// Runs the executable at `executable` with the arguments as a script would: with no display at
// all, so a verb that needs a window would fail.
VelloraRun runVellora(const QString& executable, const QStringList& arguments);
