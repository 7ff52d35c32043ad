#pragma once

#include "platform/gui/ViewController.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

class QListView;
class QStandardItemModel;
struct Environment;
struct ShareItem;

// Five fixed rows through which the collector rates Vellora in its store, recommends it, visits
// its website or writes to its makers.
class RateShareTableViewController final : public ViewController
{
    Q_OBJECT

public:
    // The rows, top to bottom.
    enum Row
    {
        RateRow,
        RecommendByLinkRow,
        RecommendWithWebsiteRow,
        VisitWebsiteRow,
        FeedbackRow,
        RowCount
    };

    explicit RateShareTableViewController(Environment& environment, QObject* parent = nullptr);

    // Set at construction from VelloraAddresses.
    QUrl productURL;
    QString instructions;
    QUrl website;
    // The one recipient of feedback.
    QStringList feedbackAddress;

    QListView* tableView = nullptr;
    // One row per Row: its title as the display text, its symbol as the decoration.
    QStandardItemModel* tableModel() const { return m_model; }

    // The store page where a review is written: productPage with its whole query replaced by
    // action=write-review.
    static QUrl reviewAddress(const QUrl& productPage);

public Q_SLOTS:
    // Deselects the row, then does what the row offers; rows past the last do nothing.
    void didSelectRowAtIndexPath(int row);

protected:
    void buildView(QWidget* view) override;
    void viewDidLoad() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void rate();
    void open(const QUrl& address);
    void recommend(const QList<ShareItem>& items);
    void sendFeedback();
    void tell(const QString& title, const QString& message);

    Environment& m_environment;
    QStandardItemModel* m_model = nullptr;
};
