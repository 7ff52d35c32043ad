#include "main/CommandLine.h"

#include "app/AppDelegate.h"
#include "app/Preferences.h"
#include "exchange/ExportFile.h"
#include "exchange/ImportFile.h"
#include "exchange/SpreadsheetFile.h"
#include "platform/core/Pictures.h"
#include "platform/core/RegularFile.h"
#include "platform/core/ReportPages.h"
#include "platform/core/UserDefaults.h"
#include "reports/StampReport.h"
#include "store/Model.h"
#include "store/ObjectContext.h"
#include "store/PersistentContainer.h"
#include "store/StampGroups.h"
#include "store/StoreBackup.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextDocument>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace {

// Exit statuses: the arguments were wrong, or the work could not be done.
constexpr int UsageError = 2;
constexpr int WorkFailed = 1;

int fail(int status, const QString& message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    std::fflush(stderr);
    return status;
}

// How a message names a group's value: "year 1962", "Scott number C3".
QString groupNoun(const StampGroup& group)
{
    if (&group == &StampGroups::ScottNumber)
        return CommandLine::tr("Scott number");
    if (&group == &StampGroups::Year)
        return CommandLine::tr("year");
    if (&group == &StampGroups::Country)
        return CommandLine::tr("country");
    if (&group == &StampGroups::Denomination)
        return CommandLine::tr("denomination");
    if (&group == &StampGroups::Status)
        return CommandLine::tr("status");
    return QString::fromLatin1(group.name);
}

// Writes one report of the collection in `folder` to `output`. `group` is nullptr for the whole
// collection. The store is only read: nothing is filled in or saved.
// The collector's choices, as the window keeps them for the data folder.
struct FolderPreferences
{
    explicit FolderPreferences(const QString& folder)
        : defaults(AppDelegate::userDefaultsFile(folder))
    {}
    SettingsUserDefaults defaults;
    Preferences preferences{defaults};
};

int writeReport(const QString& folder, const StampGroup* group, const QString& value,
                const QString& output)
{
    PersistentContainer container(QString::fromLatin1(Model::Name), folder);
    // Opening a store that is not there would make an empty one.
    if (!QFileInfo::exists(container.storeFilePath()))
        return fail(WorkFailed, CommandLine::tr("There is no collection in %1 (no %2)")
                                    .arg(folder, QFileInfo(container.storeFilePath()).fileName()));
    if (const StoreResult<> loaded = container.loadPersistentStores(); !loaded)
        return fail(WorkFailed, AppDelegate::unresolvedErrorMessage(loaded.error()));

    const StoreResult<QList<Stamps*>> fetched =
        group ? container.viewContext().fetch<Stamps>(group->predicate(value), group->order(true))
              : container.viewContext().fetch<Stamps>(
                    {}, {FolderPreferences(folder).preferences.sortBy(QStringLiteral("scottNumber"),
                                                                      true)});
    if (!fetched)
        return fail(WorkFailed, CommandLine::tr("The stamps could not be read: ") +
                                    fetched.error().description);
    const QList<Stamps*>& stamps = *fetched;
    if (stamps.isEmpty())
        return fail(WorkFailed,
                    group ? CommandLine::tr("No stamps with %1 %2").arg(groupNoun(*group), value)
                          : CommandLine::tr("No stamps in the collection"));

    const QtPictures pictures;
    const std::unique_ptr<QTextDocument> report =
        group ? StampReports::buildBreakdown(StampReports::breakdown(*group), stamps,
                                             ReportPages::DefaultViewWidth, pictures)
              : StampReports::buildPrintAll(*StampReports::printAllFor(QStringLiteral("Menu")),
                                            stamps, ReportPages::DefaultViewWidth, pictures);
    // writePdf says what went wrong on the console itself.
    return ReportPages::writePdf(*report, output) ? 0 : WorkFailed;
}

// Opens the store in `folder` for a verb; nullptr after saying why when there is none or it
// cannot be opened. Opening a store that is not there would make an empty one.
std::unique_ptr<PersistentContainer> openStore(const QString& folder)
{
    auto container =
        std::make_unique<PersistentContainer>(QString::fromLatin1(Model::Name), folder);
    if (!QFileInfo::exists(container->storeFilePath())) {
        fail(WorkFailed, CommandLine::tr("There is no collection in %1 (no %2)")
                             .arg(folder, QFileInfo(container->storeFilePath()).fileName()));
        return nullptr;
    }
    if (const StoreResult<> loaded = container->loadPersistentStores(); !loaded) {
        fail(WorkFailed, AppDelegate::unresolvedErrorMessage(loaded.error()));
        return nullptr;
    }
    return container;
}

