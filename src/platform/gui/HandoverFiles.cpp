#include "platform/gui/HandoverFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

namespace HandoverFiles {

namespace {

// Made once with owner-only rights (QTemporaryDir), so no other user can place files there.
Result<QString> processFolder()
{
    static QString path;
    if (path.isEmpty()) {
        QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/vellora-XXXXXX"));
        if (!dir.isValid())
            return Failure{QCoreApplication::translate(
                               "HandoverFiles", "No folder for the files could be made in %1: %2")
                               .arg(QDir::toNativeSeparators(QDir::tempPath()), dir.errorString())};
        dir.setAutoRemove(false);
        path = dir.path();
    }
    return path;
}

QString uniquePath(const QDir& folder, const QString& name)
{
    if (!folder.exists(name))
        return folder.filePath(name);
    const QFileInfo info(name);
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix);
        if (!folder.exists(candidate))
            return folder.filePath(candidate);
    }
}

} // namespace

QString sanitisedFileName(const QString& name, const QString& fallback)
{
    QString clean;
    clean.reserve(name.size());
    for (const QChar c : name)
        clean.append(c == QLatin1Char('/') || c == QLatin1Char('\\') ||
                             c.category() == QChar::Other_Control
                         ? QLatin1Char('_')
                         : c);
    clean = clean.trimmed();
    // A leading dot would hide the file or, as "..", name the parent folder.
    while (clean.startsWith(QLatin1Char('.')))
        clean[0] = QLatin1Char('_');
    return clean.isEmpty() ? fallback : clean;
}

Result<QString> newFolder()
{
    Result<QString> parent = processFolder();
    if (!parent)
        return parent;
    QTemporaryDir dir(*parent + QStringLiteral("/XXXXXX"));
    if (!dir.isValid())
        return Failure{QCoreApplication::translate(
                           "HandoverFiles", "No folder for the files could be made in %1: %2")
                           .arg(QDir::toNativeSeparators(*parent), dir.errorString())};
    dir.setAutoRemove(false);
    return dir.path();
}

Result<QString> write(const QString& folder, const QString& fileName, const QByteArray& data)
{
    QString path =
        uniquePath(QDir(folder), sanitisedFileName(fileName, QStringLiteral("Attachment")));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        return Failure{QCoreApplication::translate("HandoverFiles", "%1 could not be written: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString())};
    return path;
}

} // namespace HandoverFiles
