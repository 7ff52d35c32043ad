#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>

// The command line of Vellora: the data folder for the window, and the verbs that do their work
// without one.
//
//   vellora [--data-dir DIR]
//   vellora [--data-dir DIR] --report KIND VALUE --output FILE.pdf    (KIND: year, country,
//                                                                      denomination, scott, status)
//   vellora [--data-dir DIR] --report all --output FILE.pdf
//   vellora [--data-dir DIR] --export FILE                            (the export file)
//   vellora [--data-dir DIR] --export-csv FILE                        (for a spreadsheet)
//   vellora [--data-dir DIR] --import FILE                            (backup, then merge)
//   vellora [--data-dir DIR] --restore FILE                           (backup, then the backup FILE
//                                                                      in the store's place)
class CommandLine final
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    CommandLine();

    // Whether the arguments ask for a verb (or for help or the version), known before the
    // application object is made: these run on QGuiApplication, without a display.
    static bool asksForVerb(int argc, char* argv[]);
    // Lets a verb run where there is no display at all.
    static void useOffscreenDisplayUnlessChosen();

    // Reads the arguments; --help, --version and unknown options end the process here.
    void process(const QCoreApplication& application);
    QString dataDirectory() const;
    bool hasVerb() const;
    // Runs the verb; the process's exit status. Messages go to standard error.
    int runVerb() const;

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_dataDirectory;
    QCommandLineOption m_report;
    QCommandLineOption m_output;
    QCommandLineOption m_export;
    QCommandLineOption m_exportCsv;
    QCommandLineOption m_import;
    QCommandLineOption m_restore;
};
