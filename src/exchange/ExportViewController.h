#pragma once

#include "platform/gui/ViewController.h"

#include <QString>
#include <functional>

class ObjectContext;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
struct Environment;

// The export screen: writes the whole collection into the export file "Vellora.csv", or into a
// spreadsheet file, in the application's temporary folder, shows it, and hands the file made last
// to the share sheet or to mail. A new export file is offered once the collection has changed
// since the last one, or a minute later.
class ExportViewController final : public ViewController
{
    Q_OBJECT

public:
    // One kind of file the screen writes (the export file, the spreadsheet file).
    struct Kind;

    explicit ExportViewController(Environment& environment, QObject* parent = nullptr);

    QPushButton* ExportButton = nullptr;
    QPushButton* SpreadsheetButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* EmailButton = nullptr;
    QPlainTextEdit* ExportTextView = nullptr;
    QPlainTextEdit* HelpTextView = nullptr;
    // Stamps written out of all stamps.
    QProgressBar* ProgressView = nullptr;
    // Busy while the export runs.
    QProgressBar* activityIndicator = nullptr;

    ObjectContext* managedObjectContext = nullptr;

    // Where the export writes its file, and where the spreadsheet file is written.
    QString exportFilePath() const;
    QString spreadsheetFilePath() const;

    void viewDidLoad() override;

public Q_SLOTS:
    void CreateUpdateFile();
    void CreateSpreadsheetFile();
    void SaveToFiles();
    void WriteTextFile();

protected:
    void buildView(QWidget* view) override;

private:
    // Writes one kind of file with progress, shows it and offers it; false when it was not made.
    bool makeFile(const Kind& kind);
    // The export file made last is out of date once the view context has changed since, or
    // once a minute has passed.
    void watchForChanges();
    // The export button, enabled unless the file made last still shows the collection or a
    // file is being made.
    void offerExport();
    void resetProgress();
    void showProgress(qsizetype written, qsizetype total);
    void exportFinished();
    // The file Save To Files and Email File hand on.
    QString madeFilePath() const;
    void tell(const QString& title, const QString& message);
    // Where dialogs appear: the stack the screen is on (its own view may not be placed yet).
    QWidget* presentingWidget();

    Environment& m_environment;
    // The file made last, which Save To Files and Email File hand on.
    const Kind* m_made = nullptr;
    bool m_making = false;
    // Whether the export file made last still shows the collection, and the view context's
    // change count when it was made.
    bool m_exportUpToDate = false;
    quint64 m_exportedAtChange = 0;
    // Which export the looks at the counter are for: those of an earlier one stop.
    quint64 m_exports = 0;
};
