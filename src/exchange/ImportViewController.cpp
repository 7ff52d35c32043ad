#include "exchange/ImportViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/OpeningScreens.h"
#include "app/Preferences.h"
#include "exchange/ImportFile.h"
#include "exchange/TextPreview.h"
#include "platform/core/RegularFile.h"
#include "platform/gui/Alert.h"
#include "platform/gui/DocumentPicker.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/ProgressDialog.h"
#include "platform/gui/Styling.h"
#include "store/StoreBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

namespace {

// Looked up when shown, after the translations are installed.
QString helpText()
{
    return ImportViewController::tr(
        "YOU CAN ONLY IMPORT THE FILE CREATED BY THIS APP.\n"
        "1: Select the file Vellora.csv you saved to a folder on this computer or a synced folder\n"
        "2: Import the file into your collection");
}

} // namespace

ImportViewController::ImportViewController(Environment& environment, QObject* parent)
    : ViewController(QStringLiteral("ImportViewController"), parent), m_environment(environment)
{
    setTitle(tr("Import Stamps"));
}

ImportViewController::~ImportViewController() = default;

void ImportViewController::buildView(QWidget* view)
{
    auto* layout = new QVBoxLayout(view);
    LoadFileButton = new QPushButton(tr("Load File"), view);
    LoadFileButton->setObjectName(QStringLiteral("LoadFileButton"));
    connect(LoadFileButton, &QPushButton::clicked, this, &ImportViewController::LoadFile);
    layout->addWidget(LoadFileButton);
    ImportButton = new QPushButton(tr("Import File"), view);
    ImportButton->setObjectName(QStringLiteral("ImportButton"));
    connect(ImportButton, &QPushButton::clicked, this, &ImportViewController::ImportTextFile);
    layout->addWidget(ImportButton);
    SaveSummaryButton = new QPushButton(tr("Save Summary…"), view);
    SaveSummaryButton->setObjectName(QStringLiteral("SaveSummaryButton"));
    connect(SaveSummaryButton, &QPushButton::clicked, this, &ImportViewController::SaveSummary);
    layout->addWidget(SaveSummaryButton);

    for (QPlainTextEdit** outlet : {&SummaryTextView, &ImportTextView, &HelpTextView}) {
        auto* textView = new QPlainTextEdit(view);
        textView->setReadOnly(true);
        // Read-only, yet the collector can select and copy from it with the keyboard.
        textView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        *outlet = textView;
    }
    SummaryTextView->setObjectName(QStringLiteral("SummaryTextView"));
    // Shown once there is a summary to read.
    SummaryTextView->hide();
    layout->addWidget(SummaryTextView, 2);
    ImportTextView->setObjectName(QStringLiteral("ImportTextView"));
    ImportTextView->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(ImportTextView, 3);
    HelpTextView->setObjectName(QStringLiteral("HelpTextView"));
    layout->addWidget(HelpTextView, 1);
}

void ImportViewController::viewDidLoad()
{
    Styling::styleButton(LoadFileButton);
    Styling::styleButton(ImportButton);
    Styling::styleButton(SaveSummaryButton);
    Styling::styleTextView(SummaryTextView);
    Styling::styleTextView(ImportTextView);
    Styling::styleTextView(HelpTextView);
    ImportButton->setEnabled(false);
    SaveSummaryButton->setEnabled(false);
    HelpTextView->setPlainText(helpText());
    LoadFileButton->setFocus();
}

void ImportViewController::LoadFile()
{
    if (!LoadFileButton->isEnabled())
        return;
    // The file dialog answers later; the screen may have gone by then.
    QPointer<ImportViewController> self(this);
    m_environment.services.documentPicker.pickFile(presentingWidget(), tr("Choose the Export File"),
                                                   {tr("All files (*)")},
                                                   [self](const QString& path) {
                                                       if (self && !path.isEmpty())
                                                           self->readFile(path);
                                                   });
}

