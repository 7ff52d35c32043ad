#pragma once

#include "store/StoreError.h"

#include <QSqlDatabase>

// The store's tables and indexes, brought up to date step by step. The version reached is kept
// in SQLite's user_version; each step runs in its own transaction.
namespace Schema {

// The version this build writes.
int currentVersion();
// Runs every step the store has not had yet. False, with `error` set, when a step fails (that
// step is rolled back) or when the store is newer than this build.
bool upgrade(QSqlDatabase& database, StoreError& error);

} // namespace Schema
