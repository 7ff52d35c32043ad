#include "platform/gui/WindowGeometry.h"

#include "platform/core/Console.h"
#include "platform/core/UserDefaults.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>

namespace WindowGeometry {

namespace {

qint64 area(const QRect& rect)
{
    return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

// The frame the window manager puts around the window: measured once the window has been
// shown; before that, the style's frame of a window inside a window, about as wide.
QMargins frameAround(const QWidget& window)
{
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    const QMargins measured(inner.left() - outer.left(), inner.top() - outer.top(),
                            outer.right() - inner.right(), outer.bottom() - inner.bottom());
    if (!measured.isNull())
        return measured;
    const QStyle* style = window.style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
    const int titleBar = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return {border, titleBar + border, border, border};
}

} // namespace

QSize startingSize(const QSize& available)
{
    constexpr QSize largest(1440, 960);
    // Below this a smaller window would only hide what fits beside it.
    constexpr QSize small(1440, 800);
    if (available.width() < small.width() || available.height() < small.height())
        return available;
    return QSize(available.width() * 85 / 100, available.height() * 85 / 100).boundedTo(largest);
}

QRect fitted(const QRect& wanted, const QRect& available, const QMargins& frame)
{
    const QRect room = available.marginsRemoved(frame);
    if (room.isEmpty())
        return QRect(available.topLeft(), wanted.size().boundedTo(available.size()));
    QRect place(wanted.topLeft(), wanted.size().boundedTo(room.size()));
    if (place.right() > room.right())
        place.moveRight(room.right());
    if (place.bottom() > room.bottom())
        place.moveBottom(room.bottom());
    if (place.left() < room.left())
        place.moveLeft(room.left());
    if (place.top() < room.top())
        place.moveTop(room.top());
    return place;
}

QRect placement(const QRect& saved, const QSize& startingSize, const QList<QRect>& screens,
                const QRect& home, const QMargins& frame)
{
    if (saved.isValid()) {
        const QRect* holder = nullptr;
        qint64 held = 0;
        for (const QRect& screen : screens) {
            const qint64 shared = area(screen.intersected(saved.marginsAdded(frame)));
            if (shared > held) {
                held = shared;
                holder = &screen;
            }
        }
        if (holder)
            return fitted(saved, *holder, frame);
    }
    QRect start(QPoint(), startingSize);
    start.moveCenter(home.marginsRemoved(frame).center());
    return fitted(start, home, frame);
}

bool restore(QWidget& window, const UserDefaults& defaults, const QSize& startingSize)
{
    const QVariant stored = defaults.objectForKey(PlaceKey);
    QRect saved;
    if (stored.isValid()) {
        saved = stored.toRect();
        if (!saved.isValid())
            Console::printLine(QStringLiteral("The window's saved place (%1) could not be read; it "
                                              "opens at its starting size")
                                   .arg(stored.toString()));
    }
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    const QScreen* own = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    const QRect home = own ? own->availableGeometry() : QRect(QPoint(), startingSize);
    window.setGeometry(placement(saved, startingSize, screens, home, frameAround(window)));
    return saved.isValid() && defaults.boolForKey(MaximizedKey);
}

Result<void> save(const QWidget& window, UserDefaults& defaults)
{
    const QRect normal = window.normalGeometry();
    defaults.setObject(PlaceKey, normal.isValid() ? normal : window.geometry());
    defaults.setBool(MaximizedKey, window.isMaximized());
    return defaults.synchronize();
}

} // namespace WindowGeometry
