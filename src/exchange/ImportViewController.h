#pragma once

#include "platform/gui/ViewController.h"

#include <QString>
#include <memory>
#include <optional>

class ObjectContext;
class QFile;
class QPlainTextEdit;
class QPushButton;
struct Environment;

// The import screen: loads an export file the collector picks, then merges its stamps into the
// collection (after a backup of the store) and keeps the summary of what it did on the screen,
// to read, copy or save, until the collector leaves.
class ImportViewController final : public ViewController
{
    Q_OBJECT

public:
    explicit ImportViewController(Environment& environment, QObject* parent = nullptr);
    ~ImportViewController() override;

    QPushButton* LoadFileButton = nullptr;
    QPushButton* ImportButton = nullptr;
    QPushButton* SaveSummaryButton = nullptr;
    // What the last import did: its counts and the lines it refused, with their numbers.
    QPlainTextEdit* SummaryTextView = nullptr;
    QPlainTextEdit* ImportTextView = nullptr;
    QPlainTextEdit* HelpTextView = nullptr;

    ObjectContext* managedObjectContext = nullptr;
    // The loaded file, held open and read a line at a time when imported, and its name.
    std::unique_ptr<QFile> document;
    std::optional<QString> filename;
    // Empty until a load; true when the loaded text holds no marker line.
    std::optional<bool> wrongFile;

    void viewDidLoad() override;

public Q_SLOTS:
    void LoadFile();
    void ImportTextFile();
    // Asks for a file and writes the summary there; a file that cannot be written is told.
    void SaveSummary();

protected:
    void buildView(QWidget* view) override;

private:
    void readFile(const QString& path);
    void showSummary(const QString& summary);
    void writeSummary(const QString& path);
    // An alert whose "OK" leaves for the main menu.
    void tellAndLeave(const QString& title, const QString& message);
    void tell(const QString& title, const QString& message);
    QWidget* presentingWidget();

    Environment& m_environment;
};
