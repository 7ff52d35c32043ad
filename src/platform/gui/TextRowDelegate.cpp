#include "platform/gui/TextRowDelegate.h"

#include "platform/gui/Styling.h"

#include <QIcon>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int MaximumIconSide = 32;
constexpr int IconSpacing = 12;
// Above and below the text of a row whose font needs more than the row's usual height.
constexpr int TextPadding = 8;

} // namespace

TextRowDelegate::TextRowDelegate(int rowHeight, int rightTextRole, QObject* parent)
    : QStyledItemDelegate(parent), m_rowHeight(rowHeight), m_rightTextRole(rightTextRole)
{}

void TextRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const
{
    Styling::paintRowFrame(painter, option);
    painter->save();
    const QColor ink = Styling::rowInkColor(option);
    painter->setPen(ink);
    QRect inner = option.rect.adjusted(16, 0, -16, 0);
    const QVariant decoration = index.data(Qt::DecorationRole);
    if (decoration.typeId() == QMetaType::QIcon) {
        const int side = std::min(inner.height() * 6 / 10, MaximumIconSide);
        const QRect place(inner.left(), inner.center().y() - side / 2, side, side);
        QPixmap symbol = decoration.value<QIcon>().pixmap(
            place.size(), painter->device()->devicePixelRatio(),
            option.state & QStyle::State_Enabled ? QIcon::Normal : QIcon::Disabled);
        {
            QPainter tint(&symbol);
            tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
            tint.fillRect(QRect(QPoint(), symbol.size()), ink);
        }
        painter->drawPixmap(place, symbol);
        inner.setLeft(place.right() + 1 + IconSpacing);
    }
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

int TextRowDelegate::rowHeight(int usualHeight, const QFont& font)
{
    QFont bold = font;
    bold.setBold(true);
    return std::max(usualHeight, QFontMetrics(bold).height() + 2 * TextPadding);
}

QSize TextRowDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    Q_UNUSED(index)
    // No width of its own: the view makes each row as wide as its viewport (option.rect is the
    // whole view, frame and scroll bar included, and would make rows scroll sideways).
    return {0, rowHeight(m_rowHeight, option.font)};
}
