#pragma once

#include "platform/core/Result.h"
#include "platform/core/WorkProgress.h"

#include <QString>
#include <functional>

class ObjectContext;
class Pictures;
class QIODevice;

// The export file that moves a collection between devices: the marker line "[VELLORA]", then one
// line per stamp of 22 fields joined by "^" (texts, float texts, integer texts, the picture as
// Base64 of a JPEG at quality 60). In texts a backslash is written "\\", "^" "\^", a line feed
// "\n" and a carriage return "\r", so every collection survives the round trip.
namespace ExportFile {

inline constexpr char Marker[] = "[VELLORA]";
inline constexpr char FileName[] = "Vellora.csv";

// How far an export went. A failure (the fetch or the device) is the Result's reason instead.
struct Written
{
    qsizetype written = 0; // stamps written
    qsizetype total = 0;   // stamps in the collection
    bool cancelled = false;

    // Counts one more stamp written and tells `progress`; false when the collector cancelled
    // with stamps still to write.
    bool countOne(const WorkProgress& progress)
    {
        ++written;
        cancelled = progress && !progress(written, total) && written < total;
        return !cancelled;
    }
};

// Writes every stamp of the store, in export order (denomination, year of issue, country), to
// the device as it goes: no whole-file text is built. Pictures are re-encoded on all cores, in
// order. `progress` is told per stamp; false cancels.
Result<Written> write(ObjectContext& context, const Pictures& pictures, QIODevice& device,
                      const WorkProgress& progress = {});

// The same into the file at path, atomically: a failed or cancelled export leaves an earlier
// file as it was.
Result<Written> writeFile(ObjectContext& context, const Pictures& pictures, const QString& path,
                          const WorkProgress& progress = {});

// Writes through `write` into the file at path atomically, for every file an export makes: a failed
// or cancelled write leaves an earlier file as it was. `notCreated` and `notWritten` begin the
// messages of a file that cannot be made or finished.
Result<Written> writeAtomically(const QString& path,
                                const std::function<Result<Written>(QIODevice&)>& write,
                                const QString& notCreated, const QString& notWritten);

} // namespace ExportFile