void ImportViewController::readFile(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    Result<std::unique_ptr<QFile>, FileRefusal> file =
        openRegularFile(path, ImportFile::LargestFile);
    if (!file) {
        // Nothing changes: the collector may pick another file.
        tell(tr("Data Import File"),
             tr("The file %1 could not be read: %2").arg(name, file.error().text()));
        return;
    }
    const Result<QString> preview = TextPreview::ofDevice(**file);
    if (!preview) {
        tell(tr("Data Import File"),
             tr("The file %1 could not be read: %2").arg(name, preview.error()));
        return;
    }
    filename = name;
    document = std::move(file).value();
    wrongFile = false;
    ImportTextView->setPlainText(*preview);
    ImportButton->setEnabled(true);
    LoadFileButton->setEnabled(false);
    ImportButton->setFocus();
    tell(tr("Data Import File"), tr("File Loaded and Ready to Import"));
}

void ImportViewController::ImportTextFile()
{
    if (!document || !ImportButton->isEnabled())
        return;
    wrongFile = !ImportFile::hasMarker(*document);
    if (*wrongFile) {
        tellAndLeave(tr("Data Import"),
                     tr("%1 Is The Incorrect Import File").arg(filename.value_or(QString())));
        return;
    }
    const Result<QString> backup =
        StoreBackup::make(m_environment.appDelegate.persistentContainer(),
                          Preferences(m_environment.services.userDefaults).backupsKept());
    if (!backup) {
        tell(tr("Data Import"),
             tr("The import was not done, because no backup of the collection could be made: %1")
                 .arg(backup.error()));
        return;
    }

    ImportButton->setEnabled(false);
    managedObjectContext = &m_environment.appDelegate.viewContext();
    ImportSummary summary;
    {
        ProgressDialog progress(presentingWidget(), tr("Importing the stamps…"));
        summary = ImportFile::merge(*managedObjectContext, *document, progress.callback());
    }
    summary.backupFile = *backup;
    showSummary(summary.text());
    if (!summary.saved()) {
        // Nothing was imported: the collector may press the button again.
        ImportButton->setEnabled(true);
        if (!summary.failure.isEmpty())
            tell(tr("Data Import"), tr("Nothing was imported: %1").arg(summary.failure));
        return;
    }
    // The screen stays with the summary; the collector leaves it when done reading.
    tell(tr("Data Import File"), tr("Data File Import Completed"));
}

void ImportViewController::showSummary(const QString& summary)
{
    SummaryTextView->setPlainText(summary);
    SummaryTextView->show();
    SaveSummaryButton->setEnabled(true);
    SummaryTextView->setFocus();
}

void ImportViewController::SaveSummary()
{
    if (!SaveSummaryButton->isEnabled())
        return;
    // The file dialog answers later; the screen may have gone by then.
    QPointer<ImportViewController> self(this);
    m_environment.services.documentPicker.pickFileToSave(
        presentingWidget(), tr("Save the Import Summary"), tr("Vellora Import Summary.txt"),
        {tr("Text files (*.txt)")}, [self](const QString& path) {
            if (self && !path.isEmpty())
                self->writeSummary(path);
        });
}

void ImportViewController::writeSummary(const QString& path)
{
    // Written whole or not at all: an earlier file of that name stays until the new one is done.
    QSaveFile file(path);
    const QByteArray bytes = SummaryTextView->toPlainText().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        tell(tr("Summary not Saved"), tr("The summary could not be saved to %1: %2")
                                          .arg(QDir::toNativeSeparators(path), file.errorString()));
}

void ImportViewController::tellAndLeave(const QString& title, const QString& message)
{
    Alert alert = Alert::withOk(title, message);
    alert.actions.first().handler = [this] {
        performSegue(QString::fromLatin1(OpeningScreens::MainMenu.unwind), this);
    };
    m_environment.services.alerts.present(alert.withContext(this));
}

void ImportViewController::tell(const QString& title, const QString& message)
{
    m_environment.services.alerts.present(Alert::withOk(title, message));
}

QWidget* ImportViewController::presentingWidget()
{
    if (NavigationController* navigation = navigationController())
        return navigation;
    return view();
}
