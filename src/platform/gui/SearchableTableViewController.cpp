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
    // Rows take the viewport's width; their texts are elided, never scrolled sideways.
    tableView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // One click opens a row, as on a phone, whatever the style says about activation; Return and
    // Enter are handled in eventFilter. `activated` would add a second opening under a
    // single-click style.
    connect(tableView, &QListView::clicked, this,
            [this](const QModelIndex& index) { didSelectRow(index.row()); });
    tableView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tableView, &QListView::customContextMenuRequested, this, [this](const QPoint& point) {
        const QModelIndex index = tableView->indexAt(point);
        if (!index.isValid() || !canEditRows())
            return;
        QMenu menu(tableView);
        QAction* remove = menu.addAction(tr("delete"));
        if (menu.exec(tableView->viewport()->mapToGlobal(point)) == remove)
            deleteRow(index.row());
    });
    // Delete removes the current row (Backspace is a text key: it never deletes a row). A text
    // field with the focus keeps the key for itself.
    if (canEditRows()) {
        auto* remove = new QAction(tr("Delete"), this);
        remove->setObjectName(QStringLiteral("DeleteRowAction"));
        connect(remove, &QAction::triggered, this, [this] { deleteChosenRows(); });
        addKeyboardShortcut(remove, QKeySequence(QKeySequence::Delete));
    }
    tableView->installEventFilter(this);
    m_viewport = tableView->viewport();
    m_viewport->installEventFilter(this);
    layout->addWidget(tableView, 1);

    FooterLabel = new QLabel(view);
    FooterLabel->setObjectName(QStringLiteral("FooterLabel"));
    FooterLabel->setAlignment(Qt::AlignCenter);
    FooterLabel->hide();
    layout->addWidget(FooterLabel);
}

bool SearchableTableViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tableView && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const QModelIndex current = tableView->currentIndex();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && current.isValid()) {
            didSelectRow(current.row());
            return true;
        }
    }
    // The viewport is compared as kept: while the view is being destroyed its children still
    // send events, and the view can no longer be asked for its viewport.
    if (watched == m_viewport && m_keptInView.isValid()) {
        // A row selected while the screen was hidden (behind the edit form, say) is scrolled
        // into view again once the viewport has its final size; the first paint ends that.
        if (event->type() == QEvent::Resize) {
            // The view sees its new size after this filter: its scroll range is made first.
            tableView->doItemsLayout();
            tableView->scrollTo(m_keptInView);
        } else if (event->type() == QEvent::Paint) {
            m_keptInView = QPersistentModelIndex();
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

void SearchableTableViewController::deleteChosenRows()
{
    const QModelIndex current = tableView->currentIndex();
    if (current.isValid())
        deleteRow(current.row());
}

void SearchableTableViewController::selectRow(int row)
{
    const QModelIndex index = tableView->model()->index(row, 0);
    if (!index.isValid())
        return;
    // The whole row, so a view of several columns sharing the selection shows it selected too.
    tableView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
    tableView->scrollTo(index);
    if (!tableView->isVisible())
        m_keptInView = index;
}

void SearchableTableViewController::setSearchPlaceholder(const QString& placeholder)
{
    searchBar->setPlaceholderText(placeholder);
}
