#pragma once

#include <QStyledItemDelegate>

// Paints a row of text on the light rounded row: the display text on the left, after the row's
// symbol when its decoration is an icon, and, when a role is given for it, a second text (a
// count, say) on the right.
class TextRowDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // rightTextRole < 0: no text on the right. Rows are rowHeight tall, or taller when the font
    // needs more.
    TextRowDelegate(int rowHeight, int rightTextRole, QObject* parent = nullptr);

    // The height of a row whose usual height is usualHeight, in `font`.
    static int rowHeight(int usualHeight, const QFont& font);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_rowHeight;
    int m_rightTextRole;
};
