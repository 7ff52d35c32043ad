#include "browse/StampRowDelegate.h"

#include "browse/StampRowModel.h"
#include "platform/gui/Styling.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int Margin = StampRowModel::RowMargin;

const StampRowModel* stampModel(const QModelIndex& index)
{
    return qobject_cast<const StampRowModel*>(index.model());
}

StampRowModel::Shape shapeOf(const QModelIndex& index)
{
    const StampRowModel* model = stampModel(index);
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
    // Decoded for the screen painted on, so a high-density screen shows it sharp.
    const StampRowModel* model = stampModel(index);
    const QImage picture = model
                               ? model->picture(index.row(), painter->device()->devicePixelRatio())
                               : index.data(Qt::DecorationRole).value<QImage>();
    if (!picture.isNull()) {
        QSize shown =
            picture.deviceIndependentSize().toSize().scaled(pictureSize, Qt::KeepAspectRatio);
        QRect target(QPoint(), shown);
        target.moveCenter(pictureBox.center());
        painter->drawImage(target, picture);
    }

    painter->setPen(Styling::rowInkColor(option));
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
    const StampRowModel* model = stampModel(index);
    // No width of its own: the view makes each row as wide as its viewport (option.rect is the
    // whole view, frame and scroll bar included, and would make rows scroll sideways).
    return {0, model ? model->rowHeight(option.font) : shapeOf(index).rowHeight};
}
