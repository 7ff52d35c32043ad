#pragma once

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class AlertPresenter;
class QPrintDialog;
class QPrinter;
class QTextDocument;
class QWidget;

// Offers a report to the collector's printers.
class PrintPanel
{
public:
    // Called once: true when a job was printed, false when the collector cancelled or the job
    // failed.
    using Completion = std::function<void(bool printed)>;

    virtual ~PrintPanel() = default;

    // Returns at once; the report is copied, so the caller may change or drop it meanwhile.
    virtual void present(QWidget* parent, const QTextDocument& report, Completion done) = 0;
};

// The print dialog, window-modal over parent, with the number of copies. An accepted dialog
// prints the report on the report's own pages; a job that fails is told through the alerts.
// The printer chosen last is offered again. Printed to a file, the dialog proposes a name of its
// own for each report, its title and the day it was made ("Stamps Filtered by Country France
// 2026-12-07.pdf"), in the folder chosen last, so an earlier report is never written over.
class DialogPrintPanel final : public PrintPanel
{
public:
    // alerts must outlive every dialog shown; files are proposed in `folder` until the
    // collector chooses another.
    DialogPrintPanel(AlertPresenter& alerts, const QString& folder);

    void present(QWidget* parent, const QTextDocument& report, Completion done) override;

    // The dialog present() shows, opened, and deleted once it has closed.
    QPrintDialog* openDialog(QWidget* parent, const QTextDocument& report, Completion done);

    // What the collector chose last; shared with the open dialogs, which may outlive the panel.
    struct Choice
    {
        bool toFile = false;
        QString printerName; // empty for the system's default printer
        QString folder;      // where files are proposed
    };

private:
    AlertPresenter& m_alerts;
    std::shared_ptr<Choice> m_choice;
};
