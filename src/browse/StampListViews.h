#pragma once

#include <QStackedWidget>

class QAbstractItemView;
class QListView;
class StampTable;
class UserDefaults;

// One list of stamps shown as cards or as a table, one selection for both, so a switch between
// them keeps what was chosen and where the list stands.
class StampListViews final : public QStackedWidget
{
    Q_OBJECT

public:
    // Takes both views, the card list with its model set; the table gets the same model.
    StampListViews(QListView* cards, StampTable* table, UserDefaults& defaults,
                   QWidget* parent = nullptr);

    bool showsTable() const;
    QAbstractItemView* shownView() const;
    // The table or the cards, as the collector chose and a list `width` wide allows.
    void applyLayout(int width);
    void scrollToTop();
    void scrollTo(const QModelIndex& index);

private:
    QListView* m_cards;
    StampTable* m_table;
    UserDefaults& m_defaults;
};
