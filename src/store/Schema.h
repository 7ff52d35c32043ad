#pragma once

#include "store/StoreError.h"

#include <QSqlDatabase>

// The store's tables and indexes, brought up to date step by step. The version reached is kept
// in SQLite's user_version; each step runs in its own transaction.
namespace Schema {

// The version this build writes.
int currentVersion();
// The version the store says it has; a failure when the file cannot be read as a store at all,
// or its version is not one this build knows (negative, or newer than this build).
StoreResult<int> readVersion(QSqlDatabase& database);
// Runs every step the store has not had yet; a failure when the version is unknown or a step
// fails (that step is rolled back).
StoreResult<> upgrade(QSqlDatabase& database);
// Whether every table and column the model reads and writes is there, so a damaged or foreign
// file is refused instead of misread. Reads only.
StoreResult<> verify(QSqlDatabase& database);
// Makes or drops the index of the Scott numbers in catalogue order, which serves the stamp list
// while that order is chosen. Kept out of the steps: its order is known only to a connection
// that was taught it, so a store where that order is not chosen stays open to any SQLite tool.
StoreResult<> keepCatalogueScottIndex(QSqlDatabase& database, bool kept);

} // namespace Schema
