#include "browse/StampTableViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/Preferences.h"
#include "app/Reading.h"
#include "app/Saving.h"
#include "app/SharedState.h"
#include "browse/ColumnOrder.h"
#include "browse/StampColumns.h"
#include "browse/StampDetailPane.h"
#include "browse/StampListViews.h"
#include "browse/StampRowDelegate.h"
#include "platform/core/MainQueue.h"
#include "platform/core/UserDefaults.h"
#include "platform/gui/Alert.h"
#include "platform/gui/StatusLine.h"
#include "platform/gui/Storyboard.h"
#include "stamps/EditViewController.h"
#include "stamps/StampName.h"
#include "store/ObjectContext.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QSet>
#include <QSplitter>

namespace {

// More than this many stamps are deleted only once the collector says so.
constexpr qsizetype DeletedWithoutAsking = 100;

} // namespace

StampTableViewController::StampTableViewController(const QString& name, const QString& editSegue,
                                                   StampRowModel::Formatter formatter,
                                                   Environment& environment, QObject* parent)
    : SearchableTableViewController(name, parent), context(environment.appDelegate.viewContext()),
      m_environment(environment), m_editSegue(editSegue),
      m_model(new StampRowModel(environment.services.pictures, std::move(formatter),
                                StampRowModel::ListShape, this)),
      m_delegate(new StampRowDelegate(this))
{}

const FetchedRows& StampTableViewController::shownList() const
{
    return searchTextIsEmpty() ? StampList : FilteredStampList;
}

void StampTableViewController::buildView(QWidget* view)
{
    SearchableTableViewController::buildView(view);
    columnsTable = new StampTable(m_environment.services.userDefaults,
                                  objectName() + QStringLiteral("/Columns"), view);
    columnsTable->setObjectName(QStringLiteral("columnsTable"));
    connect(columnsTable, &StampTable::rowOpened, this, [this](int row) { didSelectRow(row); });
    connect(columnsTable, &StampTable::sortRequested, this,
            [this](int column, bool ascending) { sortByColumn(column, ascending); });
    columnsTable->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(columnsTable, &QWidget::customContextMenuRequested, this,
            &StampTableViewController::showRowMenu);
    auto* copy = new QAction(tr("Copy"), columnsTable);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &StampTableViewController::copyChosenRows);
    columnsTable->addAction(copy);

    m_split = new QSplitter(Qt::Horizontal, view);
    m_split->setObjectName(QStringLiteral("DetailSplitter"));
    m_split->setChildrenCollapsible(false);
    delete view->layout()->replaceWidget(tableView, m_split);
    m_views =
        new StampListViews(tableView, columnsTable, m_environment.services.userDefaults, m_split);
    m_split->addWidget(m_views);
    buildPane();
    m_listView = view;
    view->installEventFilter(this);
    applyListLayout();
}

void StampTableViewController::buildPane()
{
    detailPane = new StampDetailPane(
        this,
        [this]() -> EditViewController* {
            if (!storyboard())
                return nullptr;
            std::unique_ptr<ViewController> made =
                storyboard()->instantiate(objectName(), m_editSegue);
            auto* form = qobject_cast<EditViewController*>(made.get());
            if (!form)
                return nullptr;
            // Its notes and picture open through the same storyboard.
            form->setStoryboard(storyboard());
            static_cast<void>(made.release());
            return form;
        },
        m_environment.services.alerts, m_split);
    m_split->addWidget(detailPane);
    detailPane->hide();
    m_split->setStretchFactor(0, 3);
    m_split->setStretchFactor(1, 2);
    const QString splitKey = objectName() + QStringLiteral("/DetailSplitter");
    m_split->restoreState(m_environment.services.userDefaults.objectForKey(splitKey).toByteArray());
    connect(m_split, &QSplitter::splitterMoved, this, [this, splitKey] {
        m_environment.services.userDefaults.setObject(splitKey, m_split->saveState());
    });
    connect(detailPane, &StampDetailPane::saved, this, [this](Stamps* stamp) {
        if (!stamp)
            return;
        m_model->refreshStamp(stamp);
        showTotals();
    });
    connect(tableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &StampTableViewController::currentRowChanged);
}

bool StampTableViewController::showsPane() const
{
    return detailPane && detailPane->isVisibleTo(m_listView);
}

void StampTableViewController::currentRowChanged(const QModelIndex& current)
{
    if (m_holdingRow || !showsPane())
        return;
    Stamps* next = current.isValid() ? shownList().at<Stamps>(current.row()) : nullptr;
    if (next == detailPane->stamp())
        return;
    if (detailPane->hasUnsavedChanges()) {
        // The row being edited stays current until the collector has answered; once the click
        // or key that moved it is done with the selection.
        m_environment.services.mainQueue.async(
            this, [this] { selectWithoutPane(int(shownList().indexOf(detailPane->stamp()))); });
    }
    detailPane->showStamp(next, [this, next](bool shown) {
        if (shown)
            selectWithoutPane(int(shownList().indexOf(next)));
    });
}

