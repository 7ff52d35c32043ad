#include "app/Application.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellora"));
    QApplication::setApplicationVersion(QStringLiteral(VELLORA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A catalogue of a postage-stamp collection"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDirectory(
        QStringLiteral("data-dir"),
        QStringLiteral("Keep the collection and the settings in <folder>."),
        QStringLiteral("folder"));
    parser.addOption(dataDirectory);
    parser.process(qtApplication);

    const QString folder = parser.isSet(dataDirectory)
                               ? parser.value(dataDirectory)
                               : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    Application application(folder);
    if (!application.start())
        return 1;
    return QApplication::exec();
}