int exportCollection(const QString& folder, const QString& output)
{
    const std::unique_ptr<PersistentContainer> container = openStore(folder);
    if (!container)
        return WorkFailed;
    const QtPictures pictures;
    const Result<ExportFile::Written> result =
        ExportFile::writeFile(container->viewContext(), pictures, output);
    if (!result)
        return fail(WorkFailed, result.error());
    std::fputs(qPrintable(CommandLine::tr("Stamps exported: %1\n").arg(result->written)), stdout);
    return 0;
}

int exportSpreadsheet(const QString& folder, const QString& output)
{
    const std::unique_ptr<PersistentContainer> container = openStore(folder);
    if (!container)
        return WorkFailed;
    const Result<ExportFile::Written> result =
        SpreadsheetFile::writeFile(container->viewContext(), output);
    if (!result)
        return fail(WorkFailed, result.error());
    std::fputs(qPrintable(CommandLine::tr("Stamps exported: %1\n").arg(result->written)), stdout);
    return 0;
}

// Reads the export file, makes the backup and merges. The import ran (status 0) even when some
// lines were refused: the summary on standard output says which.
int importFile(const QString& folder, const QString& input)
{
    const Result<std::unique_ptr<QFile>, FileRefusal> file =
        openRegularFile(input, ImportFile::LargestFile);
    if (!file)
        return fail(WorkFailed,
                    CommandLine::tr("Could not read %1: %2").arg(input, file.error().text()));
    if (!ImportFile::hasMarker(**file))
        return fail(
            WorkFailed,
            CommandLine::tr("%1 Is The Incorrect Import File").arg(QFileInfo(input).fileName()));
    const std::unique_ptr<PersistentContainer> container = openStore(folder);
    if (!container)
        return WorkFailed;
    if (container->isReadOnly())
        return fail(WorkFailed,
                    CommandLine::tr("This collection is read-only: nothing was imported"));
    const Result<QString> backup =
        StoreBackup::make(*container, FolderPreferences(folder).preferences.backupsKept());
    if (!backup)
        return fail(WorkFailed, CommandLine::tr("%1; nothing was imported").arg(backup.error()));
    ImportSummary summary = ImportFile::merge(container->viewContext(), **file);
    summary.backupFile = *backup;
    if (!summary.saved())
        return fail(WorkFailed, summary.text().trimmed());
    std::fputs(summary.text().toUtf8().constData(), stdout);
    std::fflush(stdout);
    return 0;
}

// Puts the backup `input` in the store's place, the store backed up first; a refused file
// leaves the store as it was.
int restoreBackup(const QString& folder, const QString& input)
{
    const std::unique_ptr<PersistentContainer> container = openStore(folder);
    if (!container)
        return WorkFailed;
    const FolderPreferences chosen(folder);
    const Result<QString> backup =
        StoreBackup::restore(*container, input, chosen.preferences.backupsKept());
    if (!backup)
        return fail(WorkFailed, backup.error());
    // Best effort, as the Settings screen does it: without the index that order is only slower.
    static_cast<void>(container->keepCatalogueScottIndex(chosen.preferences.catalogueScottOrder()));
    std::fputs(qPrintable(CommandLine::tr("Backup of the collection before the restore: %1\n"
                                          "The collection was restored from %2\n")
                              .arg(*backup, input)),
               stdout);
    std::fflush(stdout);
    return 0;
}

} // namespace

CommandLine::CommandLine()
    : m_dataDirectory(QStringLiteral("data-dir"),
                      tr("Keep the collection and the settings in <folder>."), tr("folder")),
      m_report(QStringLiteral("report"),
               tr("Write the report of one group of stamps (KIND VALUE, KIND one of "
                  "year, country, denomination, scott, status) or of all stamps "
                  "(all) as a PDF file, without a window."),
               tr("kind")),
      m_output(QStringLiteral("output"),
               tr("The PDF file --report writes; an earlier file is replaced."), tr("file")),
      m_export(QStringLiteral("export"),
               tr("Write every stamp to the export file <file>, without a window; an "
                  "earlier file is replaced."),
               tr("file")),
      m_exportCsv(QStringLiteral("export-csv"),
                  tr("Write every stamp to <file> as CSV for a spreadsheet (UTF-8, a header row, "
                     "no pictures), without a window; an earlier file is replaced."),
                  tr("file")),
      m_import(QStringLiteral("import"),
               tr("Merge the stamps of the export file <file> into the collection, "
                  "without a window, after a backup of the store in its Backups "
                  "folder."),
               tr("file")),
      m_restore(QStringLiteral("restore"),
                tr("Put the collection of the backup <file> in the store's place, without a "
                   "window, after a backup of the store as it is in its Backups folder; a file "
                   "that is not a sound backup is refused and changes nothing."),
                tr("file"))
{
    m_parser.setApplicationDescription(tr("A catalogue of a postage-stamp collection"));
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addOption(m_dataDirectory);
    m_parser.addOption(m_report);
    m_parser.addOption(m_output);
    m_parser.addOption(m_export);
    m_parser.addOption(m_exportCsv);
    m_parser.addOption(m_import);
    m_parser.addOption(m_restore);
    m_parser.addPositionalArgument(QStringLiteral("value"),
                                   tr("The group's value, after --report KIND."), tr("[value]"));
}

