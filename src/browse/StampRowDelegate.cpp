#include "browse/StampRowDelegate.h"

#include "browse/StampRowModel.h"
#include "platform/gui/Styling.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int Margin = 6;

StampRowModel::Shape shapeOf(const QModelIndex& index)
{
    const auto* model = qobject_cast<const StampRowModel*>(index.model());
    return model ? model->shape() : StampRowModel::ListShape;
}

} // namespace

void StampRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    Styling::paintRowFrame(painter, option);
    const StampRowModel::Shape shape = shapeOf(index);
    painter->save();
    const QRect inner = option.rect.adjusted(Margin, Margin, -Margin, -Margin);
    const QSize pictureSize = shape.pictureSize.boundedTo(inner.size());
    const QRect pictureBox(inner.topLeft(), pictureSize);
    const QImage picture = index.data(Qt::DecorationRole).value<QImage>();
    if (!picture.isNull()) {
        QSize shown = picture.size().scaled(pictureSize, Qt::KeepAspectRatio);
        QRect target(QPoint(), shown);
        target.moveCenter(pictureBox.center());
        painter->drawImage(target, picture);
    }

    // Rows stay light in either style, so their text is always dark.
    painter->setPen(Qt::black);
    const QRect textBox = inner.adjusted(pictureSize.width() + Margin, 0, 0, 0);
    const QStringList labels = index.data(StampRowModel::LabelsRole).toStringList();
    const int lineHeight = textBox.height() / std::max(1, int(labels.size()));
    for (int line = 0; line < labels.size(); ++line) {
        QFont font = option.font;
        font.setBold(line == 0);
        painter->setFont(font);
        const QRect lineBox(textBox.left(), textBox.top() + line * lineHeight, textBox.width(),
                            lineHeight);
        const QString text = labels.value(line);
        painter->drawText(lineBox, Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetrics(font).elidedText(text, Qt::ElideRight, lineBox.width()));
    }
    painter->restore();
}

QSize StampRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return {option.rect.width(), shapeOf(index).rowHeight};
}
