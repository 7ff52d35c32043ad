#include "browse/StampTable.h"

#include "browse/StampColumns.h"
#include "browse/StampRowModel.h"
#include "platform/core/UserDefaults.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

namespace {

// Room for the thumbnail and a frame.
constexpr int RowHeight = StampRowModel::ThumbnailSize.height() + 6;

int defaultWidth(int column)
{
    switch (column) {
    case StampColumns::Picture:
        return StampRowModel::ThumbnailSize.width() + 12;
    case StampColumns::Description:
        return 240;
    case StampColumns::Year:
    case StampColumns::Quantity:
        return 70;
    default:
        return 110;
    }
}

} // namespace

StampTable::StampTable(UserDefaults& defaults, const QString& stateKey, QWidget* parent)
    : QTableView(parent), m_defaults(defaults), m_stateKey(stateKey)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(StampRowModel::ThumbnailSize);
    setWordWrap(false);
    setAlternatingRowColors(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    // Every row as tall: a hundred thousand rows need no measuring.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(RowHeight);

    QHeaderView* header = horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setHighlightSections(false);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this, [this](const QPoint& point) {
        showColumnMenu(horizontalHeader()->mapToGlobal(point));
    });
    // The header turns its indicator on a click; that is the collector asking for the order.
    connect(header, &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                if (!m_restoring)
                    Q_EMIT sortRequested(column, order == Qt::AscendingOrder);
            });
    for (auto changed : {&QHeaderView::sectionMoved, &QHeaderView::sectionResized})
        connect(header, changed, this, [this] { keepArrangement(); });
    connect(this, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { Q_EMIT rowOpened(index.row()); });
}

void StampTable::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    restoreArrangement();
}

void StampTable::restoreArrangement()
{
    QHeaderView* header = horizontalHeader();
    m_restoring = true;
    const QByteArray kept = m_defaults.objectForKey(m_stateKey).toByteArray();
    if (kept.isEmpty() || !header->restoreState(kept)) {
        for (int column = 0; column < StampColumns::Count; ++column)
            header->resizeSection(column, defaultWidth(column));
    }
    // The card belongs to the card list; the indicator is the list's to set.
    header->setSectionHidden(StampColumns::Card, true);
    m_restoring = false;
}

void StampTable::keepArrangement()
{
    if (!m_restoring)
        m_defaults.setObject(m_stateKey, horizontalHeader()->saveState());
}

void StampTable::showSortIndicator(int column, bool ascending)
{
    m_restoring = true;
    horizontalHeader()->setSortIndicator(column,
                                         ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
    m_restoring = false;
}

QList<int> StampTable::selectedRows() const
{
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex& index : selectionModel()->selectedRows(0))
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QList<int> StampTable::shownTextColumns() const
{
    QList<int> columns;
    const QHeaderView* header = horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int column = header->logicalIndex(visual);
        if (column != StampColumns::Card && column != StampColumns::Picture &&
            !header->isSectionHidden(column))
            columns.append(column);
    }
    return columns;
}

void StampTable::showColumnMenu(const QPoint& globalPosition)
{
    QHeaderView* header = horizontalHeader();
    QMenu menu(this);
    for (int column = StampColumns::Picture; column < StampColumns::Count; ++column) {
        QAction* shown = menu.addAction(StampColumns::title(column));
        shown->setCheckable(true);
        shown->setChecked(!header->isSectionHidden(column));
        connect(shown, &QAction::toggled, this, [this, header, column](bool on) {
            // One column always stays, or the header and its menu would be gone.
            if (!on && header->hiddenSectionCount() >= header->count() - 1)
                return;
            header->setSectionHidden(column, !on);
            keepArrangement();
        });
    }
    menu.addSeparator();
    QAction* reset = menu.addAction(tr("Reset Columns"));
    connect(reset, &QAction::triggered, this, [this, header] {
        m_restoring = true;
        for (int column = 0; column < StampColumns::Count; ++column) {
            header->setSectionHidden(column, column == StampColumns::Card);
            header->moveSection(header->visualIndex(column), column);
            header->resizeSection(column, defaultWidth(column));
        }
        m_restoring = false;
        keepArrangement();
    });
    menu.exec(globalPosition);
}

void StampTable::keyPressEvent(QKeyEvent* event)
{
    const QModelIndex current = currentIndex();
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && current.isValid()) {
        Q_EMIT rowOpened(current.row());
        return;
    }
    QTableView::keyPressEvent(event);
}
