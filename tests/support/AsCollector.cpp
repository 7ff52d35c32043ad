#include "AsCollector.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr uid_t Nobody = 65534;

} // namespace

QString runAsCollector(const std::function<QString()>& check)
{
    if (geteuid() != 0)
        return check();
    int channel[2];
    if (pipe(channel) != 0)
        return QStringLiteral("No pipe to the collector's process");
    const pid_t child = fork();
    if (child < 0)
        return QStringLiteral("The collector's process could not be started");
    if (child == 0) {
        close(channel[0]);
        QByteArray problem;
        if (setgid(Nobody) != 0 || setuid(Nobody) != 0)
            problem = "root could not be given up";
        else
            problem = check().toUtf8();
        ssize_t written = 0;
        while (written < problem.size()) {
            const ssize_t n =
                write(channel[1], problem.constData() + written, size_t(problem.size() - written));
            if (n <= 0)
                break;
            written += n;
        }
        // No destructors or exit handlers: they belong to the parent.
        _exit(0);
    }
    close(channel[1]);
    QByteArray problem;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = read(channel[0], buffer, sizeof buffer)) > 0)
        problem.append(buffer, n);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status))
        return QStringLiteral("The collector's process ended abnormally: ") +
               QString::fromUtf8(problem);
    return QString::fromUtf8(problem);
}

bool setWritableByCollector(const QString& path, bool writable)
{
    const bool folder = QFileInfo(path).isDir();
    // Folders stay searchable and everything stays readable.
    mode_t mode = folder ? 0555 : 0444;
    if (writable)
        mode |= geteuid() == 0 ? 0222 : 0200;
    return chmod(QFile::encodeName(path).constData(), mode) == 0;
}
