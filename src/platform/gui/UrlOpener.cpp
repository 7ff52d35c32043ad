#include "platform/gui/UrlOpener.h"

#include "platform/core/Console.h"
#include "platform/core/FilePrivacy.h"
#include "platform/gui/Alert.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>

DesktopOpener::DesktopOpener(AlertPresenter& alerts, const QString& opener)
    : m_alerts(alerts), m_opener(opener)
{}

DesktopOpener::~DesktopOpener()
{
    // An xdg-open still waiting (for a browser it started, say) is let go without an answer; the
    // application it started stays.
    for (QProcess* process : findChildren<QProcess*>())
        disconnect(process, nullptr, this, nullptr);
}

int DesktopOpener::pendingCount() const
{
    return int(findChildren<QProcess*>().size());
}

QString DesktopOpener::refusal(const QUrl& url) const
{
    const QString shown =
        url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile()) : url.toDisplayString();
    return QCoreApplication::translate("UrlOpener", "The %1 could not open %2.")
        .arg(m_opener, shown);
}

void DesktopOpener::tell(const QString& reason)
{
    // Also on the console, for a report of what the desktop refused.
    Console::printLine(reason);
    m_alerts.present(
        Alert::withOk(QCoreApplication::translate("UrlOpener", "Could Not Open"), reason));
}

void DesktopOpener::open(const QUrl& url)
{
    // A relative address would be taken as a file beside the working folder.
    if (!url.isValid() || url.isRelative()) {
        tell(QCoreApplication::translate("UrlOpener",
                                         "Not opening \"%1\" in the %2: it is not a complete "
                                         "address.")
                 .arg(url.toString(), m_opener));
        return;
    }
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) {
        // Another desktop's own way, where there is one; what it starts gets the starting mask,
        // and only while it starts: an alert's event loop could save the collection.
        bool opened = false;
        {
            const FilePrivacy::StartingMaskScope startingMask;
            opened = QDesktopServices::openUrl(url);
        }
        if (!opened)
            tell(refusal(url));
        return;
    }
    // xdg-open says by its exit status whether an application took the address; Qt's own
    // opening starts it and reports only that it started.
    auto* process = new QProcess(this);
    process->setProgram(xdgOpen);
    process->setArguments(
        {url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setProcessChannelMode(QProcess::MergedChannels);
    FilePrivacy::giveStartingMask(*process);
    connect(process, &QProcess::finished, this,
            [this, process, url](int exitCode, QProcess::ExitStatus status) {
                process->deleteLater();
                if (status == QProcess::NormalExit && exitCode == 0)
                    return;
                const QString said = QString::fromLocal8Bit(process->readAll()).trimmed();
                if (!said.isEmpty())
                    Console::printLine(said);
                tell(refusal(url));
            });
    connect(process, &QProcess::errorOccurred, this,
            [this, process, url](QProcess::ProcessError e) {
                if (e != QProcess::FailedToStart)
                    return; // a crash or a kill ends in finished() as well
                process->deleteLater();
                tell(refusal(url));
            });
    process->start();
}

DesktopUrlOpener::DesktopUrlOpener(AlertPresenter& alerts)
    : m_opener(alerts, QCoreApplication::translate("UrlOpener", "default application"))
{}
