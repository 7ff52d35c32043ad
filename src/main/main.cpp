#include "main/Application.h"
#include "main/CommandLine.h"
#include "main/Translations.h"
#include "platform/core/FilePrivacy.h"

#include <QApplication>
#include <QGuiApplication>
#include <memory>

int main(int argc, char* argv[])
{
    // Before anything makes a file: the store, its backups and exports are the collector's only.
    FilePrivacy::keepNewFilesPrivate();
    // A verb needs no window, so it runs where there is no display (a script, a server).
    const bool verb = CommandLine::asksForVerb(argc, argv);
    if (verb)
        CommandLine::useOffscreenDisplayUnlessChosen();
    const std::unique_ptr<QGuiApplication> qtApplication =
        verb ? std::make_unique<QGuiApplication>(argc, argv)
             : std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Vellora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELLORA_VERSION));
    // Lets the desktop match the windows to vellora.desktop and so to the installed icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("vellora"));
    // Before the command line, whose options and messages are translated too.
    Translations::install(*qtApplication);

    CommandLine commandLine;
    commandLine.process(*qtApplication);
    if (commandLine.hasVerb())
        return commandLine.runVerb();

    Application application(commandLine.dataDirectory());
    if (!application.start())
        return 1;
    return QApplication::exec();
}
