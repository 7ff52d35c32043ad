#include "platform/gui/PrintPanel.h"

#include "platform/core/ReportPages.h"
#include "platform/gui/Alert.h"
#include "platform/gui/ProgressDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopeGuard>
#include <QTextDocument>

namespace {

// The job's name, which is also the start of the file's: the report's title without the
// characters a file name cannot hold ("All Stamps Sorted by Scott").
QString jobName(const QString& title)
{
    static const QString unfit = QStringLiteral("/\\:*?\"<>|#");
    QString name = title;
    for (QChar& character : name) {
        if (unfit.contains(character))
            character = QLatin1Char(' ');
    }
    name = name.simplified();
    return name.isEmpty() ? QStringLiteral("Vellora Report") : name;
}

// The report's title and the day it was made, numbered on when a file of that name is there.
QString proposedFile(const QTextDocument& report, const QString& folder)
{
    const QString name = jobName(report.metaInformation(QTextDocument::DocumentTitle)) +
                         QLatin1Char(' ') + ReportPages::madeOn(report).toString(Qt::ISODate);
    const QDir directory(folder);
    QString file = directory.filePath(name + QStringLiteral(".pdf"));
    for (int number = 2; QFileInfo::exists(file); ++number)
        file = directory.filePath(QStringLiteral("%1 (%2).pdf").arg(name).arg(number));
    return file;
}

} // namespace

DialogPrintPanel::DialogPrintPanel(AlertPresenter& alerts, const QString& folder)
    : m_alerts(alerts), m_choice(std::make_shared<Choice>(Choice{false, {}, folder}))
{}

void DialogPrintPanel::present(QWidget* parent, const QTextDocument& report, Completion done)
{
    openDialog(parent, report, std::move(done));
}

QPrintDialog* DialogPrintPanel::openDialog(QWidget* parent, const QTextDocument& report,
                                           Completion done)
{
    std::shared_ptr<QTextDocument> copy(report.clone());
    // A printer of its own for each report, so nothing of the last job's file carries over; the
    // printer chosen last is chosen again.
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    // The report is laid out on A4 with margins of its own, from the paper's corner.
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setFullPage(true);
    printer->setDocName(jobName(report.metaInformation(QTextDocument::DocumentTitle)));
    if (m_choice->toFile)
        printer->setOutputFormat(QPrinter::PdfFormat);
    else if (!m_choice->printerName.isEmpty())
        printer->setPrinterName(m_choice->printerName);

    auto* dialog = new QPrintDialog(printer.get(), parent);
    dialog->setObjectName(QStringLiteral("PrintDialog"));
    dialog->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    dialog->setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                       QAbstractPrintDialog::PrintCollateCopies);
    // The dialog would propose the working folder, or a name made from the job's name on some
    // desktops only; the report's own file is proposed instead.
    if (auto* file = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
        file->setText(proposedFile(report, m_choice->folder));

    AlertPresenter& alerts = m_alerts;
    // finished comes once, whether the dialog was accepted, cancelled or closed.
    QObject::connect(
        dialog, &QPrintDialog::finished, dialog,
        [&alerts, dialog, printer, copy, choice = m_choice, parent = QPointer<QWidget>(parent),
         done = std::move(done)](int result) {
            // Deleted after printing, which lets events through: a deletion already posted
            // would take the dialog away in the middle of its own closing.
            const auto deleteLater = qScopeGuard([dialog] { dialog->deleteLater(); });
            if (result != QDialog::Accepted) {
                done(false);
                return;
            }
            choice->toFile = printer->outputFormat() == QPrinter::PdfFormat;
            if (choice->toFile)
                choice->folder = QFileInfo(printer->outputFileName()).absolutePath();
            else
                choice->printerName = printer->printerName();
            ProgressDialog progress(parent, QCoreApplication::translate("PrintPanel", "Printing…"));
            const bool printed = ReportPages::paint(*copy, *printer, progress.callback());
            if (!printed && !progress.wasCanceled())
                alerts.present(Alert::withOk(
                    QCoreApplication::translate("PrintPanel", "Not Printed"),
                    QCoreApplication::translate("PrintPanel",
                                                "The report could not be sent to the printer.")));
            done(printed);
        });
    dialog->open();
    return dialog;
}
