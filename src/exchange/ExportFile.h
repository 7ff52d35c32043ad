#pragma once

#include "platform/core/Result.h"
#include "platform/core/WorkProgress.h"

#include <QString>

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

} // namespace ExportFile
