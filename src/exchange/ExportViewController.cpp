#include "exchange/ExportViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "exchange/ExportFile.h"
#include "exchange/TextPreview.h"
#include "platform/core/MainQueue.h"
#include "platform/gui/Alert.h"
#include "platform/gui/MailComposer.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/ProgressDialog.h"
#include "platform/gui/ShareSheet.h"
#include "platform/gui/Styling.h"

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

// Looked up when shown, after the translations are installed.
QString helpText()
{
    return ExportViewController::tr(
        "Step 1: Create the Export File\n"
        "Step 2: Option 1: Click 'Save To Files' button\n"
        "             Option 2: Click the Email File button to email the file to "
        "yourself and then from your email save the file to your iCloud Drive. There "
        "are size limits to email attachments for most carriers.");
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

void ExportViewController::buildView(QWidget* view)
{
    auto* layout = new QVBoxLayout(view);
    ExportButton = makeButton(tr("Create Export File"), QStringLiteral("ExportButton"), view);
    connect(ExportButton, &QPushButton::clicked, this, &ExportViewController::CreateUpdateFile);
    layout->addWidget(ExportButton);

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
    for (QPushButton* button : {ExportButton, SaveButton, EmailButton})
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
    ExportButton->setEnabled(false);
    SaveButton->setEnabled(false);
    EmailButton->setEnabled(false);
    ExportTextView->clear();
    resetProgress();
    activityIndicator->show();

    managedObjectContext = &m_environment.appDelegate.viewContext();
    const QString path = exportFilePath();
    // An earlier file is never offered as if it were this export.
    QFile::remove(path);
    const Result<ExportFile::Written> result = [&]() -> Result<ExportFile::Written> {
        if (!QDir().mkpath(m_environment.temporaryDirectory))
            return Failure{
                tr("The folder %1 could not be made").arg(m_environment.temporaryDirectory)};
        ProgressDialog progress(presentingWidget(), tr("Exporting the stamps…"));
        return ExportFile::writeFile(*managedObjectContext, m_environment.services.pictures, path,
                                     [this, &progress](qsizetype done, qsizetype total) {
                                         showProgress(done, total);
                                         return progress.advance(done, total);
                                     });
    }();
    exportFinished(result && !result->cancelled);
    if (!result) {
        tell(tr("Data Export File"),
             tr("The export file could not be made: %1").arg(result.error()));
        return;
    }
    if (result->cancelled) {
        // The collector stopped it: nothing to say, and no partial file.
        QFile::remove(path);
        resetProgress();
        return;
    }
    showProgress(result->written, result->total);

    const Result<QString> shown = TextPreview::ofFile(path);
    if (!shown) {
        exportFinished(false);
        tell(tr("Data Export File"),
             tr("The export file could not be read back: %1").arg(shown.error()));
        return;
    }
    ExportTextView->setPlainText(*shown);
    SaveButton->setEnabled(true);
    EmailButton->setEnabled(true);
    m_environment.services.mainQueue.asyncAfter(1.0, this, [this] {
        tell(tr("Data Export File"), tr("Process Complete - File Ready to Save to Files or Email"));
    });
}

void ExportViewController::exportFinished(bool succeeded)
{
    // A new export needs the screen opened again; one that did not succeed may be tried again.
    ExportButton->setEnabled(!succeeded);
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

void ExportViewController::SaveToFiles()
{
    const QString path = exportFilePath();
    if (!QFile::exists(path)) {
        SaveButton->setEnabled(false);
        EmailButton->setEnabled(false);
        ExportButton->setEnabled(true);
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
    QFile file(exportFilePath());
    if (!file.open(QIODevice::ReadOnly)) {
        tell(tr("Sending Email"),
             tr("The export file could not be read: %1").arg(file.errorString()));
        return;
    }
    MailMessage message;
    message.subject = tr("Vellora Update Text File");
    message.body = tr("Attachment: Vellora Text File");
    message.bodyIsHtml = false;
    message.attachments = {
        {file.readAll(), QStringLiteral("text/csv"), QString::fromLatin1(ExportFile::FileName)}};
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
