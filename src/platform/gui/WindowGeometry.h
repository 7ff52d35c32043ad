#pragma once

#include "platform/core/Result.h"

#include <QList>
#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;
class UserDefaults;

// Where the main window opens and how its place is remembered in the user defaults: the place
// it had last time, on whichever screen holds it now, or its starting shape on the screen it
// opens on; never larger than the room a screen has for windows.
namespace WindowGeometry {

inline const QString PlaceKey = QStringLiteral("WindowGeometry");
inline const QString MaximizedKey = QStringLiteral("WindowMaximized");

// The size a desktop window starts at on a screen with `available` room for windows: about 85%
// of it, at most 1440x960; a small screen (a 1366x768 laptop) is filled.
QSize startingSize(const QSize& available);

// `wanted` moved, and shrunk where it must be, so that with `frame` around it, it lies within
// `available`.
QRect fitted(const QRect& wanted, const QRect& available, const QMargins& frame = {});

// The place of a window: `saved` fitted to the screen that holds most of it; `startingSize`
// centred on `home` and fitted there when nothing was saved or no screen holds any of it now.
// Screens and home are available geometries (without panels and docks).
QRect placement(const QRect& saved, const QSize& startingSize, const QList<QRect>& screens,
                const QRect& home, const QMargins& frame = {});

// Places the window where it was when last saved, or at its starting size on its own screen.
// True when it was maximised: show it so.
bool restore(QWidget& window, const UserDefaults& defaults, const QSize& startingSize);
// Keeps the window's place (as it is when not maximised) and whether it is maximised.
Result<void> save(const QWidget& window, UserDefaults& defaults);

} // namespace WindowGeometry
