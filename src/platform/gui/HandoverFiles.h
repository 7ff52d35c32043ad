#pragma once

#include <QByteArray>
#include <QString>

// Files handed to another program (a mail attachment, a text opened in an editor). They stay after
// we return, because the other program reads them later; each hand-over gets its own folder inside
// one private folder of this process under the temp location.
namespace HandoverFiles {

// A name that stays inside its folder: no path separators, no leading dot, never empty.
QString sanitisedFileName(const QString& name, const QString& fallback);

// A fresh, empty folder; an empty path and an error text when none could be made.
QString newFolder(QString* error);

// Writes data as folder/fileName (sanitised; " (2)" etc. added when the name is taken) and returns
// the path, or an empty path and an error text.
QString write(const QString& folder, const QString& fileName, const QByteArray& data,
              QString* error);

} // namespace HandoverFiles
