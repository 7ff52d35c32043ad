#pragma once

#include "platform/core/Result.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class QWidget;

// A chart as a file: a PNG picture of it as shown, or an SVG drawing of it, chosen by the file's
// ending. The file is replaced whole or not at all.
class ChartFiles final
{
    Q_DECLARE_TR_FUNCTIONS(ChartFiles)

public:
    // The chart view's picture at the screen's pixel density, as PNG.
    static Result<QByteArray> png(QWidget& chartView);
    // The chart view drawn as SVG, titled `title`.
    static Result<QByteArray> svg(QWidget& chartView, const QString& title);
    // Writes the chart to path: PNG for ".png", SVG for ".svg" (in any case); any other ending is
    // refused, with nothing written.
    static Result<void> save(QWidget& chartView, const QString& title, const QString& path);
};
