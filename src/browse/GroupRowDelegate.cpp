#include "browse/GroupRowDelegate.h"

#include "browse/GroupValueModel.h"
#include "platform/gui/Styling.h"

#include <QPainter>

void GroupRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    Styling::paintRowFrame(painter, option);
    painter->save();
    painter->setPen(Qt::black);
    const QRect inner = option.rect.adjusted(16, 0, -16, 0);
    QFont font = option.font;
    font.setBold(true);
    painter->setFont(font);
    const QString count = index.data(GroupValueModel::CountRole).toString();
    const int countWidth = QFontMetrics(font).horizontalAdvance(count) + 8;
    painter->drawText(inner.adjusted(0, 0, -countWidth, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      QFontMetrics(font).elidedText(index.data(Qt::DisplayRole).toString(),
                                                    Qt::ElideRight, inner.width() - countWidth));
    painter->drawText(inner, Qt::AlignRight | Qt::AlignVCenter, count);
    painter->restore();
}

QSize GroupRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(index)
    return {option.rect.width(), GroupValueModel::RowHeight};
}
