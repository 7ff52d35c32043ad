#pragma once

#include "platform/core/Result.h"

#include <QString>

class PersistentContainer;

// Copies of the store kept in Backups/ beside it: made before an import changes anything and
// whenever the collector asks, and put back in the store's place by a restore.
namespace StoreBackup {

// Copies the open store as saved to Backups/Vellora-YYYYMMDD-HHMMSS.sqlite in its data folder.
// The copy is written under a hidden temporary name and renamed into place only once it has
// been checked (it opens, SQLite finds no fault, it holds as many stamps as the store), so a
// backup cut short by a full disk or a kill never looks like one; such leftovers are removed by
// the next backup. Then all but the newest `kept` good backups are removed; a file that only
// looks like a backup is neither counted nor removed. The backup's path; when no backup could be
// made, nothing may be imported.
Result<QString> make(PersistentContainer& container, int kept);

// Puts the collection of the backup at `file` in the store's place; the file itself is left as it
// is. A copy of it, beside the store, is checked as a backup is and opened as the store would be
// (brought up to date, every table there), so a file that is damaged, not SQLite, of a newer
// version or of another program is refused. Then the store is backed up (as make() does, so the
// collector can go back), closed, replaced by the copy in one rename, and opened again: every
// object of the old store is gone. A refused file leaves the store as it was, and the reason
// names it. The path of the backup made of the store as it was.
Result<QString> restore(PersistentContainer& container, const QString& file, int kept);

} // namespace StoreBackup
