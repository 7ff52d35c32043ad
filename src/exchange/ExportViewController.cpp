#include "exchange/ExportViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "exchange/ExportFile.h"
#include "exchange/SpreadsheetFile.h"
#include "exchange/TextPreview.h"
#include "platform/core/MainQueue.h"
#include "platform/gui/Alert.h"
#include "platform/gui/MailComposer.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/ProgressDialog.h"
#include "platform/gui/ShareSheet.h"
#include "platform/gui/Styling.h"
#include "store/ObjectContext.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace {

// After this many seconds a new export is offered even if the view context saw no change: the
// store may have been changed by another program (the command line's --import).
constexpr int OfferExportAgainSeconds = 60;

// Looked up when shown, after the translations are installed.
QString helpText()
{
    return ExportViewController::tr(
        "Step 1: Create the Export File\n"
        "Step 2: Option 1: Click 'Save To Files' button and save Vellora.csv to a folder on "
        "this computer or a synced folder\n"
        "             Option 2: Click the Email File button to email the file to "
        "yourself and then from your email save Vellora.csv to a folder on this computer or a "
        "synced folder. There are size limits to email attachments for most mail providers.");
}

// The hand-overs the export file is not offered to: those that would not keep it as a file.
const QList<ActivityType> ExcludedActivityTypes = {
    ActivityType::AirDrop,     ActivityType::AddToReadingList, ActivityType::Mail,
    ActivityType::Message,     ActivityType::PostToFacebook,   ActivityType::PostToTwitter,
    ActivityType::MarkupAsPDF, ActivityType::CopyToPasteboard, ActivityType::Print,
};

QPushButton* makeButton(const QString& title, const QString& outletName, QWidget* view)
{
    auto* button = new QPushButton(title, view);
    button->setObjectName(outletName);
    return button;
}

QPlainTextEdit* makeTextView(const QString& outletName, QWidget* view)
{
    auto* textView = new QPlainTextEdit(view);
    textView->setObjectName(outletName);
    textView->setReadOnly(true);
    // Read-only, yet the collector can select and copy from it with the keyboard.
    textView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return textView;
}

} // namespace

// One kind of file the screen writes, and how it is mailed.
struct ExportViewController::Kind
{
    const char* fileName;
    std::function<Result<ExportFile::Written>(Environment&, const QString& path,
                                              const WorkProgress&)>
        write;
    const char* progressText;
    const char* mailSubject;
    const char* mailBody;
};

namespace {

const ExportViewController::Kind* exportFileKind();
const ExportViewController::Kind* spreadsheetKind();

} // namespace

ExportViewController::ExportViewController(Environment& environment, QObject* parent)
    : ViewController(QStringLiteral("ExportViewController"), parent), m_environment(environment)
{
    setTitle(tr("Export Stamps"));
}

QString ExportViewController::exportFilePath() const
{
    return QDir(m_environment.temporaryDirectory)
        .filePath(QString::fromLatin1(ExportFile::FileName));
}

QString ExportViewController::spreadsheetFilePath() const
{
    return QDir(m_environment.temporaryDirectory)
        .filePath(QString::fromLatin1(SpreadsheetFile::FileName));
}

void ExportViewController::buildView(QWidget* view)
{
    auto* layout = new QVBoxLayout(view);
    ExportButton = makeButton(tr("Create Export File"), QStringLiteral("ExportButton"), view);
    connect(ExportButton, &QPushButton::clicked, this, &ExportViewController::CreateUpdateFile);
    layout->addWidget(ExportButton);
    SpreadsheetButton =
        makeButton(tr("Export for Spreadsheet"), QStringLiteral("SpreadsheetButton"), view);
    connect(SpreadsheetButton, &QPushButton::clicked, this,
            &ExportViewController::CreateSpreadsheetFile);
    layout->addWidget(SpreadsheetButton);

    auto* handOver = new QHBoxLayout;
    SaveButton = makeButton(tr("Save To Files"), QStringLiteral("SaveButton"), view);
    connect(SaveButton, &QPushButton::clicked, this, &ExportViewController::SaveToFiles);
    handOver->addWidget(SaveButton);
    EmailButton = makeButton(tr("Email File"), QStringLiteral("EmailButton"), view);
    connect(EmailButton, &QPushButton::clicked, this, &ExportViewController::WriteTextFile);
    handOver->addWidget(EmailButton);
    layout->addLayout(handOver);

    ProgressView = new QProgressBar(view);
    ProgressView->setObjectName(QStringLiteral("ProgressView"));
    layout->addWidget(ProgressView);

    activityIndicator = new QProgressBar(view);
    activityIndicator->setObjectName(QStringLiteral("activityIndicator"));
    // No range: the toolkit's busy animation.
    activityIndicator->setRange(0, 0);
    activityIndicator->setTextVisible(false);
    activityIndicator->setMaximumHeight(ProgressView->sizeHint().height() / 2);
    activityIndicator->hide();
    layout->addWidget(activityIndicator);

    ExportTextView = makeTextView(QStringLiteral("ExportTextView"), view);
    ExportTextView->setLineWrapMode(QPlainTextEdit::NoWrap);
    layout->addWidget(ExportTextView, 3);
    HelpTextView = makeTextView(QStringLiteral("HelpTextView"), view);
    layout->addWidget(HelpTextView, 1);
}

