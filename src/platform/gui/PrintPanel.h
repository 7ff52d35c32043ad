#pragma once

#include <QPointer>
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
// prints the report on the report's own A4 pages; a job that fails is told through the alerts.
// The printer chosen last is offered again.
class DialogPrintPanel final : public PrintPanel
{
public:
    // alerts must outlive every dialog shown.
    explicit DialogPrintPanel(AlertPresenter& alerts);

    void present(QWidget* parent, const QTextDocument& report, Completion done) override;

    // The dialog present() shows, opened, and deleted once it has closed.
    QPrintDialog* openDialog(QWidget* parent, const QTextDocument& report, Completion done);

private:
    AlertPresenter& m_alerts;
    // Shared with the open dialog, which may outlive the panel.
    std::shared_ptr<QPrinter> m_printer;
};
