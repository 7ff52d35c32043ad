#include "platform/core/FilePrivacy.h"

#include <QProcess>
#include <optional>
#include <sys/stat.h>

namespace FilePrivacy {

namespace {

constexpr mode_t PrivateMask = 077;

// Unset until keepNewFilesPrivate(): the process then still has the mask it was started with.
std::optional<mode_t>& startingMask()
{
    static std::optional<mode_t> mask;
    return mask;
}

} // namespace

void keepNewFilesPrivate()
{
    const mode_t previous = ::umask(PrivateMask);
    if (!startingMask())
        startingMask() = previous;
}

void giveStartingMask(QProcess& process)
{
    if (const std::optional<mode_t> mask = startingMask())
        // Runs in the child between fork and exec, where only async-signal-safe calls are allowed:
        // umask() is one.
        process.setChildProcessModifier([mask = *mask] { ::umask(mask); });
}

bool startDetached(const QString& program, const QStringList& arguments)
{
    const std::optional<mode_t> mask = startingMask();
    if (!mask)
        return QProcess::startDetached(program, arguments);
    // Qt runs no child modifier for a detached start, so a shell sets the mask and becomes the
    // program; the mask is a number, the program and its arguments are passed as arguments.
    QStringList shellArguments{
        QStringLiteral("-c"),
        QStringLiteral("umask %1 && exec \"$@\"").arg(uint(*mask), 4, 8, QLatin1Char('0')),
        QStringLiteral("sh"), program};
    shellArguments += arguments;
    return QProcess::startDetached(QStringLiteral("/bin/sh"), shellArguments);
}

StartingMaskScope::StartingMaskScope()
{
    if (const std::optional<mode_t> mask = startingMask()) {
        ::umask(*mask);
        m_restored = true;
    }
}

StartingMaskScope::~StartingMaskScope()
{
    if (m_restored)
        ::umask(PrivateMask);
}

} // namespace FilePrivacy
