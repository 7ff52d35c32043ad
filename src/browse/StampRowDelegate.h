#pragma once

#include <QStyledItemDelegate>

// Paints a stamp row: the rounded light row with a black border, the picture on the left and the
// four labels beside it.
class StampRowDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
