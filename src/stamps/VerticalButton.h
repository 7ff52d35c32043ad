#pragma once

#include <QPushButton>
#include <QRect>

// A button whose title may use the whole height of the button: the title keeps the place the
// platform gives it across, but spans from the top to the bottom and wraps at word boundaries.
class VerticalButton final : public QPushButton
{
    Q_OBJECT

public:
    explicit VerticalButton(QWidget* parent = nullptr);
    explicit VerticalButton(const QString& text, QWidget* parent = nullptr);

    // The platform's title rectangle for contentRect, with its x and width, y 0 and the height of
    // contentRect.
    QRect titleRectForContentRect(const QRect& contentRect) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the platform puts the title inside contentRect, beside the icon when there is one.
    QRect platformTitleRect(const QRect& contentRect) const;
};