void ExportViewController::viewDidLoad()
{
    for (QPushButton* button : {ExportButton, SpreadsheetButton, SaveButton, EmailButton})
        Styling::styleButton(button);
    Styling::styleTextView(ExportTextView);
    Styling::styleTextView(HelpTextView);
    SaveButton->setEnabled(false);
    EmailButton->setEnabled(false);
    HelpTextView->setPlainText(helpText());
    resetProgress();
    ExportButton->setFocus();
}

void ExportViewController::CreateUpdateFile()
{
    if (!ExportButton->isEnabled())
        return;
    // One that was not made may be tried again at once; one that was, once it is out of date.
    m_exportUpToDate = false;
    if (makeFile(*exportFileKind())) {
        m_exportUpToDate = true;
        m_exportedAtChange = m_environment.appDelegate.viewContext().changeCount();
        watchForChanges();
    }
    offerExport();
}

void ExportViewController::watchForChanges()
{
    // A look at a counter once a second: changes come from other screens and the undo bar,
    // which say nothing to this one. Every look is queued now, so the minute counts from the
    // export however late the looks run.
    const quint64 exported = ++m_exports;
    for (int second = 1; second <= OfferExportAgainSeconds; ++second) {
        m_environment.services.mainQueue.asyncAfter(
            second, this, [this, exported, last = second == OfferExportAgainSeconds] {
                if (exported != m_exports)
                    return;
                if (last ||
                    m_environment.appDelegate.viewContext().changeCount() != m_exportedAtChange) {
                    m_exportUpToDate = false;
                    offerExport();
                }
            });
    }
}

void ExportViewController::offerExport()
{
    ExportButton->setEnabled(!m_exportUpToDate && !m_making);
}

void ExportViewController::CreateSpreadsheetFile()
{
    if (!SpreadsheetButton->isEnabled())
        return;
    makeFile(*spreadsheetKind());
}

bool ExportViewController::makeFile(const Kind& kind)
{
    m_making = true;
    for (QPushButton* button : {ExportButton, SpreadsheetButton, SaveButton, EmailButton})
        button->setEnabled(false);
    m_made = nullptr;
    ExportTextView->clear();
    resetProgress();
    activityIndicator->show();

    managedObjectContext = &m_environment.appDelegate.viewContext();
    const QString path =
        QDir(m_environment.temporaryDirectory).filePath(QString::fromLatin1(kind.fileName));
    // An earlier file is never offered as if it were this export.
    QFile::remove(path);
    const Result<ExportFile::Written> result = [&]() -> Result<ExportFile::Written> {
        if (!QDir().mkpath(m_environment.temporaryDirectory))
            return Failure{
                tr("The folder %1 could not be made").arg(m_environment.temporaryDirectory)};
        ProgressDialog progress(presentingWidget(), tr(kind.progressText));
        return kind.write(m_environment, path, [this, &progress](qsizetype done, qsizetype total) {
            showProgress(done, total);
            return progress.advance(done, total);
        });
    }();
    m_making = false;
    offerExport();
    // A spreadsheet file may always be made again: it is only ever a copy to look at.
    SpreadsheetButton->setEnabled(true);
    exportFinished();
    if (!result) {
        tell(tr("Data Export File"),
             tr("The export file could not be made: %1").arg(result.error()));
        return false;
    }
    if (result->cancelled) {
        // The collector stopped it: nothing to say, and no partial file.
        QFile::remove(path);
        resetProgress();
        return false;
    }
    showProgress(result->written, result->total);

    const Result<QString> shown = TextPreview::ofFile(path);
    if (!shown) {
        tell(tr("Data Export File"),
             tr("The export file could not be read back: %1").arg(shown.error()));
        return false;
    }
    ExportTextView->setPlainText(*shown);
    m_made = &kind;
    SaveButton->setEnabled(true);
    EmailButton->setEnabled(true);
    m_environment.services.mainQueue.asyncAfter(1.0, this, [this] {
        tell(tr("Data Export File"), tr("Process Complete - File Ready to Save to Files or Email"));
    });
    return true;
}

