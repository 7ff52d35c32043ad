#include "platform/gui/HandoverFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <limits>
#include <unistd.h>

namespace HandoverFiles {

namespace {

// The private folder of process `pid` is "vellora-<pid>-" and six random letters or digits.
const QString FolderPrefix = QStringLiteral("vellora-");

QString& processFolderPath()
{
    static QString path;
    return path;
}

// Made once with owner-only rights (QTemporaryDir), so no other user can place files there.
Result<QString> processFolder()
{
    QString& path = processFolderPath();
    if (path.isEmpty()) {
        QTemporaryDir dir(QDir::tempPath() + u'/' + FolderPrefix +
                          QString::number(QCoreApplication::applicationPid()) +
                          QStringLiteral("-XXXXXX"));
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

void removeLeftByEarlierRuns()
{
    const QRegularExpression ours(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(FolderPrefix) + QStringLiteral("(\\d{1,10})-[A-Za-z0-9]{6}")));
    const QDir temp(QDir::tempPath());
    for (const QFileInfo& entry :
         temp.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        const QRegularExpressionMatch match = ours.match(entry.fileName());
        if (!match.hasMatch() || entry.ownerId() != ::getuid())
            continue;
        const qint64 pid = match.captured(1).toLongLong();
        // Only a process that is gone: EPERM means it runs, as another user.
        if (pid <= 0 || pid > std::numeric_limits<pid_t>::max() ||
            pid == QCoreApplication::applicationPid() || ::kill(pid_t(pid), 0) == 0 ||
            errno != ESRCH)
            continue;
        QDir(entry.absoluteFilePath()).removeRecursively();
    }
}

void removeOwn()
{
    QString& path = processFolderPath();
    if (path.isEmpty())
        return;
    QDir(path).removeRecursively();
    path.clear();
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
