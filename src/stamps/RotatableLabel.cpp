#include "stamps/RotatableLabel.h"

#include <QPainter>
#include <QStyle>

namespace {

constexpr double pi = 3.141592653589793;

} // namespace

void RotatableLabel::setRotation(int degrees)
{
    m_transform = QTransform().rotateRadians(static_cast<double>(degrees) / 180.0 * pi);
    update();
}

void RotatableLabel::paintEvent(QPaintEvent* event)
{
    if (m_transform.isIdentity()) {
        QLabel::paintEvent(event);
        return;
    }
    // QLabel paints with its own painter, which cannot be turned; a label that is turned draws
    // its frame, picture or plain text itself, about its centre.
    QPainter painter(this);
    const QPointF centre = QRectF(rect()).center();
    painter.translate(centre);
    painter.setTransform(m_transform, true);
    painter.translate(-centre);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const QPixmap picture = pixmap();
    if (!picture.isNull()) {
        if (hasScaledContents())
            painter.drawPixmap(area, picture);
        else
            style()->drawItemPixmap(&painter, area, alignment(), picture);
        return;
    }
    const int flags = int(alignment()) | (wordWrap() ? int(Qt::TextWordWrap) : 0);
    style()->drawItemText(&painter, area, flags, palette(), isEnabled(), text(), foregroundRole());
}
