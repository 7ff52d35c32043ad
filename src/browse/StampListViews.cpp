#include "browse/StampListViews.h"

#include "app/Preferences.h"
#include "browse/StampTable.h"

#include <QListView>

StampListViews::StampListViews(QListView* cards, StampTable* table, UserDefaults& defaults,
                               QWidget* parent)
    : QStackedWidget(parent), m_cards(cards), m_table(table), m_defaults(defaults)
{
    m_table->setModel(m_cards->model());
    m_table->setSelectionModel(m_cards->selectionModel());
    addWidget(m_cards);
    addWidget(m_table);
}

bool StampListViews::showsTable() const
{
    return currentWidget() == m_table;
}

QAbstractItemView* StampListViews::shownView() const
{
    return showsTable() ? static_cast<QAbstractItemView*>(m_table) : m_cards;
}

void StampListViews::applyLayout(int width)
{
    QAbstractItemView* shown = Preferences(m_defaults).showsTable(width)
                                   ? static_cast<QAbstractItemView*>(m_table)
                                   : m_cards;
    if (currentWidget() == shown)
        return;
    const bool hadFocus = currentWidget() && currentWidget()->hasFocus();
    setCurrentWidget(shown);
    if (hadFocus)
        shown->setFocus();
    const QModelIndex current = m_cards->selectionModel()->currentIndex();
    if (current.isValid())
        shown->scrollTo(current);
}

void StampListViews::scrollToTop()
{
    m_cards->scrollToTop();
    m_table->scrollToTop();
}

void StampListViews::scrollTo(const QModelIndex& index)
{
    m_cards->scrollTo(index);
    m_table->scrollTo(index);
}
