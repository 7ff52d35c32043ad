#include "insight/ChartFiles.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QWidget>

Result<QByteArray> ChartFiles::png(QWidget& chartView)
{
    const QImage picture = chartView.grab().toImage();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (picture.isNull() || !picture.save(&buffer, "PNG"))
        return Failure{tr("The chart could not be made into a PNG picture.")};
    return bytes;
}

Result<QByteArray> ChartFiles::svg(QWidget& chartView, const QString& title)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator drawing;
    drawing.setOutputDevice(&buffer);
    drawing.setSize(chartView.size());
    drawing.setViewBox(QRect(QPoint(0, 0), chartView.size()));
    drawing.setResolution(chartView.logicalDpiX());
    drawing.setTitle(title);
    drawing.setDescription(tr("A chart of the stamp collection, made by Vellora"));
    QPainter painter;
    if (!painter.begin(&drawing))
        return Failure{tr("The chart could not be drawn as SVG.")};
    chartView.render(&painter);
    if (!painter.end() || bytes.isEmpty())
        return Failure{tr("The chart could not be drawn as SVG.")};
    return bytes;
}

Result<void> ChartFiles::save(QWidget& chartView, const QString& title, const QString& path)
{
    const QString shownPath = QDir::toNativeSeparators(path);
    const QString ending = QFileInfo(path).suffix().toLower();
    const bool asSvg = ending == QLatin1String("svg");
    if (!asSvg && ending != QLatin1String("png"))
        return Failure{tr("%1 was not written: a chart is saved as a PNG picture (.png) or an SVG "
                          "drawing (.svg).")
                           .arg(shownPath)};
    const Result<QByteArray> bytes = asSvg ? svg(chartView, title) : png(chartView);
    if (!bytes)
        return Failure{bytes.error()};

    // Written beside the file and renamed over it, so a failure leaves an older file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit())
        return Failure{
            tr("The chart could not be written to %1: %2").arg(shownPath, file.errorString())};
    return {};
}
