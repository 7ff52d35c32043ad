#pragma once

#include <QKeySequence>
#include <QList>

// The keys a main window's menus answer themselves (New Stamp, Find, Undo, Delete, ...). Two
// shortcuts on the same keys cancel each other out, so a screen or a bar that would bind one of
// these leaves it to the window, whose action then triggers the screen's
// (ViewController::actionForKeys). Without such a window (a screen alone, in a test) every screen
// binds its own keys.
namespace WindowKeys {

void take(const QList<QKeySequence>& keys);
// The window is gone: the screens bind their own keys again.
void release();
bool taken(const QKeySequence& keys);

} // namespace WindowKeys
