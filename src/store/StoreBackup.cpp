#include "store/StoreBackup.h"

#include "store/Entities.h"
#include "store/PersistentContainer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

namespace StoreBackup {

namespace {

const QString StampsTable = QString::fromLatin1(Stamps::EntityName);
// A backup being written: hidden, and named so that no backup pattern matches it.
const QString UnfinishedMark = QStringLiteral(".unfinished");

// Backups in age order: by their time, then by the suffix a second backup of the same second
// got ("-2", "-3", ...).
QFileInfoList backupsOldestFirst(const QDir& folder, const QString& name)
{
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(name) +
        QStringLiteral("-(\\d{8}-\\d{6})(?:-(\\d+))?\\.sqlite")));
    QList<std::pair<std::pair<QString, int>, QFileInfo>> found;
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files)) {
        const QRegularExpressionMatch match = pattern.match(file.fileName());
        if (match.hasMatch())
            found.append(
                {{match.captured(1), match.captured(2).isEmpty() ? 1 : match.captured(2).toInt()},
                 file});
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    QFileInfoList files;
    for (const auto& entry : found)
        files.append(entry.second);
    return files;
}

// What a backup cut short left behind: the copy and the journal SQLite kept beside it.
void removeUnfinished(const QDir& folder, const QString& name)
{
    const QString prefix = u'.' + name + u'-';
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files | QDir::Hidden)) {
        const QString fileName = file.fileName();
        if (fileName.startsWith(prefix) && fileName.contains(UnfinishedMark))
            QFile::remove(file.absoluteFilePath());
    }
}

// Writes what the file system holds of a file, or of a folder's entries, to the disk: a backup
// that is renamed into place must not be lost with the power.
bool flushToDisk(const QString& path)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    const bool flushed = ::fsync(descriptor) == 0;
    ::close(descriptor);
    return flushed;
}

QString backupPath(const QDir& folder, const QString& name)
{
    const QString stem =
        name + u'-' + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    // A later backup of the same second takes a suffix above every one of that second, even
    // when older ones were removed, so it never sorts before them.
    int suffix = 0;
    for (const QFileInfo& file : backupsOldestFirst(folder, name)) {
        const QString fileName = file.completeBaseName();
        if (fileName == stem)
            suffix = qMax(suffix, 1);
        else if (fileName.startsWith(stem + u'-'))
            suffix = qMax(suffix, fileName.mid(stem.size() + 1).toInt());
    }
    return folder.filePath(suffix == 0 ? stem + QStringLiteral(".sqlite")
                                       : stem + QStringLiteral("-%1.sqlite").arg(suffix + 1));
}

QString notCopied(const QString& path, const QString& reason)
{
    return QCoreApplication::translate("StoreBackup",
                                       "The collection could not be copied to %1: %2")
        .arg(path, reason);
}

// A backup that can be restored: the check of a new backup, of any number of stamps.
bool isGood(const QString& path)
{
    return PersistentContainer::checkCopy(path, StampsTable).ok();
}

} // namespace

Result<QString> make(PersistentContainer& container, int kept)
{
    const QDir folder(QFileInfo(container.storeFilePath()).absolutePath() +
                      QStringLiteral("/Backups"));
    if (!QDir().mkpath(folder.path()))
        return Failure{
            QCoreApplication::translate("StoreBackup", "The backup folder %1 could not be made")
                .arg(folder.path())};
    removeUnfinished(folder, container.name());

    QString path = backupPath(folder, container.name());
    const QString unfinished = folder.filePath(u'.' + QFileInfo(path).fileName() + UnfinishedMark);
    const auto fail = [&](const QString& reason) {
        QFile::remove(unfinished);
        QFile::remove(unfinished + QStringLiteral("-journal"));
        return Failure{notCopied(path, reason)};
    };
    if (const StoreResult<> copied = container.backUpTo(unfinished); !copied)
        return fail(copied.error().description);
    const StoreResult<qint64> copiedStamps =
        PersistentContainer::checkCopy(unfinished, StampsTable);
    if (!copiedStamps)
        return fail(copiedStamps.error().description);
    const StoreResult<qint64> storedStamps = container.savedRowCount(StampsTable);
    if (!storedStamps)
        return fail(storedStamps.error().description);
    if (*copiedStamps != *storedStamps)
        return fail(QCoreApplication::translate("StoreBackup",
                                                "the copy holds %1 stamps, the collection %2")
                        .arg(*copiedStamps)
                        .arg(*storedStamps));
    if (!flushToDisk(unfinished) || !QFile::rename(unfinished, path))
        return fail(QCoreApplication::translate("StoreBackup", "the copy could not be kept"));
    flushToDisk(folder.path());

    // Only good backups count, so a failed one (from an earlier version) never pushes out a
    // good one; the new one is good, so at least one stays.
    QFileInfoList good = backupsOldestFirst(folder, container.name());
    good.removeIf([&path](const QFileInfo& file) {
        return file.absoluteFilePath() != QFileInfo(path).absoluteFilePath() &&
               !isGood(file.absoluteFilePath());
    });
    for (qsizetype i = 0; i + std::max(kept, 1) < good.size(); ++i)
        QFile::remove(good.at(i).absoluteFilePath());
    return path;
}

} // namespace StoreBackup
