#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

// The bounding box of the image's pixels much darker and bluer than text: where the blue sample
// pictures lie. Null when the image shows none.
inline QRect bluePixels(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.blue() > 100 && c.red() < 80 && c.green() < 80)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}
