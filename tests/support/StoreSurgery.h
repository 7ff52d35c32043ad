#pragma once

#include <QString>
#include <QStringList>

// Runs SQL statements on a store file through a connection of its own, as another program (or a
// damaged disk) would change it under an open store. False, with a warning, at the first
// statement SQLite refuses.
bool alterStoreFile(const QString& storeFile, const QStringList& statements);
