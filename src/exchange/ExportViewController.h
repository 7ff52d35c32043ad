#pragma once

#include "platform/gui/ViewController.h"

#include <QString>

class ObjectContext;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
struct Environment;

// The export screen: writes the whole collection into the export file "Vellora.csv" in the
// application's temporary folder, shows it, and hands it to the share sheet or to mail.
class ExportViewController final : public ViewController
{
    Q_OBJECT

public:
    explicit ExportViewController(Environment& environment, QObject* parent = nullptr);

    QPushButton* ExportButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* EmailButton = nullptr;
    QPlainTextEdit* ExportTextView = nullptr;
    QPlainTextEdit* HelpTextView = nullptr;
    // Stamps written out of all stamps.
    QProgressBar* ProgressView = nullptr;
    // Busy while the export runs.
    QProgressBar* activityIndicator = nullptr;

    ObjectContext* managedObjectContext = nullptr;

    // Where the export writes its file.
    QString exportFilePath() const;

    void viewDidLoad() override;

public Q_SLOTS:
    void CreateUpdateFile();
    void SaveToFiles();
    void WriteTextFile();

protected:
    void buildView(QWidget* view) override;

private:
    void resetProgress();
    void showProgress(qsizetype written, qsizetype total);
    void exportFinished(bool succeeded);
    void tell(const QString& title, const QString& message);
    // Where dialogs appear: the stack the screen is on (its own view may not be placed yet).
    QWidget* presentingWidget();

    Environment& m_environment;
};