void ExportViewController::exportFinished()
{
    m_environment.services.mainQueue.asyncAfter(
        0.001, activityIndicator, [indicator = activityIndicator] { indicator->hide(); });
}

void ExportViewController::resetProgress()
{
    ProgressView->setRange(0, 1);
    ProgressView->setValue(0);
    ProgressView->setFormat(QString());
}

void ExportViewController::showProgress(qsizetype written, qsizetype total)
{
    // An empty collection is a full bar: nothing is left to write.
    const int maximum = int(std::clamp<qsizetype>(total, 1, INT_MAX));
    const int value = total == 0 ? maximum : int(std::clamp<qsizetype>(written, 0, maximum));
    ProgressView->setRange(0, maximum);
    ProgressView->setValue(value);
    ProgressView->setFormat(tr("%1 of %2 stamps written").arg(written).arg(total));
}

QString ExportViewController::madeFilePath() const
{
    return m_made ? QDir(m_environment.temporaryDirectory)
                        .filePath(QString::fromLatin1(m_made->fileName))
                  : exportFilePath();
}

void ExportViewController::SaveToFiles()
{
    const QString path = madeFilePath();
    if (!QFile::exists(path)) {
        SaveButton->setEnabled(false);
        EmailButton->setEnabled(false);
        if (m_made == exportFileKind()) {
            m_exportUpToDate = false;
            offerExport();
        }
        tell(tr("Data Export File"),
             tr("The export file is no longer there: create the export file again."));
        return;
    }
    ShareRequest request;
    request.items = {ShareItem::fromFile(QUrl::fromLocalFile(path))};
    request.excludedActivityTypes = ExcludedActivityTypes;
    request.sourceView = presentingWidget();
    m_environment.services.shareSheet.present(request);
}

void ExportViewController::WriteTextFile()
{
    MailComposer& mail = m_environment.services.mail;
    if (!mail.canSendMail()) {
        tell(tr("Sending Email"), tr("Email not Setup or Unavailable"));
        return;
    }
    const Kind& made = m_made ? *m_made : *exportFileKind();
    QFile file(madeFilePath());
    if (!file.open(QIODevice::ReadOnly)) {
        tell(tr("Sending Email"),
             tr("The export file could not be read: %1").arg(file.errorString()));
        return;
    }
    MailMessage message;
    message.subject = tr(made.mailSubject);
    message.body = tr(made.mailBody);
    message.bodyIsHtml = false;
    message.attachments = {
        {file.readAll(), QStringLiteral("text/csv"), QString::fromLatin1(made.fileName)}};
    if (const Result<void> handed = mail.present(message); !handed)
        tell(tr("Sending Email"), handed.error());
}

void ExportViewController::tell(const QString& title, const QString& message)
{
    m_environment.services.alerts.present(Alert::withOk(title, message));
}

QWidget* ExportViewController::presentingWidget()
{
    if (NavigationController* navigation = navigationController())
        return navigation;
    return view();
}

namespace {

const ExportViewController::Kind* exportFileKind()
{
    static const ExportViewController::Kind kind{
        ExportFile::FileName,
        [](Environment& environment, const QString& path, const WorkProgress& progress) {
            return ExportFile::writeFile(environment.appDelegate.viewContext(),
                                         environment.services.pictures, path, progress);
        },
        QT_TRANSLATE_NOOP("ExportViewController", "Exporting the stamps…"),
        QT_TRANSLATE_NOOP("ExportViewController", "Vellora Update Text File"),
        QT_TRANSLATE_NOOP("ExportViewController", "Attachment: Vellora Text File")};
    return &kind;
}

const ExportViewController::Kind* spreadsheetKind()
{
    static const ExportViewController::Kind kind{
        SpreadsheetFile::FileName,
        [](Environment& environment, const QString& path, const WorkProgress& progress) {
            return SpreadsheetFile::writeFile(environment.appDelegate.viewContext(), path,
                                              progress);
        },
        QT_TRANSLATE_NOOP("ExportViewController", "Writing the spreadsheet file…"),
        QT_TRANSLATE_NOOP("ExportViewController", "Vellora Spreadsheet File"),
        QT_TRANSLATE_NOOP("ExportViewController", "Attachment: Vellora Spreadsheet File")};
    return &kind;
}

} // namespace
