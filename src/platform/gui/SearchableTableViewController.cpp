#include "platform/gui/SearchableTableViewController.h"

#include "platform/gui/SymbolIcons.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QVBoxLayout>

SearchableTableViewController::SearchableTableViewController(const QString& name, QObject* parent)
    : ViewController(name, parent)
{
    SortButton = SymbolIcons::makeAction(QStringLiteral("arrow.up.arrow.down"), this);
    SortButton->setObjectName(QStringLiteral("SortButton"));
    connect(SortButton, &QAction::triggered, this, [this] { SortButtonTapped(); });
    addRightBarButtonItem(SortButton);
}

void SearchableTableViewController::buildView(QWidget* view)
{
    auto* layout = new QVBoxLayout(view);
    addControlsAboveSearch(layout);

    searchBar = new QLineEdit(view);
    searchBar->setObjectName(QStringLiteral("searchBar"));
    searchBar->setClearButtonEnabled(true);
    connect(searchBar, &QLineEdit::textChanged, this,
            [this] { updateSearchResultsForSearchController(); });
    layout->addWidget(searchBar);

    HeaderLabel = new QLabel(view);
    HeaderLabel->setObjectName(QStringLiteral("HeaderLabel"));
    HeaderLabel->setAlignment(Qt::AlignCenter);
    layout->addWidget(HeaderLabel);

    tableView = new QListView(view);
    tableView->setObjectName(QStringLiteral("tableView"));
    tableView->setModel(tableModel());
    tableView->setItemDelegate(rowDelegate());
    tableView->setUniformItemSizes(true);
    tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    tableView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableView->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(tableView, &QListView::clicked, this,
            [this](const QModelIndex& index) { didSelectRow(index.row()); });
    connect(tableView, &QListView::activated, this,
            [this](const QModelIndex& index) { didSelectRow(index.row()); });
    tableView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tableView, &QListView::customContextMenuRequested, this, [this](const QPoint& point) {
        const QModelIndex index = tableView->indexAt(point);
        if (!index.isValid() || !canEditRows())
            return;
        QMenu menu(tableView);
        QAction* remove = menu.addAction(QStringLiteral("delete"));
        if (menu.exec(tableView->viewport()->mapToGlobal(point)) == remove)
            deleteRow(index.row());
    });
    tableView->installEventFilter(this);
    layout->addWidget(tableView, 1);

    FooterLabel = new QLabel(view);
    FooterLabel->setObjectName(QStringLiteral("FooterLabel"));
    FooterLabel->setAlignment(Qt::AlignCenter);
    FooterLabel->hide();
    layout->addWidget(FooterLabel);
}

bool SearchableTableViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tableView && event->type() == QEvent::KeyPress && canEditRows()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) &&
            tableView->currentIndex().isValid()) {
            deleteRow(tableView->currentIndex().row());
            return true;
        }
    }
    return ViewController::eventFilter(watched, event);
}

bool SearchableTableViewController::searchTextIsEmpty() const
{
    return !searchBar || searchBar->text().isEmpty();
}

void SearchableTableViewController::deleteRow(int row)
{
    if (canEditRows())
        deleteRowAt(row);
}

void SearchableTableViewController::setSearchPlaceholder(const QString& placeholder)
{
    searchBar->setPlaceholderText(placeholder);
}
