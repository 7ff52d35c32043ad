#pragma once

#include <QStyledItemDelegate>

// Paints a stamp row of a StampRowModel: the rounded light row with a black border, the picture on
// the left and the labels beside it, one a line, the first in bold.
class StampRowDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
