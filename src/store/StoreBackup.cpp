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
#include <cstdio>
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

// The files SQLite keeps beside a store while it is open or a write is under way.
const QStringList CompanionEndings = {QStringLiteral("-wal"), QStringLiteral("-shm"),
                                      QStringLiteral("-journal")};

void removeWithCompanions(const QString& path)
{
    QFile::remove(path);
    for (const QString& ending : CompanionEndings)
        QFile::remove(path + ending);
}

// Renames over an existing file in one step (QFile::rename refuses to replace one), so the store
// file is always either the old collection or the new one.
bool replaceFile(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

// Copies `file` beside the store as the store-to-be and checks it: it opens as a backup does and
// as the store does (the newer, foreign or damaged refused; an older one brought up to date).
// Closed again, so the copy alone holds it. The reason when it is refused.
Result<QString> prepareReplacement(const PersistentContainer& container, const QString& file)
{
    const QFileInfo chosen(file);
    if (!chosen.exists())
        return Failure{QCoreApplication::translate("StoreBackup", "the file is missing")};
    if (!chosen.isFile())
        return Failure{QCoreApplication::translate("StoreBackup", "it is not a file")};
    // A write to it was cut short, or a program has it open: the file alone is not all of it.
    if (QFileInfo::exists(file + QStringLiteral("-journal")) ||
        QFileInfo(file + QStringLiteral("-wal")).size() > 0)
        return Failure{QCoreApplication::translate(
            "StoreBackup", "it is in use by a program, or a change to it was not finished")};

    const QString folder = QFileInfo(container.storeFilePath()).absolutePath();
    const QString name = u'.' + container.name() + QStringLiteral("-restoring");
    PersistentContainer replacement(name, folder);
    QString path = replacement.storeFilePath();
    removeWithCompanions(path);
    QFile source(file);
    if (!source.copy(path)) {
        const QString reason = source.errorString();
        removeWithCompanions(path);
        return Failure{
            QCoreApplication::translate("StoreBackup", "it could not be copied: %1").arg(reason)};
    }
    // A copy takes the file's permissions; the store keeps its own (a read-only backup would
    // make a read-only collection).
    QFile::setPermissions(path, QFileInfo(container.storeFilePath()).permissions());
    const auto refuse = [&](const QString& reason) {
        replacement.close();
        removeWithCompanions(path);
        return Failure{reason};
    };
    if (const StoreResult<qint64> checked = PersistentContainer::checkCopy(path, StampsTable);
        !checked)
        return refuse(checked.error().description);
    if (const StoreResult<> opened = replacement.loadPersistentStores(); !opened)
        return refuse(opened.error().description);
    if (replacement.isReadOnly())
        return refuse(QCoreApplication::translate("StoreBackup", "its copy could not be written"));
    replacement.close();
    for (const QString& ending : CompanionEndings) {
        if (QFileInfo::exists(path + ending))
            return refuse(
                QCoreApplication::translate("StoreBackup", "its copy could not be closed"));
    }
    if (!flushToDisk(path))
        return refuse(QCoreApplication::translate("StoreBackup",
                                                  "its copy could not be written to the disk"));
    return path;
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

Result<QString> restore(PersistentContainer& container, const QString& file, int kept)
{
    const QString fileName = QFileInfo(file).fileName();
    const auto refused = [&fileName](const QString& reason) {
        return Failure{QCoreApplication::translate("StoreBackup", "%1 was not restored: %2")
                           .arg(fileName, reason)};
    };
    if (container.isReadOnly())
        return refused(QCoreApplication::translate("StoreBackup", "this collection is read-only"));
    const Result<QString> prepared = prepareReplacement(container, file);
    if (!prepared)
        return refused(prepared.error());
    const QString& replacement = *prepared;
    const Result<QString> backup = make(container, kept);
    if (!backup) {
        removeWithCompanions(replacement);
        return refused(backup.error());
    }

    const QString store = container.storeFilePath();
    container.close();
    // The old store's log must not be applied to the new file; closed, it holds nothing unsaved.
    QFile::remove(store + QStringLiteral("-wal"));
    QFile::remove(store + QStringLiteral("-shm"));
    const bool replaced = replaceFile(replacement, store);
    if (!replaced)
        removeWithCompanions(replacement);
    flushToDisk(QFileInfo(store).absolutePath());
    if (const StoreResult<> opened = container.loadPersistentStores(); !opened)
        return Failure{QCoreApplication::translate(
                           "StoreBackup",
                           "The collection could not be opened again: %1. The collection as it was "
                           "is in %2")
                           .arg(opened.error().description, *backup)};
    if (!replaced)
        return refused(
            QCoreApplication::translate("StoreBackup", "the collection could not be replaced"));
    return *backup;
}

} // namespace StoreBackup
