#include "platform/gui/TextRowDelegate.h"

#include "platform/gui/Styling.h"

#include <QPainter>

TextRowDelegate::TextRowDelegate(int rowHeight, int rightTextRole, QObject* parent)
    : QStyledItemDelegate(parent), m_rowHeight(rowHeight), m_rightTextRole(rightTextRole)
{}

void TextRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    Styling::paintRowFrame(painter, option);
    painter->save();
    // Rows stay light in either style, so their text is always dark.
    painter->setPen(Qt::black);
    const QRect inner = option.rect.adjusted(16, 0, -16, 0);
    QFont font = option.font;
    font.setBold(true);
    painter->setFont(font);
    const QFontMetrics metrics(font);
    const QString right = m_rightTextRole >= 0 ? index.data(m_rightTextRole).toString() : QString();
    const int rightWidth = right.isEmpty() ? 0 : metrics.horizontalAdvance(right) + 8;
    painter->drawText(inner.adjusted(0, 0, -rightWidth, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      metrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideRight,
                                         inner.width() - rightWidth));
    if (!right.isEmpty())
        painter->drawText(inner, Qt::AlignRight | Qt::AlignVCenter, right);
    painter->restore();
}

QSize TextRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(index)
    return {option.rect.width(), m_rowHeight};
}