void StampTableViewController::selectWithoutPane(int row)
{
    m_holdingRow = true;
    const QModelIndex index = m_model->index(row, 0);
    if (index.isValid()) {
        tableView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                QItemSelectionModel::Rows);
        columnsTable->scrollTo(index);
    }
    m_holdingRow = false;
}

bool StampTableViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_listView && m_listView) {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
            applyListLayout();
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            detailPane->setOnScreen(event->type() == QEvent::Show && showsPane());
    }
    return SearchableTableViewController::eventFilter(watched, event);
}

bool StampTableViewController::showsTable() const
{
    return m_views && m_views->showsTable();
}

void StampTableViewController::applyListLayout()
{
    if (!m_views || !m_listView)
        return;
    m_views->applyLayout(m_listView->width());
    // The pane needs the room of a wide window and the form made by the list's own segue.
    const bool pane = m_views->showsTable() && m_listView->window()->width() >= PaneWindowWidth &&
                      storyboard() != nullptr;
    if (pane == detailPane->isVisibleTo(m_listView))
        return;
    detailPane->setVisible(pane);
    detailPane->setOnScreen(pane && m_listView->isVisible());
    if (pane) {
        const QModelIndex current = tableView->selectionModel()->currentIndex();
        detailPane->showStamp(current.isValid() ? shownList().at<Stamps>(current.row()) : nullptr,
                              [](bool) {});
    }
}

QList<int> StampTableViewController::chosenRows() const
{
    QSet<int> rows;
    for (const QModelIndex& index : tableView->selectionModel()->selectedIndexes())
        rows.insert(index.row());
    QList<int> sorted(rows.cbegin(), rows.cend());
    if (sorted.isEmpty() && tableView->selectionModel()->currentIndex().isValid())
        sorted.append(tableView->selectionModel()->currentIndex().row());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

void StampTableViewController::copyChosenRows()
{
    QList<const Stamps*> stamps;
    for (const int row : chosenRows()) {
        if (const Stamps* stamp = shownList().at<Stamps>(row))
            stamps.append(stamp);
    }
    if (stamps.isEmpty())
        return;
    QGuiApplication::clipboard()->setText(
        StampColumns::tabSeparated(stamps, columnsTable->shownTextColumns()));
    m_environment.services.status.showMessage(
        tr("Copied %n stamp(s)", nullptr, int(stamps.size())));
}

void StampTableViewController::showRowMenu(const QPoint& point)
{
    const QModelIndex index = columnsTable->indexAt(point);
    if (!index.isValid())
        return;
    // The row clicked joins the chosen ones only when it is not chosen already.
    if (!tableView->selectionModel()->isRowSelected(index.row()))
        tableView->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                                QItemSelectionModel::Rows);
    const int row = index.row();
    QMenu menu(columnsTable);
    connect(menu.addAction(tr("Open")), &QAction::triggered, this,
            [this, row] { didSelectRow(row); });
    if (canDuplicate())
        connect(menu.addAction(tr("Duplicate as New")), &QAction::triggered, this,
                [this, row] { duplicateRow(row); });
    connect(menu.addAction(tr("Copy")), &QAction::triggered, this,
            &StampTableViewController::copyChosenRows);
    menu.addSeparator();
    connect(menu.addAction(tr("Delete")), &QAction::triggered, this,
            &StampTableViewController::deleteChosenRows);
    menu.exec(columnsTable->viewport()->mapToGlobal(point));
}

QList<SortDescriptor> StampTableViewController::fetchOrder() const
{
    const bool ascending = SortAsc.value_or(true);
    ColumnOrder order = m_order;
    order.ascending = ascending;
    return order.keys(listOrder(ascending), Preferences(m_environment.services.userDefaults));
}

void StampTableViewController::sortByColumn(int column, bool ascending)
{
    if (!m_order.choose(column, ascending, listOrder(true))) {
        // Not a column the store can order by: the indicator stays where the order is.
        showSortIndicator();
        return;
    }
    SortAsc = ascending;
    fetch();
    m_views->scrollToTop();
}

void StampTableViewController::showSortIndicator()
{
    if (columnsTable)
        columnsTable->showSortIndicator(m_order.shownColumn(listOrder(true)),
                                        SortAsc.value_or(true));
}

QAbstractItemModel* StampTableViewController::tableModel()
{
    return m_model;
}

QAbstractItemDelegate* StampTableViewController::rowDelegate()
{
    return m_delegate;
}

FetchedRows StampTableViewController::fetchStamps(const Predicate& predicate,
                                                  const QList<SortDescriptor>& sort,
                                                  StampSearch::Attribute searched,
                                                  const QStringList& alsoCarried)
{
    showSortIndicator();
    const FetchRequest request{QString::fromLatin1(Stamps::EntityName), predicate, sort};
    return Reading::orTell(
        m_environment,
        context.fetchRows(request, QStringList{StampSearch::key(searched)} + alsoCarried));
}

