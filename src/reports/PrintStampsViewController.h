#pragma once

#include "platform/gui/ViewController.h"

#include <QList>
#include <optional>

class ObjectContext;
class QAction;
class QPushButton;
class QTextDocument;
class QTextEdit;
class Stamps;
struct Environment;
struct PrintAllReport;

// The print screen: the stamps of the screen that opened it (the whole collection from the main
// menu, one group's value from a breakdown) as report text, handed to the print panel.
class PrintStampsViewController final : public ViewController
{
    Q_OBJECT

public:
    explicit PrintStampsViewController(Environment& environment, QObject* parent = nullptr);

    QPushButton* PrintButton = nullptr;
    QPushButton* CreateFileButton = nullptr;
    QTextEdit* FileTextView = nullptr;
    QAction* SortButton = nullptr;

    ObjectContext* managedObjectContext = nullptr;
    QList<Stamps*> StampList;
    // The report the text view shows (and owns); null while there is none.
    QTextDocument* StampString = nullptr;
    std::optional<bool> SortAsc;

    // What the opening screen asked for; null for a marker that names no report.
    const PrintAllReport* report() const { return m_report; }

    void viewDidLoad() override;

public Q_SLOTS:
    void SortButtonTapped();
    // Builds the report again from the stamps already fetched, then offers it for printing.
    void CreateFileClick();
    // Offers the report shown for printing, without building it again.
    void EmailFileClick();

protected:
    void buildView(QWidget* view) override;

private:
    void fetch();
    void buildReport();
    void clearReport();
    // Where dialogs appear: the stack the screen is on (its own view is not placed yet at load).
    QWidget* presentingWidget();
    double reportWidth();

    Environment& m_environment;
    const PrintAllReport* m_report = nullptr;
};
