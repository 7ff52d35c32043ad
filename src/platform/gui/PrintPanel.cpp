#include "platform/gui/PrintPanel.h"

#include "platform/core/ReportPages.h"
#include "platform/gui/Alert.h"
#include "platform/gui/ProgressDialog.h"

#include <QCoreApplication>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopeGuard>
#include <QTextDocument>

namespace {

// The job's name, which the dialog also offers as the name of a PDF file: the report's title
// without the characters a file name cannot hold ("All Stamps Sorted by Scott").
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

} // namespace

DialogPrintPanel::DialogPrintPanel(AlertPresenter& alerts)
    : m_alerts(alerts), m_printer(std::make_shared<QPrinter>(QPrinter::HighResolution))
{
    // The report is laid out on A4; paper of that size prints it as laid out.
    m_printer->setPageSize(QPageSize(QPageSize::A4));
}

void DialogPrintPanel::present(QWidget* parent, const QTextDocument& report, Completion done)
{
    openDialog(parent, report, std::move(done));
}

QPrintDialog* DialogPrintPanel::openDialog(QWidget* parent, const QTextDocument& report,
                                           Completion done)
{
    std::shared_ptr<QTextDocument> copy(report.clone());
    m_printer->setDocName(jobName(report.metaInformation(QTextDocument::DocumentTitle)));
    m_printer->setCopyCount(1);

    auto* dialog = new QPrintDialog(m_printer.get(), parent);
    dialog->setObjectName(QStringLiteral("PrintDialog"));
    dialog->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    dialog->setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                       QAbstractPrintDialog::PrintCollateCopies);

    AlertPresenter& alerts = m_alerts;
    // finished comes once, whether the dialog was accepted, cancelled or closed.
    QObject::connect(
        dialog, &QPrintDialog::finished, dialog,
        [&alerts, dialog, printer = m_printer, copy, parent = QPointer<QWidget>(parent),
         done = std::move(done)](int result) {
            // Deleted after printing, which lets events through: a deletion already posted
            // would take the dialog away in the middle of its own closing.
            const auto deleteLater = qScopeGuard([dialog] { dialog->deleteLater(); });
            if (result != QDialog::Accepted) {
                done(false);
                return;
            }
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
