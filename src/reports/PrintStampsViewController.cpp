#include "reports/PrintStampsViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/Preferences.h"
#include "app/Reading.h"
#include "app/SharedState.h"
#include "platform/core/Console.h"
#include "platform/core/ReportPages.h"
#include "platform/gui/Alert.h"
#include "platform/gui/NavigationController.h"
#include "platform/gui/PrintPanel.h"
#include "platform/gui/ProgressDialog.h"
#include "platform/gui/Styling.h"
#include "platform/gui/SymbolIcons.h"
#include "reports/StampReport.h"
#include "store/ObjectContext.h"
#include "store/StampGroups.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

PrintStampsViewController::PrintStampsViewController(Environment& environment, QObject* parent)
    : ViewController(QStringLiteral("PrintStampsViewController"), parent),
      m_environment(environment)
{
    setTitle(tr("Print Stamps"));
    SortButton = SymbolIcons::makeAction(QStringLiteral("arrow.up.arrow.down"), this);
    SortButton->setObjectName(QStringLiteral("SortButton"));
    connect(SortButton, &QAction::triggered, this, &PrintStampsViewController::SortButtonTapped);
    addRightBarButtonItem(SortButton);
}

void PrintStampsViewController::buildView(QWidget* view)
{
    auto* layout = new QVBoxLayout(view);
    auto* buttons = new QHBoxLayout;
    PrintButton = new QPushButton(tr("Print"), view);
    PrintButton->setObjectName(QStringLiteral("PrintButton"));
    connect(PrintButton, &QPushButton::clicked, this, &PrintStampsViewController::EmailFileClick);
    buttons->addWidget(PrintButton);
    CreateFileButton = new QPushButton(tr("Create Report"), view);
    CreateFileButton->setObjectName(QStringLiteral("CreateFileButton"));
    connect(CreateFileButton, &QPushButton::clicked, this,
            &PrintStampsViewController::CreateFileClick);
    buttons->addWidget(CreateFileButton);
    layout->addLayout(buttons);

    FileTextView = new QTextEdit(view);
    FileTextView->setObjectName(QStringLiteral("FileTextView"));
    FileTextView->setReadOnly(true);
    // Read-only, yet the collector can select and copy from it with the keyboard.
    FileTextView->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout->addWidget(FileTextView, 1);
}

void PrintStampsViewController::viewDidLoad()
{
    // The screen's own direction starts ascending; the first fetch follows the shared one.
    SortAsc = true;
    Styling::styleButton(PrintButton);
    Styling::styleButton(CreateFileButton);
    Styling::styleTextView(FileTextView);
    m_report = StampReports::printAllFor(m_environment.shared.marker);
    if (!m_report) {
        Console::printLine(
            QStringLiteral("Nothing to print for the screen %1").arg(m_environment.shared.marker));
        for (QWidget* button : {PrintButton, CreateFileButton})
            button->setEnabled(false);
        SortButton->setEnabled(false);
        return;
    }
    fetch();
}

void PrintStampsViewController::fetch()
{
    managedObjectContext = &m_environment.appDelegate.viewContext();
    StampList.clear();
    Predicate predicate;
    if (const StampGroup* group = m_report->group)
        predicate = group->predicate(m_environment.shared.selectedStamp.valueOf(*group));
    StoreResult<QList<Stamps*>> found = managedObjectContext->fetch<Stamps>(
        predicate,
        {Preferences(m_environment.services.userDefaults)
             .sortBy(QString::fromLatin1(m_report->sortKey), m_environment.shared.sortAscending)});
    if (found) {
        clearReport();
        StampList = std::move(found).value();
    } else {
        Console::printLine(found.error().description);
        Reading::tellNotRead(m_environment, found.error());
    }
    buildReport();
}

void PrintStampsViewController::buildReport()
{
    if (StampList.isEmpty()) {
        clearReport();
        // Nothing to print, for the rest of this screen's life.
        PrintButton->hide();
        m_environment.services.alerts.present(
            Alert::withOk(tr("Empty Data Set!"), tr("No Stamps to Print!")));
        return;
    }
    ProgressDialog progress(presentingWidget(), tr("Making the report…"));
    std::unique_ptr<QTextDocument> document = StampReports::buildPrintAll(
        *m_report, StampList, reportWidth(), m_environment.services.pictures, progress.callback());
    if (!document) {
        // Cancelled: no report, and nothing offered for printing.
        clearReport();
        return;
    }
    // The text view owns the report; the one it showed before goes with the change.
    document->setParent(FileTextView);
    FileTextView->setDocument(document.get());
    ReportPages::showPictures(*document);
    StampString = document.release();
    EmailFileClick();
}

void PrintStampsViewController::clearReport()
{
    StampString = nullptr;
    FileTextView->clear();
}

void PrintStampsViewController::EmailFileClick()
{
    if (!StampString)
        return;
    m_environment.services.printPanel.present(presentingWidget(), *StampString, [](bool printed) {
        if (printed)
            Console::printLine(QStringLiteral("Image is Printed"));
    });
}

void PrintStampsViewController::CreateFileClick()
{
    if (!m_report)
        return;
    buildReport();
}

void PrintStampsViewController::SortButtonTapped()
{
    SortAsc = !SortAsc.value_or(true);
    m_environment.shared.sortAscending = *SortAsc;
    if (m_report)
        fetch();
}

QWidget* PrintStampsViewController::presentingWidget()
{
    if (NavigationController* navigation = navigationController())
        return navigation;
    return view();
}

double PrintStampsViewController::reportWidth()
{
    // The width the screen is shown at; one not on show gets the window's usual width.
    const QWidget* shown = presentingWidget();
    return shown->isVisible() ? shown->width() : ReportPages::DefaultViewWidth;
}
