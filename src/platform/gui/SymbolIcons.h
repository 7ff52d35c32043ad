#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

class QAction;
class QObject;

// The system symbols the screens name ("printer", "camera.fill", ...), drawn at run time in the
// palette's text colour, each with a fallback title for its text and tooltip.
namespace SymbolIcons {

bool isKnown(const QString& systemName);
QStringList knownNames();

// A null icon for an unknown name.
QIcon icon(const QString& systemName);
// The symbol's own fallback title; the name itself for an unknown name.
QString fallbackTitle(const QString& systemName);

// An action showing the symbol, with the title (the symbol's fallback title when empty) as text
// and tooltip. An unknown name gives the title only, and a console line.
QAction* makeAction(const QString& systemName, QObject* parent, const QString& title = {});
void apply(QAction* action, const QString& systemName, const QString& title = {});

} // namespace SymbolIcons
