#include "browse/StampTableViewController.h"

#include "app/AppDelegate.h"
#include "app/Environment.h"
#include "app/Reading.h"
#include "app/Saving.h"
#include "app/SharedState.h"
#include "app/Preferences.h"
#include "browse/StampColumns.h"
#include "browse/StampRowDelegate.h"
#include "platform/gui/Alert.h"
#include "platform/gui/StatusLine.h"
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
#include <QStackedWidget>

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
    columnsTable->setModel(m_model);
    // One selection for both, so a switch between them keeps what was chosen.
    columnsTable->setSelectionModel(tableView->selectionModel());
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

    m_views = new QStackedWidget(view);
    delete view->layout()->replaceWidget(tableView, m_views);
    m_views->addWidget(tableView);
    m_views->addWidget(columnsTable);
    view->installEventFilter(this);
    applyListLayout();
}

bool StampTableViewController::eventFilter(QObject* watched, QEvent* event)
{
    if (m_views && watched == m_views->parentWidget() &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        applyListLayout();
    return SearchableTableViewController::eventFilter(watched, event);
}

bool StampTableViewController::showsTable() const
{
    return m_views && m_views->currentWidget() == columnsTable;
}

void StampTableViewController::applyListLayout()
{
    if (!m_views)
        return;
    const bool table =
        Preferences(m_environment.services.userDefaults).showsTable(m_views->parentWidget()->width());
    QAbstractItemView* shown = table ? static_cast<QAbstractItemView*>(columnsTable) : tableView;
    if (m_views->currentWidget() == shown)
        return;
    const bool hadFocus = m_views->currentWidget() && m_views->currentWidget()->hasFocus();
    m_views->setCurrentWidget(shown);
    if (hadFocus)
        shown->setFocus();
    const QModelIndex current = tableView->selectionModel()->currentIndex();
    if (current.isValid())
        shown->scrollTo(current);
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
    m_environment.services.status.showMessage(tr("Copied %n stamp(s)", nullptr, int(stamps.size())));
}

void StampTableViewController::showRowMenu(const QPoint& point)
{
    const QModelIndex index = columnsTable->indexAt(point);
    if (!index.isValid())
        return;
    // The row clicked joins the chosen ones only when it is not chosen already.
    if (!tableView->selectionModel()->isRowSelected(index.row()))
        tableView->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const int row = index.row();
    QMenu menu(columnsTable);
    connect(menu.addAction(tr("Open")), &QAction::triggered, this, [this, row] { didSelectRow(row); });
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
    QList<SortDescriptor> order = listOrder(ascending);
    const QString key = StampColumns::sortKey(m_sortColumn);
    if (key.isEmpty())
        return order;
    // The list's keys break the column's ties; the column need not come again among them.
    order.removeIf([&key](const SortDescriptor& each) { return each.key == key; });
    order.prepend(Preferences(m_environment.services.userDefaults).sortBy(key, ascending));
    return order;
}

void StampTableViewController::sortByColumn(int column, bool ascending)
{
    const QString key = StampColumns::sortKey(column);
    if (key.isEmpty()) {
        // Not a column the store can order by: the indicator stays where the order is.
        showSortIndicator();
        return;
    }
    const QList<SortDescriptor> own = listOrder(true);
    m_sortColumn = !own.isEmpty() && own.first().key == key ? -1 : column;
    SortAsc = ascending;
    fetch();
    for (QAbstractItemView* each : {static_cast<QAbstractItemView*>(tableView),
                                    static_cast<QAbstractItemView*>(columnsTable)})
        each->scrollToTop();
}

void StampTableViewController::showSortIndicator()
{
    if (!columnsTable)
        return;
    int column = m_sortColumn;
    if (column < 0) {
        const QList<SortDescriptor> own = listOrder(true);
        column = own.isEmpty() ? -1 : StampColumns::columnOf(own.first().key);
    }
    columnsTable->showSortIndicator(column, SortAsc.value_or(true));
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
    Alert question{
        tr("Delete %n stamps?", nullptr, int(stamps.size())),
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
    for (QAbstractItemView* each : {static_cast<QAbstractItemView*>(tableView),
                                    static_cast<QAbstractItemView*>(columnsTable)})
        each->scrollTo(restored.indexes().first());
}
