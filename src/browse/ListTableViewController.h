#pragma once

#include "browse/StampTableViewController.h"

class SegmentedControl;

// Every stamp of the collection, searched and sorted by denomination, year, Scott number or value.
class ListTableViewController final : public StampTableViewController
{
    Q_OBJECT

public:
    explicit ListTableViewController(Environment& environment, QObject* parent = nullptr);

    // "Name", "Year", "Scott #", "Value": the search attribute and the first sort key.
    SegmentedControl* segment = nullptr;
    QAction* AddButton = nullptr;

    void viewDidLoad() override;
    void prepareForSegue(const StoryboardSegue& segue, QObject* sender) override;

public Q_SLOTS:
    void fetch() override;
    void SortButtonTapped() override;
    void segmentedControlActionWithSender();
    void updateSearchResultsForSearchController() override;
    void unwindToListWithSegue();

protected:
    void addControlsAboveSearch(QVBoxLayout* layout) override;
    void showList() override;
    void showTotals() override;
    QList<SortDescriptor> listOrder(bool ascending) const override;
    void sortByColumn(int column, bool ascending) override;
    bool canDuplicate() const override { return true; }
    void duplicateRow(int row) override;

private:
    // The stamp the add form opens filled from; null for an empty add form.
    Stamps* m_duplicated = nullptr;
    // The context's change count when the list was fetched.
    quint64 m_fetchedAtChange = 0;
};
