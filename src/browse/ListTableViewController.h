#pragma once

#include "platform/gui/SearchableTableViewController.h"

#include <QList>
#include <optional>

struct Environment;
class ObjectContext;
class SegmentedControl;
class Stamps;
class StampRowDelegate;
class StampRowModel;

// Every stamp of the collection, searched and sorted by denomination, year, Scott number or value.
class ListTableViewController final : public SearchableTableViewController
{
    Q_OBJECT

public:
    explicit ListTableViewController(Environment& environment, QObject* parent = nullptr);

    // "Name", "Year", "Scott #", "Value": the search attribute and the first sort key.
    SegmentedControl* segment = nullptr;
    QAction* AddButton = nullptr;
    ObjectContext& context;
    QList<Stamps*> StampList;
    QList<Stamps*> FilteredStampList;
    std::optional<bool> SortAsc;
    bool DarkMode = false;

    const QList<Stamps*>& shownList() const;
    StampRowModel* rowModel() const { return m_model; }

    void viewDidLoad() override;
    void prepareForSegue(const StoryboardSegue& segue, QObject* sender) override;

public Q_SLOTS:
    void fetch();
    void SortButtonTapped() override;
    void segmentedControlActionWithSender();
    void updateSearchResultsForSearchController() override;
    void unwindToListWithSegue();

protected:
    void addControlsAboveSearch(QVBoxLayout* layout) override;
    QAbstractItemModel* tableModel() override;
    QAbstractItemDelegate* rowDelegate() override;
    void didSelectRow(int row) override;
    bool canEditRows() const override { return true; }
    void deleteRowAt(int row) override;

private:
    Environment& m_environment;
    void showList();
    void updateHeader();

    StampRowModel* m_model;
    StampRowDelegate* m_delegate;
    int m_selectedRow = -1;
};
