#include "TestEnvironment.h"

#include <QDir>

TestEnvironment::TestEnvironment() : m_dataDirectory(m_temporaryDirectory.path())
{
    relaunch();
}

TestEnvironment::TestEnvironment(const QString& dataDirectory) : m_dataDirectory(dataDirectory)
{
    m_temporaryDirectory.remove();
    relaunch();
}

TestEnvironment::~TestEnvironment() = default;

QString TestEnvironment::userDefaultsFile() const
{
    return AppDelegate::userDefaultsFile(m_dataDirectory);
}

QString TestEnvironment::documentsDirectory() const
{
    return QDir(m_dataDirectory).filePath(QStringLiteral("Documents"));
}

QString TestEnvironment::temporaryDirectory() const
{
    return QDir(m_dataDirectory).filePath(QStringLiteral("Temporary"));
}

QString TestEnvironment::picturesDirectory() const
{
    return QDir(m_dataDirectory).filePath(QStringLiteral("Pictures"));
}

void TestEnvironment::relaunch(const std::function<void()>& whileClosed)
{
    m_environment.reset();
    m_appDelegate.reset();
    m_userDefaults.reset();
    if (whileClosed)
        whileClosed();
    m_shared = SharedState();
    QDir().mkpath(documentsDirectory());
    m_userDefaults = std::make_unique<SettingsUserDefaults>(userDefaultsFile());
    m_appDelegate = std::make_unique<AppDelegate>(m_dataDirectory);
    m_appDelegate->persistentContainer();
    if (m_appDelegate->storeError())
        qFatal("The test store could not be opened: %s",
               qPrintable(m_appDelegate->storeError()->description));
    m_environment = std::make_unique<Environment>(
        Environment{*m_appDelegate,
                    m_shared,
                    {alerts, mainQueue, *m_userDefaults, pictures, mail, messages, shareSheet,
                     browser, urls, camera, documentPicker, pasteboard, printPanel, status},
                    documentsDirectory(),
                    temporaryDirectory(),
                    picturesDirectory()});
}