void StampTableViewController::filterStamps(StampSearch::Attribute searched)
{
    const QString text = searchBar->text();
    FilteredStampList =
        text.isEmpty() ? StampList : m_search.matching(StampList, SearchColumn, searched, text);
}

void StampTableViewController::didSelectRow(int row)
{
    Stamps* stamp = shownList().at<Stamps>(row);
    if (!stamp)
        return;
    m_environment.shared.selectedStamp =
        SelectedStamp::from(*stamp, m_environment.services.pictures);
    m_selectedRow = row;
    performSegue(m_editSegue, this);
}

void StampTableViewController::handOverChosenStamp(const StoryboardSegue& segue)
{
    m_chosenStamp = nullptr;
    if (segue.identifier != m_editSegue)
        return;
    if (auto* form = qobject_cast<EditViewController*>(segue.destination)) {
        if (Stamps* stamp = shownList().at<Stamps>(m_selectedRow)) {
            form->setDetailItem(stamp);
            m_chosenStamp = stamp;
        }
    }
}

void StampTableViewController::selectChosenStamp()
{
    if (m_chosenStamp)
        selectRow(int(shownList().indexOf(m_chosenStamp)));
}

void StampTableViewController::deleteRowAt(int row)
{
    Stamps* stamp = shownList().at<Stamps>(row);
    if (!stamp)
        return;
    // "Deleted 5c Canada 1962": what the collector knows the stamp by.
    const QString name = StampName::of(*stamp);
    const QString description = name.isEmpty() ? tr("Deleted a stamp") : tr("Deleted %1").arg(name);
    // A refused delete is undone and the row stays.
    if (!Saving::deleteOfferingUndo(m_environment, stamp, description, view(),
                                    [this](ManagedObject* again) { showRestored({again}); }))
        return;
    // Gone from both lists, so counts and totals agree with the store.
    StampList.removeOne(stamp);
    FilteredStampList.removeOne(stamp);
    if (m_chosenStamp == stamp)
        m_chosenStamp = nullptr;
    // Only that row goes: the rows above it stay where they are on screen.
    if (m_model->stampAt(row) == stamp) {
        m_model->removeStampAt(row);
        showTotals();
    } else {
        showList();
    }
}

void StampTableViewController::deleteChosenRows()
{
    const QList<int> rows = chosenRows();
    if (rows.size() == 1)
        deleteRow(rows.first());
    else if (rows.size() > 1)
        deleteRowsAt(rows);
}

void StampTableViewController::deleteRowsAt(const QList<int>& rows)
{
    QList<ManagedObject*> stamps;
    QSet<qint32> places;
    const FetchedRows& shown = shownList();
    for (const int row : rows) {
        if (Stamps* stamp = shown.at<Stamps>(row)) {
            stamps.append(stamp);
            places.insert(shown.placeOf(row));
        }
    }
    if (stamps.isEmpty())
        return;
    const QString description = tr("Deleted %n stamps", nullptr, int(stamps.size()));
    const auto remove = [this, stamps, places, rows, description] {
        if (!Saving::deleteAllOfferingUndo(
                m_environment, stamps, description, view(),
                [this](const QList<ManagedObject*>& again) { showRestored(again); }))
            return;
        // Gone from both lists by their places in the fetch, which both lists share.
        for (FetchedRows* list : {&StampList, &FilteredStampList}) {
            std::vector<qsizetype> kept;
            kept.reserve(size_t(list->size()));
            for (qsizetype row = 0; row < list->size(); ++row) {
                if (!places.contains(list->placeOf(row)))
                    kept.push_back(row);
            }
            *list = list->subset(kept);
        }
        if (stamps.contains(m_chosenStamp))
            m_chosenStamp = nullptr;
        m_model->removeStampsAt(rows);
        showTotals();
    };
    if (stamps.size() <= DeletedWithoutAsking) {
        remove();
        return;
    }
    Alert question{tr("Delete %n stamps?", nullptr, int(stamps.size())),
                   tr("Their pictures and notes go with them. Undo brings them back for a while."),
                   {{tr("Delete"), AlertAction::Style::Destructive, remove},
                    {tr("Cancel"), AlertAction::Style::Cancel, {}}}};
    m_environment.services.alerts.present(question.withContext(this));
}

void StampTableViewController::showRestored(const QList<ManagedObject*>& stamps)
{
    fetch();
    // The search shown is applied again, so the stamps show only if they match.
    if (!searchTextIsEmpty())
        updateSearchResultsForSearchController();
    QItemSelection restored;
    for (ManagedObject* stamp : stamps) {
        const QModelIndex index = m_model->index(int(shownList().indexOf(stamp)), 0);
        if (index.isValid())
            restored.select(index, index);
    }
    if (restored.isEmpty())
        return;
    tableView->selectionModel()->setCurrentIndex(restored.indexes().first(),
                                                 QItemSelectionModel::NoUpdate);
    tableView->selectionModel()->select(restored, QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
    m_views->scrollTo(restored.indexes().first());
}