bool CommandLine::asksForVerb(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--") == 0)
            return false;
        // Help and the version need no window either.
        for (const char* word : {"-h", "-?", "--help", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argument, word) == 0)
                return true;
        }
        for (const char* verb :
             {"--report", "--output", "--export", "--export-csv", "--import", "--restore"}) {
            const size_t length = std::strlen(verb);
            if (std::strncmp(argument, verb, length) == 0 &&
                (argument[length] == '\0' || argument[length] == '='))
                return true;
        }
    }
    return false;
}

void CommandLine::useOffscreenDisplayUnlessChosen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void CommandLine::process(const QCoreApplication& application)
{
    m_parser.process(application);
}

QString CommandLine::dataDirectory() const
{
    return m_parser.isSet(m_dataDirectory)
               ? m_parser.value(m_dataDirectory)
               : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool CommandLine::hasVerb() const
{
    return m_parser.isSet(m_report) || m_parser.isSet(m_output) || m_parser.isSet(m_export) ||
           m_parser.isSet(m_exportCsv) || m_parser.isSet(m_import) || m_parser.isSet(m_restore);
}

int CommandLine::runVerb() const
{
    const int exchangeVerbs = int(m_parser.isSet(m_export)) + int(m_parser.isSet(m_exportCsv)) +
                              int(m_parser.isSet(m_import)) + int(m_parser.isSet(m_restore));
    if (exchangeVerbs > 0) {
        if (exchangeVerbs > 1 || m_parser.isSet(m_report) || m_parser.isSet(m_output))
            return fail(UsageError,
                        tr("Use one of --export, --export-csv, --import, --restore and --report."));
        if (!m_parser.positionalArguments().isEmpty())
            return fail(
                UsageError,
                tr("Unexpected argument \"%1\".").arg(m_parser.positionalArguments().constFirst()));
        if (m_parser.isSet(m_export))
            return exportCollection(dataDirectory(), m_parser.value(m_export));
        if (m_parser.isSet(m_exportCsv))
            return exportSpreadsheet(dataDirectory(), m_parser.value(m_exportCsv));
        if (m_parser.isSet(m_restore))
            return restoreBackup(dataDirectory(), m_parser.value(m_restore));
        return importFile(dataDirectory(), m_parser.value(m_import));
    }
    const QString usage =
        tr("Usage: vellora --report KIND VALUE --output FILE.pdf, or vellora --report all --output "
           "FILE.pdf");
    if (!m_parser.isSet(m_report))
        return fail(UsageError, tr("--output is only used with --report.\n") + usage);
    const QString kind = m_parser.value(m_report);
    const QStringList values = m_parser.positionalArguments();
    const StampGroup* group = nullptr;
    if (kind != QLatin1String("all")) {
        group = StampGroups::named(kind);
        if (!group)
            return fail(UsageError,
                        tr("Unknown report kind \"%1\": use %2.")
                            .arg(kind, tr("year, country, denomination, scott, status or all")));
        if (values.isEmpty())
            return fail(UsageError, tr("--report %1 needs the %2 to report on.\n%3")
                                        .arg(kind, groupNoun(*group), usage));
    }
    const qsizetype expected = group ? 1 : 0;
    if (values.size() > expected)
        return fail(UsageError,
                    tr("Unexpected argument \"%1\".\n%2").arg(values.at(expected), usage));
    const QString value = group ? values.constFirst() : QString();
    if (group == &StampGroups::Year) {
        bool isNumber = false;
        value.toShort(&isNumber);
        if (!isNumber)
            return fail(UsageError, tr("The year must be a whole number, such as 1962, not "
                                       "\"%1\".")
                                        .arg(value));
    }
    const QString output = m_parser.value(m_output);
    if (output.isEmpty())
        return fail(UsageError,
                    tr("--output FILE.pdf is missing: where should the report go?\n") + usage);
    return writeReport(dataDirectory(), group, value, output);
}
