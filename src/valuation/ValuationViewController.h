#pragma once

#include "browse/ColumnOrder.h"
#include "browse/StampSearch.h"
#include "platform/core/Result.h"
#include "platform/gui/ViewController.h"
#include "store/FetchedRows.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QUrl>

class ObjectContext;
class QAction;
class QLineEdit;
class QListView;
class QPushButton;
class SegmentedControl;
class Stamps;
class StampListViews;
class StampRowModel;
class StampTable;
struct Environment;

// What the collection is worth: the number of stamps held and their total value, every stamp in a
// list, a look-up of one stamp's market value on the web or on two marketplaces, and storing a
// newly found value into the stamp picked from the list.
class ValuationViewController final : public ViewController
{
    Q_OBJECT

public:
    explicit ValuationViewController(Environment& environment, QObject* parent = nullptr);

    QLineEdit* QuantityTextField = nullptr;
    QLineEdit* TotalValueTextField = nullptr;
    QLineEdit* YearTextField = nullptr;
    QLineEdit* DenominationTextField = nullptr;
    QLineEdit* CountryTextField = nullptr;
    QPushButton* SearchButton = nullptr;
    QPushButton* DelcampeButton = nullptr;
    QPushButton* BidStartButton = nullptr;
    QPushButton* SaveButton = nullptr;
    QLineEdit* NewValueTextField = nullptr;
    QListView* ValueTableView = nullptr;
    // The same rows as a table, shown instead of the cards on a wide screen.
    StampTable* columnsTable = nullptr;
    QAction* ShareButton = nullptr;
    QAction* SortButton = nullptr;
    // The list is searched and sorted as the stamp list is; no segment at first, for the order
    // the store keeps the stamps in.
    SegmentedControl* segment = nullptr;
    QLineEdit* searchBar = nullptr;

    ObjectContext* managedObjectContext = nullptr;
    // Every stamp, in the order chosen, made as the rows are shown; and those the search
    // matches.
    FetchedRows StampList;
    FetchedRows FilteredStampList;
    const FetchedRows& shownList() const;
    // The sum of the quantities, and of value x quantity, when the screen loaded.
    qint64 StampCount = 0;
    double StampValue = 0.0;
    QImage ScreenShotImage;
    // The picked stamp's key, and the stamp itself: a save changes that very record, whatever the
    // search fields say by then and however many stamps share its key.
    QString Country;
    QString Denomination;
    qint16 Year = 0;
    Stamps* PickedStamp = nullptr;
    // The record the last save changed (none when the picked stamp is gone).
    QList<Stamps*> Results;
    qsizetype ResultsCount = 0;

    StampRowModel* rowModel() const { return m_model; }

    void viewDidLoad() override;

public Q_SLOTS:
    void FindValueOnWeb();
    void FindOnDelcampe();
    void FindOnBidStart();
    void SaveNewCardButtonClicked();
    void shareButtonClicked();
    // Picks the stamp of the row, as a click on it does.
    void didSelectRow(int row);
    void SortButtonTapped();
    // Fetches the stamps in the order chosen and searches them again; false, after telling the
    // collector, when the store could not be read.
    bool fetch();

protected:
    void buildView(QWidget* view) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void preferencesChanged() override;

private:
    void computeTotals();
    void setSaveButtonEnabled(bool enabled);
    // Saves the screen picture as a JPEG file in the collector's pictures folder; the file's
    // path.
    Result<QString> keepScreenPicture(const QByteArray& jpeg) const;
    // Shows the page in the browser, or tells why it could not.
    void showPage(const QUrl& address);

    StampSearch::Attribute searchedAttribute() const;
    QList<SortDescriptor> segmentOrder(bool ascending) const;
    void search();

    Environment& m_environment;
    StampRowModel* m_model;
    StampListViews* m_views = nullptr;
    StampSearch m_search;
    ColumnOrder m_order;
};
