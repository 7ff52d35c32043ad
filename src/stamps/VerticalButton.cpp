#include "stamps/VerticalButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

// The gap the common style leaves between a push button's icon and its text.
constexpr int iconSpacing = 4;

} // namespace

VerticalButton::VerticalButton(QWidget* parent) : QPushButton(parent) {}

VerticalButton::VerticalButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

QRect VerticalButton::platformTitleRect(const QRect& contentRect) const
{
    // As the platform lays a push button out: icon and single-line title side by side, centred
    // together, the title cut to the room that is left.
    const int iconWidth = icon().isNull() ? 0 : iconSize().width() + iconSpacing;
    const QSize textSize = fontMetrics().size(Qt::TextShowMnemonic, text());
    const int titleWidth =
        std::clamp(textSize.width(), 0, std::max(0, contentRect.width() - iconWidth));
    const int groupWidth = iconWidth + titleWidth;
    const int left = contentRect.left() + (contentRect.width() - groupWidth) / 2 + iconWidth;
    const int top = contentRect.top() + (contentRect.height() - textSize.height()) / 2;
    return {left, top, titleWidth, textSize.height()};
}

QRect VerticalButton::titleRectForContentRect(const QRect& contentRect) const
{
    const QRect platform = platformTitleRect(contentRect);
    return {platform.x(), 0, platform.width(), contentRect.height()};
}

void VerticalButton::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event)
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    const QRect content = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const QRect title = titleRectForContentRect(content);
    if (!icon().isNull()) {
        // The icon keeps the platform's place, just left of the title.
        const QSize size = iconSize();
        const QRect iconRect(title.left() - iconSpacing - size.width(),
                             content.top() + (content.height() - size.height()) / 2, size.width(),
                             size.height());
        const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        icon().paint(&painter, iconRect, Qt::AlignCenter, mode,
                     isChecked() ? QIcon::On : QIcon::Off);
    }
    style()->drawItemText(&painter, title,
                          Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, option.palette,
                          isEnabled(), text(), QPalette::ButtonText);
}
